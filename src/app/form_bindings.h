#ifndef BOLTGEN_APP_FORM_BINDINGS_H_
#define BOLTGEN_APP_FORM_BINDINGS_H_

#include <string_view>

#include "app/bolt_app.h"
#include "app/controls.h"

namespace boltgen {

// What a control of the form stands for in the job state, found by its name
// in the form, so that a window laid out from the form at run time binds
// every control without a list of its own. Null where the name is not one
// of that kind.
CheckBox* CheckBoxNamed(Controls& controls, std::string_view name);
ComboBox* ComboBoxNamed(Controls& controls, std::string_view name);
TextBox* TextBoxNamed(Controls& controls, std::string_view name);

using AppHandler = void (BoltApp::*)();

// The handler a choice from the list of the combo box `name` runs, given
// the chosen entry's index; null for none.
using AppSelectHandler = void (BoltApp::*)(int);
AppSelectHandler SelectHandlerOf(std::string_view name);

// The handler typing into the combo box `name` runs; null for none.
AppHandler TypeHandlerOf(std::string_view name);

// The handler a click on the button `name` runs; null for none.
AppHandler ClickHandlerOf(std::string_view name);

// The Validate handler that leaving the control `name` runs; null for none.
AppHandler LeaveHandlerOf(std::string_view name);

// The form's names of the controls the window writes itself.
inline constexpr std::string_view kStatusLabel = "Status";
inline constexpr std::string_view kLengthLabel = "Label8";
inline constexpr std::string_view kPreviewButton = "CmdPreview";

}  // namespace boltgen

#endif  // BOLTGEN_APP_FORM_BINDINGS_H_
