#ifndef BOLTGEN_APP_CHOICE_TEXTS_H_
#define BOLTGEN_APP_CHOICE_TEXTS_H_

#include <string>

#include "app/bolt_app.h"
#include "app/controls.h"

namespace boltgen {

// The texts of a window that follow the choices, the same in every window.
struct ChoiceTexts {
  std::string length_label;   // "&Length (in)" or "&Length (mm)", L its shortcut
  std::string thread_suffix;  // ": " and the thread, for the size and pitch tooltips; or empty
  std::string preview_hint;   // what the preview shows: the thread, the length and its unit
  std::string preview_key;    // changes exactly when the preview's parts may change
};

ChoiceTexts ChoiceTextsOf(const BoltApp& app, const Controls& controls);

}  // namespace boltgen

#endif  // BOLTGEN_APP_CHOICE_TEXTS_H_
