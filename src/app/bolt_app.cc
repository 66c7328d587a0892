#include "app/bolt_app.h"

#include <cmath>
#include <utility>

#include "app/command_line.h"
#include "app/file_name.h"
#include "app/window_texts.h"
#include "base/number_format.h"
#include "base/os.h"
#include "base/text.h"
#include "config/leading_number.h"
#include "generate/stl_export.h"

namespace boltgen {
namespace {

constexpr const char* kSegmentCounts[] = {"24", "36", "48", "72", "144", "240"};
constexpr int kKeyF1 = 112;

std::string_view FileNameOf(std::string_view path) {
  const auto slash = path.find_last_of(os::kPathSeparators);
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Empty when the path names no folder: then there is no program folder to
// fall back on.
std::string FolderOf(std::string_view path) {
  const auto slash = path.find_last_of(os::kPathSeparators);
  if (slash == std::string_view::npos) return {};
  // The root keeps its separator: "C:" alone would name the drive's current
  // folder, not its root.
  if (slash == 0 || path[slash - 1] == ':') return std::string(path.substr(0, slash + 1));
  return std::string(path.substr(0, slash));
}

// The program's file name up to its first '.': "boltgen.exe" and
// "boltgen.1.exe" both name "boltgen".
std::string ExeNameOf(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  return std::string(name.substr(0, name.find('.')));
}

// Only an existing entry can be selected.
bool Select(ComboBox& box, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= box.items.size()) return false;
  box.selected = index;
  box.text = box.items[static_cast<std::size_t>(index)];
  return true;
}

// A table saved with line feeds alone (as many editors here do).
bool HasOnlyLineFeeds(std::string_view content) {
  return content.find('\n') != std::string_view::npos &&
         content.find('\r') == std::string_view::npos;
}

}  // namespace

BoltApp::BoltApp(Platform& platform, AppEnvironment environment)
    : platform_(platform),
      environment_(std::move(environment)),
      exe_dir_(FolderOf(environment_.program_path)) {
  if (environment_.working_dir.empty()) environment_.working_dir = ".";
}

void BoltApp::Form_Load() {
  Loading = true;
  IsMetric = false;
  ExeName = ExeNameOf(environment_.program_path);
  platform_.ProcessEvents();

  controls.Chk_No_Threads = {.checked = false, .enabled = true};
  controls.Chk_WF = {.checked = true, .enabled = true};
  controls.Chk_Rad_HEAD = {.checked = true, .enabled = true};
  controls.Chk_Sharp_Threads = {.checked = true, .enabled = true};
  controls.Chk_Nuts = {.checked = false, .enabled = true};
  controls.Chk_WBlock = {.checked = false, .enabled = true};
  controls.TXT_File.enabled = true;
  controls.TXT_Nom_Length.text = "3.000";
  controls.CMB_Segments = ComboBox{};
  controls.CMB_Segments.items.assign(std::begin(kSegmentCounts), std::end(kSegmentCounts));
  SelectSegments(0);
  controls.TXT_File.text.clear();
  controls.Chk_Sharp_Threads.enabled = false;

  if (!LoadSizeTable()) return;
  platform_.ProcessEvents();
  Loading = false;
  MakeFileName();
  controls.Status = kStatusReady;
  platform_.Repaint(controls);
  ProcessCmdStr();
}

bool BoltApp::LoadSizeTable() {
  const std::string file_name = ExeName + ".ini";
  size_table_path = LocateDataFile(file_name, environment_.working_dir, exe_dir_);
  if (size_table_path.empty()) {
    std::string message = "The size table " + file_name + " was not found in the working folder (" +
                          environment_.working_dir + ")";
    if (!exe_dir_.empty()) message += " nor beside the program (" + exe_dir_ + ")";
    Fail(message + ".");
    return false;
  }
  std::string error;
  const std::optional<std::string> content = ReadWholeFile(size_table_path, &error);
  if (!content) {
    Fail("The size table " + size_table_path + " cannot be read: " + error);
    return false;
  }
  // Such a file reads as one line: at best one size whose name holds the
  // whole file, which no generation can use.
  if (HasOnlyLineFeeds(*content)) {
    Fail("The size table " + size_table_path +
         " cannot be used: its lines end in line feeds alone; each line must end in CR LF.");
    return false;
  }
  Sizes = ReadIniSections(*content);
  if (Sizes.empty()) {
    Fail("The size table " + size_table_path + " lists no size.");
    return false;
  }
  controls.Cmb_Size = ComboBox{};
  for (const SizeEntry& size : Sizes) controls.Cmb_Size.items.push_back(size.Name);
  SelectSize(DefaultSizeIndex(Sizes));
  return !Ending();
}

void BoltApp::Cmb_Size_Click() { Cmb_Size_Validate(); }

void BoltApp::Cmb_Size_Change() { Cmb_Size_Validate(); }

void BoltApp::Cmb_Size_Validate() {
  if (Ending()) return;
  controls.Cmb_Pitch.items = PitchesOf(Sizes, controls.Cmb_Size.text);
  controls.Cmb_Pitch.selected = -1;
  controls.Cmb_Pitch.text.clear();
  // A size without pitches leaves the box empty; the generation refuses it.
  if (!controls.Cmb_Pitch.items.empty()) SelectPitch(0);
  platform_.Repaint(controls);
  platform_.ProcessEvents();
  MakeFileName();
}

void BoltApp::Cmb_Pitch_Click() { MakeFileName(); }

void BoltApp::Cmb_Pitch_Validate() { MakeFileName(); }

void BoltApp::CMB_Segments_Click() { MakeFileName(); }

void BoltApp::Chk_No_Threads_Click() { MakeFileName(); }

void BoltApp::Chk_WF_Click() {
  if (Ending()) return;
  if (controls.Chk_WF.checked) {
    controls.Chk_Nuts.enabled = true;
  } else {
    controls.Chk_Nuts.enabled = false;
    controls.Chk_Nuts.checked = false;
  }
}

void BoltApp::Chk_Nuts_Validate() {
  if (Ending()) return;
  if (controls.Chk_Nuts.checked) SetCheck(controls.Chk_WF, true);
}

void BoltApp::TXT_Nom_Length_Validate() {
  if (Loading || Ending()) return;
  TextBox& box = controls.TXT_Nom_Length;
  if (box.text == box.tag) return;
  if (TrimBlanks(box.text).empty()) box.text = "3.000";
  const double length = LeadingNumber(box.text);
  // An overflowing number would be accepted as "inf"; refuse it as well.
  const bool rejected = box.text.find('/') != std::string::npos ||
                        box.text.find('-') != std::string::npos || length == 0 ||
                        !std::isfinite(length);
  if (rejected) {
    platform_.ShowMessage(MessageKind::kError, kLengthMessage);
    return;
  }
  box.text = FormatNumber(length, "###0.000");
  box.tag = box.text;
  MakeFileName();
}

void BoltApp::CmdProcess_Click() {
  if (Ending()) return;
  companion_files_.clear();
  const GenerationInput input{size_table_path, environment_.today()};
  last_result_ = CmdProcess(generation, controls, platform_, input,
                            [&](const GenerationState& state, const std::string& script_path,
                                std::vector<OutputFile>& files) {
                              return AddCompanionFiles(state, input, script_path, files);
                            });
  if (last_result_.kind == GenerationResult::Kind::kWritten) return;
  companion_files_.clear();
  platform_.ShowMessage(MessageKind::kError, last_result_.message);
  // Only a bolt too short for its pitch ends the program; after a refusal or
  // a file error the user may change the choices and try again.
  if (last_result_.kind == GenerationResult::Kind::kFatal) EndProgram(kExitFailed);
}

// The part files the boxes ask for besides the script, from the parts of the
// script built again in memory, starting from the dimensions the generation
// read (a copy: the generation's own stay as they are).
std::string BoltApp::AddCompanionFiles(const GenerationState& state, const GenerationInput& input,
                                       const std::string& script_path,
                                       std::vector<OutputFile>& files) {
  if (!controls.Chk_STL.checked) return {};
  GenerationState copy;
  copy.dims = state.dims;
  std::vector<Part> parts;
  const GenerationResult built = BuildPartsInMemory(copy, controls, input, parts);
  if (built.kind != GenerationResult::Kind::kWritten) return built.message;
  for (OutputFile& file : StlFiles(parts, script_path)) {
    companion_files_.push_back(file.path);
    files.push_back(std::move(file));
  }
  return {};
}

void BoltApp::CmdExit_Click() { EndProgram(kExitOk); }

void BoltApp::CMD_Help_Click() {
  if (Ending()) return;
  // A missing document is not reported: the button simply does nothing.
  const std::string path = LocateDataFile(ExeName + ".pdf", environment_.working_dir, exe_dir_);
  if (!path.empty()) platform_.OpenDocument(path);
}

void BoltApp::Form_KeyDown(int key_code) {
  if (key_code == kKeyF1) CMD_Help_Click();
}

void BoltApp::MakeFileName() {
  if (Loading || Ending()) return;
  platform_.ProcessEvents();
  platform_.Repaint(controls);
  platform_.ProcessEvents();
  controls.TXT_File.text = ComposeFileName(controls, Sizes, IsMetric);
}

int BoltApp::GetCommandLine(int max_args) {
  Args = SplitArguments(environment_.raw_args, max_args);
  return static_cast<int>(Args.size());
}

void BoltApp::ProcessCmdStr() {
  if (Ending() || GetCommandLine() == 0) return;
  if (AsksForHelp(Args)) {
    platform_.ShowMessage(MessageKind::kInfo, HelpText());
    EndProgram(kExitOk);
    return;
  }
  const SwitchSettings settings = ParseSwitches(Args);
  bool indexes_ok = ApplyIndex(settings.size_index, controls.Cmb_Size, "/D:", "size",
                               &BoltApp::SelectSize);
  Cmb_Size_Validate();
  // A size without pitches is refused by the generation with its own message.
  if (!controls.Cmb_Pitch.items.empty()) {
    indexes_ok &= ApplyIndex(settings.pitch_index, controls.Cmb_Pitch, "/P:", "pitch",
                             &BoltApp::SelectPitch);
  }
  indexes_ok &= ApplyIndex(settings.segments_index, controls.CMB_Segments, "/S:", "segments",
                           &BoltApp::SelectSegments);
  SetCheck(controls.Chk_No_Threads, settings.threads);
  SetCheck(controls.Chk_WF, settings.washer_face);
  SetCheck(controls.Chk_Rad_HEAD, settings.head_radius);
  SetCheck(controls.Chk_Sharp_Threads, settings.sharp_threads);
  if (settings.nuts) {
    SetCheck(controls.Chk_Nuts, true);
    SetCheck(controls.Chk_WF, true);
  } else {
    SetCheck(controls.Chk_Nuts, false);
  }
  SetCheck(controls.Chk_WBlock, settings.blocks);
  SetCheck(controls.Chk_STL, settings.stl);
  controls.TXT_Nom_Length.text = FormatNumber(settings.length, "####0.0000");
  platform_.Repaint(controls);
  if (settings.file_name.empty()) {
    MakeFileName();
  } else {
    controls.TXT_File.text = settings.file_name;
  }
  platform_.ProcessEvents();
  if (!settings.process_and_exit || Ending()) return;
  if (!indexes_ok) {
    EndProgram(kExitFailed);
    return;
  }
  RunUnattended();
}

void BoltApp::RunUnattended() {
  platform_.ShowWindow();
  platform_.ProcessEvents();
  Sleep(1000);
  CmdProcess_Click();
  if (Ending()) return;
  if (last_result_.kind != GenerationResult::Kind::kWritten) {
    EndProgram(kExitFailed);
    return;
  }
  controls.Status += " ... ";
  controls.Status += "exting in 2 seconds.";
  platform_.Repaint(controls);
  platform_.ProcessEvents();
  Sleep(2000);
  EndProgram(kExitOk);
}

bool BoltApp::ApplyIndex(double index, const ComboBox& box, std::string_view switch_name,
                         std::string_view list_name, void (BoltApp::*select)(int)) {
  const double rounded = RoundHalfEven(index);
  const auto count = static_cast<double>(box.items.size());
  if (rounded >= 0 && rounded < count) {  // also false for NaN and infinities
    (this->*select)(static_cast<int>(rounded));
    platform_.Repaint(controls);
    return true;
  }
  std::string message = "The switch ";
  message += switch_name;
  message += " names no entry of the ";
  message += list_name;
  message += " list; ";
  message += box.items.empty() ? std::string("the list is empty.")
                               : "valid indexes are 0 to " +
                                     FormatNumber(count - 1, "0") + ".";
  platform_.ShowMessage(MessageKind::kError, message);
  return false;
}

void BoltApp::SelectSize(int index) {
  if (Select(controls.Cmb_Size, index)) Cmb_Size_Click();
}

void BoltApp::SelectPitch(int index) {
  if (Select(controls.Cmb_Pitch, index)) Cmb_Pitch_Click();
}

void BoltApp::SelectSegments(int index) {
  if (Select(controls.CMB_Segments, index)) CMB_Segments_Click();
}

void BoltApp::SetCheck(CheckBox& box, bool checked) {
  if (box.checked == checked) return;  // a click only happens on a change
  box.checked = checked;
  if (&box == &controls.Chk_No_Threads) Chk_No_Threads_Click();
  if (&box == &controls.Chk_WF) Chk_WF_Click();
}

void BoltApp::Sleep(int milliseconds) {
  if (!environment_.headless) platform_.Sleep(milliseconds);
}

void BoltApp::Fail(std::string_view message) {
  platform_.ShowMessage(MessageKind::kError, message);
  EndProgram(kExitFailed);
}

void BoltApp::EndProgram(int status) {
  if (Ending()) return;
  exit_status_ = status;
  platform_.EndProgram(status);
}

}  // namespace boltgen
