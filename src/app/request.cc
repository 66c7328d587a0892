#include "app/request.h"

#include "app/file_name.h"
#include "base/number_format.h"
#include "base/text.h"
#include "config/leading_number.h"

namespace boltgen {

BoltRequest RequestFromControls(const Controls& c, bool is_metric) {
  BoltRequest request;
  request.size = c.Cmb_Size.text;
  request.pitch_text = c.Cmb_Pitch.text;
  request.pitch = LeadingNumber(c.Cmb_Pitch.text);
  request.length_text = c.TXT_Nom_Length.text;
  request.length = LeadingNumber(c.TXT_Nom_Length.text);
  request.segments_text = c.CMB_Segments.text;
  request.segments = RoundHalfEven(LeadingNumber(c.CMB_Segments.text));
  request.file_name = c.TXT_File.text;
  request.plain_body = c.Chk_No_Threads.checked;
  request.washer_face = c.Chk_WF.checked;
  request.head_radius = c.Chk_Rad_HEAD.checked;
  request.sharp_threads = c.Chk_Sharp_Threads.checked;
  request.nuts = c.Chk_Nuts.checked;
  request.block_commands = c.Chk_WBlock.checked;
  request.write_stl = c.Chk_STL.checked;
  request.write_dxf = c.Chk_DXF.checked;
  request.write_3mf = c.Chk_3MF.checked;
  request.threaded_nuts = c.Chk_Threaded_Nuts.checked;
  request.nut_clearance_text = TrimBlanks(c.TXT_Clearance.text);
  request.part_file_unit = SizeTextUnit(c.Cmb_Size.text, is_metric);
  return request;
}

}  // namespace boltgen
