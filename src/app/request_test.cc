#include "app/request.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

Controls Boxes(const char* pitch, const char* length, const char* segments) {
  Controls c;
  c.Cmb_Size.text = "[Metric M12]";
  c.Cmb_Pitch.text = pitch;
  c.TXT_Nom_Length.text = length;
  c.CMB_Segments.text = segments;
  c.TXT_File.text = "bolt";
  return c;
}

// Each text is read by its leading number and kept as typed; the segment
// count is rounded halves to even, whatever follows the number. The part
// files' unit follows the file name's rule: a size text that names no unit
// keeps the one before.
TEST(RequestFromControls, ReadsTheTextsAsEveryGenerationReadsThem) {
  const BoltRequest r = RequestFromControls(Boxes("1.75 coarse", "40.5mm", "36.5 x"), false);
  EXPECT_EQ(r.pitch_text, "1.75 coarse");
  EXPECT_EQ(r.pitch, 1.75);
  EXPECT_EQ(r.length_text, "40.5mm");
  EXPECT_EQ(r.length, 40.5);
  EXPECT_EQ(r.segments_text, "36.5 x");
  EXPECT_EQ(r.segments, 36);
  EXPECT_EQ(RequestFromControls(Boxes("1", "1", "37.5"), false).segments, 38);
  EXPECT_EQ(r.part_file_unit, LengthUnit::kMillimetre);
  Controls c = Boxes("1", "1", "24");
  c.Cmb_Size.text = "[Inch 3/4]";
  EXPECT_EQ(RequestFromControls(c, true).part_file_unit, LengthUnit::kInch);
  c.Cmb_Size.text = "[Special]";
  EXPECT_EQ(RequestFromControls(c, true).part_file_unit, LengthUnit::kMillimetre);
  EXPECT_EQ(RequestFromControls(c, false).part_file_unit, LengthUnit::kInch);
}

// Every box reaches its own field, and only that one.
TEST(RequestFromControls, EachBoxSetsItsOwnOption) {
  const struct {
    CheckBox Controls::*box;
    bool BoltRequest::*option;
  } boxes[] = {
      {&Controls::Chk_No_Threads, &BoltRequest::plain_body},
      {&Controls::Chk_WF, &BoltRequest::washer_face},
      {&Controls::Chk_Rad_HEAD, &BoltRequest::head_radius},
      {&Controls::Chk_Sharp_Threads, &BoltRequest::sharp_threads},
      {&Controls::Chk_Nuts, &BoltRequest::nuts},
      {&Controls::Chk_WBlock, &BoltRequest::block_commands},
      {&Controls::Chk_STL, &BoltRequest::write_stl},
      {&Controls::Chk_DXF, &BoltRequest::write_dxf},
      {&Controls::Chk_3MF, &BoltRequest::write_3mf},
  };
  for (const auto& checked : boxes) {
    Controls c = Boxes("1", "1", "24");
    (c.*checked.box).checked = true;
    const BoltRequest r = RequestFromControls(c, false);
    for (const auto& other : boxes) {
      EXPECT_EQ(r.*other.option, &other == &checked) << &checked - boxes << " " << &other - boxes;
    }
  }
}

}  // namespace
}  // namespace boltgen
