#include "app/form_bindings.h"

namespace boltgen {
namespace {

template <typename Member>
struct Named {
  std::string_view name;
  Member member;
};

constexpr Named<CheckBox Controls::*> kCheckBoxes[] = {
    {"Chk_No_Threads", &Controls::Chk_No_Threads}, {"Chk_WF", &Controls::Chk_WF},
    {"Chk_Rad_HEAD", &Controls::Chk_Rad_HEAD},     {"Chk_Sharp_Threads", &Controls::Chk_Sharp_Threads},
    {"Chk_Nuts", &Controls::Chk_Nuts},             {"Chk_WBlock", &Controls::Chk_WBlock},
    {"Chk_STL", &Controls::Chk_STL},               {"Chk_DXF", &Controls::Chk_DXF},
    {"Chk_3MF", &Controls::Chk_3MF},               {"Chk_Threaded_Nuts", &Controls::Chk_Threaded_Nuts},
};
constexpr Named<ComboBox Controls::*> kComboBoxes[] = {
    {"Cmb_Size", &Controls::Cmb_Size},
    {"Cmb_Pitch", &Controls::Cmb_Pitch},
    {"CMB_Segments", &Controls::CMB_Segments},
};
constexpr Named<TextBox Controls::*> kTextBoxes[] = {
    {"TXT_Nom_Length", &Controls::TXT_Nom_Length},
    {"TXT_File", &Controls::TXT_File},
    {"TXT_Clearance", &Controls::TXT_Clearance},
};
constexpr Named<AppSelectHandler> kSelects[] = {
    {"Cmb_Size", &BoltApp::SelectSize},
    {"Cmb_Pitch", &BoltApp::SelectPitch},
    {"CMB_Segments", &BoltApp::SelectSegments},
};
constexpr Named<AppHandler> kTypings[] = {
    {"Cmb_Size", &BoltApp::Cmb_Size_Change},
};
constexpr Named<AppHandler> kClicks[] = {
    {"CmdProcess", &BoltApp::CmdProcess_Click},
    {"CmdExit", &BoltApp::CmdExit_Click},
    {"CMD_Help", &BoltApp::CMD_Help_Click},
};
constexpr Named<AppHandler> kLeaves[] = {
    {"Cmb_Size", &BoltApp::Cmb_Size_Validate},
    {"Cmb_Pitch", &BoltApp::Cmb_Pitch_Validate},
    {"TXT_Nom_Length", &BoltApp::TXT_Nom_Length_Validate},
    {"Chk_Nuts", &BoltApp::Chk_Nuts_Validate},
};

template <typename Member, std::size_t N>
Member Find(const Named<Member> (&table)[N], std::string_view name) {
  for (const auto& entry : table) {
    if (entry.name == name) return entry.member;
  }
  return nullptr;
}

}  // namespace

CheckBox* CheckBoxNamed(Controls& controls, std::string_view name) {
  const auto member = Find(kCheckBoxes, name);
  return member ? &(controls.*member) : nullptr;
}

ComboBox* ComboBoxNamed(Controls& controls, std::string_view name) {
  const auto member = Find(kComboBoxes, name);
  return member ? &(controls.*member) : nullptr;
}

TextBox* TextBoxNamed(Controls& controls, std::string_view name) {
  const auto member = Find(kTextBoxes, name);
  return member ? &(controls.*member) : nullptr;
}

AppSelectHandler SelectHandlerOf(std::string_view name) { return Find(kSelects, name); }

AppHandler TypeHandlerOf(std::string_view name) { return Find(kTypings, name); }

AppHandler ClickHandlerOf(std::string_view name) { return Find(kClicks, name); }

AppHandler LeaveHandlerOf(std::string_view name) { return Find(kLeaves, name); }

}  // namespace boltgen
