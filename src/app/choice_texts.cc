#include "app/choice_texts.h"

#include "app/file_name.h"
#include "app/thread_designation.h"

namespace boltgen {

ChoiceTexts ChoiceTextsOf(const BoltApp& app, const Controls& c) {
  ChoiceTexts texts;
  const std::string unit(UnitSymbol(SizeTextUnit(c.Cmb_Size.text, app.is_metric)));
  texts.length_label = "&Length (" + unit + ")";
  const std::string thread =
      ThreadDesignation(app.sizes, c.Cmb_Size.text, c.Cmb_Pitch.text, app.is_metric);
  if (!thread.empty()) texts.thread_suffix = ": " + thread;
  texts.preview_hint = (thread.empty() ? std::string() : thread + " x ") + c.TXT_Nom_Length.text + " " + unit;
  texts.preview_key = c.Cmb_Size.text + '\n' + c.Cmb_Pitch.text + '\n' + c.TXT_Nom_Length.text + '\n' +
                      c.CMB_Segments.text + '\n';
  for (const CheckBox* box : {&c.Chk_No_Threads, &c.Chk_WF, &c.Chk_Rad_HEAD, &c.Chk_Nuts}) {
    texts.preview_key += box->checked ? '1' : '0';
  }
  return texts;
}

}  // namespace boltgen
