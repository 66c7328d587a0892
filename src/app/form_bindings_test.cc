#include "app/form_bindings.h"

#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/forms/form.h"

namespace boltgen {
namespace {

bool Is(const FormControl& control, const char* form_class) {
  return std::strcmp(control.form_class, form_class) == 0;
}

// The Windows window binds the form's controls by name: a control added to
// the form, or renamed there, without its binding would show and do nothing.
TEST(FormBindingsTest, EveryControlOfTheFormThatTakesInputIsBound) {
  Controls controls;
  std::set<const void*> bound;
  for (int i = 0; i < kMainForm.control_count; ++i) {
    const FormControl& c = kMainForm.controls[i];
    SCOPED_TRACE(c.name);
    const void* state = nullptr;
    if (Is(c, "QCheckBox")) state = CheckBoxNamed(controls, c.name);
    if (Is(c, "QComboBox")) {
      state = ComboBoxNamed(controls, c.name);
      EXPECT_NE(SelectHandlerOf(c.name), nullptr);
    }
    if (Is(c, "QLineEdit")) state = TextBoxNamed(controls, c.name);
    if (Is(c, "QPushButton")) {
      EXPECT_TRUE(ClickHandlerOf(c.name) != nullptr || c.name == kPreviewButton);
      continue;
    }
    if (Is(c, "QLabel") || Is(c, "Line") || Is(c, "QGroupBox")) continue;
    ASSERT_NE(state, nullptr) << "no state for " << c.name;
    // Two controls sharing one state would mirror each other.
    EXPECT_TRUE(bound.insert(state).second);
  }
}

TEST(FormBindingsTest, TheControlsTheWindowWritesItselfAreInTheForm) {
  std::set<std::string> names;
  for (int i = 0; i < kMainForm.control_count; ++i) names.insert(kMainForm.controls[i].name);
  EXPECT_TRUE(names.count(std::string(kStatusLabel)));
  EXPECT_TRUE(names.count(std::string(kLengthLabel)));
  EXPECT_TRUE(names.count(std::string(kPreviewButton)));
}

// Each name finds its own state, and a name of another kind finds none.
TEST(FormBindingsTest, NamesFindTheirOwnControl) {
  Controls controls;
  EXPECT_EQ(CheckBoxNamed(controls, "Chk_Nuts"), &controls.Chk_Nuts);
  EXPECT_EQ(CheckBoxNamed(controls, "Chk_3MF"), &controls.Chk_3MF);
  EXPECT_EQ(ComboBoxNamed(controls, "Cmb_Pitch"), &controls.Cmb_Pitch);
  EXPECT_EQ(TextBoxNamed(controls, "TXT_File"), &controls.TXT_File);
  EXPECT_EQ(CheckBoxNamed(controls, "Cmb_Size"), nullptr);
  EXPECT_EQ(ComboBoxNamed(controls, "TXT_File"), nullptr);
  EXPECT_EQ(TextBoxNamed(controls, "chk_nuts"), nullptr);
  EXPECT_EQ(LeaveHandlerOf("TXT_Nom_Length"), &BoltApp::TXT_Nom_Length_Validate);
  EXPECT_EQ(LeaveHandlerOf("TXT_File"), nullptr);
  EXPECT_EQ(SelectHandlerOf("CMB_Segments"), &BoltApp::SelectSegments);
}

// Tab must reach every control that takes input, each once.
TEST(FormBindingsTest, TheTabOrderVisitsEveryInputControlOnce) {
  std::set<std::string> tabbed(kMainForm.tab_order, kMainForm.tab_order + kMainForm.tab_count);
  EXPECT_EQ(tabbed.size(), static_cast<std::size_t>(kMainForm.tab_count));
  for (int i = 0; i < kMainForm.control_count; ++i) {
    const FormControl& c = kMainForm.controls[i];
    if (Is(c, "QLabel") || Is(c, "Line") || Is(c, "QGroupBox")) continue;
    EXPECT_TRUE(tabbed.count(c.name)) << c.name << " is not in the tab order";
  }
}

}  // namespace
}  // namespace boltgen
