#include "app/bolt_app.h"

#include <cmath>
#include <utility>

#include "app/command_line.h"
#include "app/file_name.h"
#include "app/foreign_file.h"
#include "app/request.h"
#include "app/saved_choices.h"
#include "app/window_texts.h"
#include "app/written_status.h"
#include "base/number_format.h"
#include "base/os.h"
#include "base/path.h"
#include "base/text.h"
#include "config/bolt_dimensions.h"
#include "config/leading_number.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

constexpr const char* kSegmentCounts[] = {"24", "36", "48", "72", "144", "240"};
constexpr int kKeyF1 = 112;
constexpr const char* kDefaultLength = "3.000";

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

// Every choice a generation reads, in one text: what the status line's
// report of a generation is about.
std::string ChoicesOf(const Controls& c) {
  std::string choices;
  for (const std::string* text : {&c.Cmb_Size.text, &c.Cmb_Pitch.text, &c.TXT_Nom_Length.text,
                                  &c.CMB_Segments.text, &c.TXT_File.text, &c.TXT_Clearance.text}) {
    choices += *text;
    choices += '\n';
  }
  for (const CheckBox* box : {&c.Chk_No_Threads, &c.Chk_WF, &c.Chk_Rad_HEAD, &c.Chk_Sharp_Threads,
                              &c.Chk_Nuts, &c.Chk_WBlock, &c.Chk_STL, &c.Chk_DXF, &c.Chk_3MF,
                              &c.Chk_Threaded_Nuts}) {
    choices += box->checked ? '1' : '0';
  }
  return choices;
}

// The choices the composed file name encodes.
std::string NamedChoicesOf(const Controls& c) {
  return c.Cmb_Size.text + '\n' + c.Cmb_Pitch.text + '\n' + c.TXT_Nom_Length.text + '\n' +
         c.CMB_Segments.text + '\n' + (c.Chk_WF.checked ? '1' : '0') +
         (c.Chk_No_Threads.checked ? '1' : '0');
}

}  // namespace

std::optional<std::string> AcceptedLength(const std::string& text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return kDefaultLength;
  const double length = LeadingNumber(trimmed);
  // An overflowing number would be accepted as "inf"; refuse it as well.
  if (text.find('/') != std::string::npos || text.find('-') != std::string::npos ||
      length == 0 || !std::isfinite(length)) {
    return std::nullopt;
  }
  return FormatNumber(length, "###0.000");
}

BoltApp::BoltApp(Platform& platform, AppEnvironment environment)
    : platform_(platform),
      environment_(std::move(environment)),
      exe_dir_(FolderOf(environment_.program_path)) {
  if (environment_.working_dir.empty()) environment_.working_dir = ".";
}

void BoltApp::Form_Load() {
  loading = true;
  is_metric = false;
  exe_name = ExeNameOf(environment_.program_path);
  platform_.ProcessEvents();

  controls.Chk_No_Threads = {.checked = false, .enabled = true};
  controls.Chk_WF = {.checked = true, .enabled = true};
  controls.Chk_Rad_HEAD = {.checked = true, .enabled = true};
  controls.Chk_Sharp_Threads = {.checked = true, .enabled = true};
  controls.Chk_Nuts = {.checked = false, .enabled = true};
  controls.Chk_WBlock = {.checked = false, .enabled = true};
  controls.TXT_File.enabled = true;
  controls.TXT_Nom_Length.text = kDefaultLength;
  controls.TXT_Nom_Length.tag = kDefaultLength;
  controls.CMB_Segments = ComboBox{};
  controls.CMB_Segments.items.assign(std::begin(kSegmentCounts), std::end(kSegmentCounts));
  SelectSegments(0);
  controls.TXT_File.text.clear();
  controls.Chk_Sharp_Threads.enabled = false;

  if (!LoadSizeTable()) return;
  platform_.ProcessEvents();
  loading = false;
  MakeFileName();
  controls.Status = kStatusReady;
  platform_.Repaint(controls);
  ProcessCmdStr();
  // Switches say what this run is for; without them the window starts as
  // the user left it.
  if (args.empty()) RestoreChoices();
}

void BoltApp::RestoreChoices() {
  if (Ending()) return;
  if (int i = StoredIndex(platform_, kSizeKey, controls.Cmb_Size); i >= 0) SelectSize(i);
  if (int i = StoredIndex(platform_, kPitchKey, controls.Cmb_Pitch); i >= 0) SelectPitch(i);
  if (int i = StoredIndex(platform_, kSegmentsKey, controls.CMB_Segments); i >= 0) {
    SelectSegments(i);
  }
  for (const CheckSetting& setting : kCheckSettings) {
    const std::optional<std::string> value = platform_.ReadSetting(setting.key);
    if (value == "0" || value == "1") SetCheck(controls.*setting.box, *value == "1");
  }
  Chk_Nuts_Validate();
  if (const std::optional<std::string> stored = platform_.ReadSetting(kLengthKey)) {
    if (const std::optional<std::string> length = AcceptedLength(*stored)) {
      controls.TXT_Nom_Length.text = *length;
      controls.TXT_Nom_Length.tag = *length;
    }
  }
  MakeFileName();
  platform_.Repaint(controls);
}

bool BoltApp::LoadSizeTable() {
  const std::string file_name = exe_name + ".ini";
  size_table_path = LocateDataFile(*environment_.files, file_name, environment_.working_dir,
                                   exe_dir_, WorkingFolderEntry::kAnyKind);
  if (size_table_path.empty()) {
    std::string message = "The size table " + file_name + " was not found in the working folder (" +
                          environment_.working_dir + ")";
    if (!exe_dir_.empty()) message += " nor beside the program (" + exe_dir_ + ")";
    Fail(message + ".");
    return false;
  }
  const Result<std::string> content = environment_.files->ReadSizeTable(size_table_path);
  if (!content) {
    Fail(content.error().message + ".");
    return false;
  }
  sizes = ReadSizeList(*content);
  if (sizes.empty()) {
    Fail("The size table " + size_table_path + " lists no size.");
    return false;
  }
  controls.Cmb_Size = ComboBox{};
  for (const SizeEntry& size : sizes) controls.Cmb_Size.items.push_back(size.name);
  SelectSize(DefaultSizeIndex(sizes));
  return !Ending();
}

void BoltApp::Cmb_Size_Click() { Cmb_Size_Validate(); }

void BoltApp::Cmb_Size_Change() { Cmb_Size_Validate(); }

void BoltApp::Cmb_Size_Validate() {
  if (Ending()) return;
  // Leaving the size box unchanged must not swap the user's pitch for the
  // first one behind their back: the file would be written with another
  // thread than the one shown a moment before.
  if (looked_up_size_ != controls.Cmb_Size.text) {
    looked_up_size_ = controls.Cmb_Size.text;
    controls.Cmb_Pitch.items = PitchesOf(sizes, controls.Cmb_Size.text);
    controls.Cmb_Pitch.selected = -1;
    controls.Cmb_Pitch.text.clear();
    // A size without pitches leaves the box empty; the generation refuses it.
    if (!controls.Cmb_Pitch.items.empty()) SelectPitch(0);
  }
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
    controls.Chk_Threaded_Nuts.checked = false;
  }
  // The name's head style (HCSW or BLTP) follows the box.
  MakeFileName();
}

void BoltApp::Chk_Nuts_Validate() {
  if (Ending()) return;
  if (controls.Chk_Nuts.checked) {
    SetCheck(controls.Chk_WF, true);
  } else {
    controls.Chk_Threaded_Nuts.checked = false;
  }
}

void BoltApp::Chk_Threaded_Nuts_Click() {
  if (Ending()) return;
  // Threads are cut into nuts: asking for them asks for the nuts.
  if (controls.Chk_Threaded_Nuts.checked && !controls.Chk_Nuts.checked) {
    SetCheck(controls.Chk_Nuts, true);
    Chk_Nuts_Validate();
  }
}

void BoltApp::TXT_Nom_Length_Validate() {
  if (loading || Ending()) return;
  TextBox& box = controls.TXT_Nom_Length;
  if (box.text == box.tag) return;
  const std::optional<std::string> accepted = AcceptedLength(box.text);
  if (!accepted) {
    // A rejected text never stays for a generation to read: the box shows
    // the last accepted length again, the one the name carries.
    box.text = box.tag.empty() ? kDefaultLength : box.tag;
    platform_.Repaint(controls);
    platform_.ShowMessage(MessageKind::kError, kLengthMessage);
    RecomposeIfStale();
    return;
  }
  box.text = *accepted;
  box.tag = box.text;
  MakeFileName();
}

void BoltApp::CMB_Segments_Validate() { RecomposeIfStale(); }

void BoltApp::RecomposeIfStale() {
  if (named_choices_ != NamedChoicesOf(controls)) MakeFileName();
}

void BoltApp::CmdProcess_Click() {
  if (Ending()) return;
  // What is written is what the boxes show: a typed length is checked as
  // leaving its box checks it, and a name composed before a choice was typed
  // is composed again (a name edited after the last choice stays).
  if (controls.TXT_Nom_Length.text != controls.TXT_Nom_Length.tag) TXT_Nom_Length_Validate();
  RecomposeIfStale();
  // In the window every failure, a bolt too short for its pitch included,
  // leaves the choices for the user to mend: ending the program would throw
  // them away over an ordinary slip. Unattended runs end in RunUnattended.
  if (Generate(/*in_window=*/true)) {
    SaveChoices(controls, platform_);
    return;
  }
  controls.Status = std::string(kStatusNothingWritten) + last_error_;
  reported_choices_ = ChoicesOf(controls);
  platform_.Repaint(controls);
}

bool BoltApp::Generate(bool in_window) {
  written_ = {};
  last_error_.clear();
  // A refusal like the generation's own: the window stays for a new name.
  if (const Result<> name = CheckFileName(controls.TXT_File.text); !name) {
    last_error_ = name.error().message;
    platform_.ShowMessage(MessageKind::kError, last_error_);
    return false;
  }
  // Only the window asks: a batch run has nobody to answer.
  const std::string script = WithScriptExtension(controls.TXT_File.text);
  if (in_window && IsForeignScript(script) &&
      !platform_.Ask("The file " + script +
                     " exists and was not written by this program. Replace it?")) {
    last_error_ = "Not replaced: " + script + " was not written by this program.";
    return false;
  }
  const GenerationInput input{size_table_path, environment_.today()};
  Result<WrittenFiles> written =
      GenerateFiles(generation, RequestFromControls(controls, is_metric), input,
                    [&](std::string_view status) {
                      controls.Status = std::string(status);
                      platform_.Repaint(controls);
                    });
  if (!written) {
    // A length a little short is an ordinary slip in the window.
    const bool slip = in_window && written.error().kind == ErrorKind::kBoltTooShort;
    last_error_ = slip ? written.error().message : ReportedText(written.error());
    platform_.ShowMessage(MessageKind::kError, last_error_);
    return false;
  }
  written_ = std::move(written.value());
  controls.Status = WrittenStatus(written_.script_path, written_.part_files.size());
  // A key given twice is the table's documented override, so the files are
  // written; but the user hears of it, on the status line and so, without a
  // window, on standard error.
  for (const std::string& warning : generation.table_warnings) {
    controls.Status += " Warning: " + warning;
  }
  platform_.Repaint(controls);
  // The written status stays on screen while queued repaints run.
  platform_.ProcessEvents();
  reported_choices_ = ChoicesOf(controls);
  return true;
}

void BoltApp::UpdateReadyStatus() {
  if (Ending() || !reported_choices_ || *reported_choices_ == ChoicesOf(controls)) return;
  reported_choices_.reset();
  controls.Status = kStatusReady;
  platform_.Repaint(controls);
}

void BoltApp::CmdExit_Click() {
  if (!Ending()) SaveChoices(controls, platform_);
  EndProgram(kExitOk);
}

void BoltApp::CMD_Help_Click() {
  if (Ending()) return;
  // A missing document is not reported: the button simply does nothing.
  const std::string path =
      LocateDataFile(*environment_.files, exe_name + ".pdf", environment_.working_dir, exe_dir_);
  if (path.empty() || platform_.OpenDocument(path)) return;
  // A window user never sees standard error: say it where they look.
  platform_.ShowMessage(MessageKind::kError, std::string(kNoViewerMessage) + path + ".");
}

void BoltApp::Form_KeyDown(int key_code) {
  if (key_code == kKeyF1) CMD_Help_Click();
}

void BoltApp::MakeFileName() {
  if (loading || Ending()) return;
  platform_.ProcessEvents();
  platform_.Repaint(controls);
  platform_.ProcessEvents();
  controls.TXT_File.text = ComposeFileName(controls, sizes, is_metric);
  named_choices_ = NamedChoicesOf(controls);
}

int BoltApp::GetCommandLine(int max_args) {
  args = SplitArguments(environment_.raw_args, max_args);
  return static_cast<int>(args.size());
}

void BoltApp::ProcessCmdStr() {
  if (Ending() || GetCommandLine() == 0) return;
  // A word that changes nothing is named, so a misspelt switch is no
  // silent default.
  for (const std::string& line : UnusedWords(args)) platform_.Note(line);
  if (AsksForHelp(args)) {
    platform_.ShowMessage(MessageKind::kInfo, AsksForAddedSwitches(args)
                                                  ? HelpTextWithAddedSwitches()
                                                  : std::string(HelpText()));
    EndProgram(kExitOk);
    return;
  }
  const SwitchSettings settings = ParseSwitches(args);
  bool indexes_ok = ApplyIndex(settings.size_index, settings.size_value, controls.Cmb_Size, "/D:",
                               "size", &BoltApp::SelectSize, settings.size_given);
  Cmb_Size_Validate();
  // A size without pitches is refused by the generation with its own message.
  if (!controls.Cmb_Pitch.items.empty()) {
    indexes_ok &= ApplyIndex(settings.pitch_index, settings.pitch_value, controls.Cmb_Pitch,
                             "/P:", "pitch", &BoltApp::SelectPitch);
  }
  indexes_ok &= ApplyIndex(settings.segments_index, settings.segments_value,
                           controls.CMB_Segments, "/S:", "segments", &BoltApp::SelectSegments);
  if (const Result<> length = CheckLengthSwitch(settings.length_value); !length) {
    platform_.ShowMessage(MessageKind::kError, length.error().message);
    indexes_ok = false;
  }
  SetCheck(controls.Chk_No_Threads, settings.no_threads);
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
  SetCheck(controls.Chk_DXF, settings.dxf);
  SetCheck(controls.Chk_3MF, settings.threemf);
  SetCheck(controls.Chk_Threaded_Nuts, settings.threaded_nuts);
  controls.TXT_Clearance.text = settings.nut_clearance;
  controls.TXT_Nom_Length.text = FormatNumber(settings.length, "####0.0000");
  // Given, not typed: Process in the window writes it as it stands.
  controls.TXT_Nom_Length.tag = controls.TXT_Nom_Length.text;
  platform_.Repaint(controls);
  const Result<> name = CheckFileName(settings.file_name);
  if (!name) {
    // Like an index that names no entry: the box keeps a name of its own.
    platform_.ShowMessage(MessageKind::kError, "The switch /F: is refused: " + name.error().message);
    indexes_ok = false;
  }
  if (settings.file_name.empty() || !name) {
    MakeFileName();
  } else {
    controls.TXT_File.text = settings.file_name;
    named_choices_ = NamedChoicesOf(controls);
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
  // Batch callers rely on a status of 1 for every failure, the fatal message
  // included.
  if (!Generate(/*in_window=*/false)) {
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

bool BoltApp::ApplyIndex(double index, std::string_view value, const ComboBox& box,
                         std::string_view switch_name, std::string_view list_name,
                         void (BoltApp::*select)(int), bool given) {
  const double rounded = RoundHalfEven(index);
  const auto count = static_cast<double>(box.items.size());
  if (rounded >= 0 && rounded < count) {  // also false for NaN and infinities
    (this->*select)(static_cast<int>(rounded));
    platform_.Repaint(controls);
    return true;
  }
  std::string message = "The switch ";
  message += switch_name;
  message += value;
  if (!given) {
    // The user named no entry: the switch's default did.
    message = "No switch " + std::string(switch_name) + " is given, and its default index " +
              FormatNumber(index, "0");
  }
  message += " names no entry of the ";
  message += list_name;
  message += " list; ";
  message += box.items.empty() ? std::string("the list is empty.")
                               : "valid indexes are 0 to " +
                                     FormatNumber(count - 1, "0") + ".";
  if (!given && !box.items.empty()) message += " Give " + std::string(switch_name) + " with one of them.";
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
  if (&box == &controls.Chk_Threaded_Nuts) Chk_Threaded_Nuts_Click();
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
