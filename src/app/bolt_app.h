#ifndef BOLTGEN_APP_BOLT_APP_H_
#define BOLTGEN_APP_BOLT_APP_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/controls.h"
#include "app/file_system.h"
#include "app/platform.h"
#include "base/date.h"
#include "config/size_table.h"
#include "generate/driver.h"

namespace boltgen {

// Where the program runs: its own path, its arguments, its working folder.
struct AppEnvironment {
  std::string program_path;  // argv[0] or the resolved executable path
  std::string raw_args;      // everything after the program name, one text
  std::string working_dir;   // empty means "."
  // Where the size table and the help document are looked for and read; it
  // outlives the app.
  const FileSystem* files = &RealFileSystem();
  std::function<Date()> today = Today;
  bool headless = false;     // no display: skip the sleeps meant for a watching user
};

// The text a length box's `text` is accepted as ("2.5" gives "2.500", an
// empty text the default "3.000"); nothing when it is rejected: a '/' or a
// '-' anywhere, no leading number but 0, or one too large to hold.
std::optional<std::string> AcceptedLength(const std::string& text);

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // fatal message, refusal, file error, bad switch
inline constexpr int kExitUsage = 2;   // headless start without /G:1 or ?

// The main window's job state and its handlers, without any toolkit. The Qt
// window and the headless front call the same handlers; a change the program
// makes to a control runs the same handler as a user's change.
class BoltApp {
 public:
  BoltApp(Platform& platform, AppEnvironment environment);

  Controls controls;
  bool loading = false;
  bool is_metric = false;
  std::string exe_name;
  std::vector<std::string> args;
  std::vector<SizeEntry> sizes;
  GenerationState generation;
  std::string size_table_path;  // found at start-up, used by every generation

  // Handlers.
  void Form_Load();
  void Cmb_Size_Click();
  void Cmb_Size_Change();
  void Cmb_Size_Validate();  // the pitch lookup
  void Cmb_Pitch_Click();
  void Cmb_Pitch_Validate();
  void CMB_Segments_Click();
  void CMB_Segments_Validate();  // a typed count recomposes the name
  void Chk_No_Threads_Click();
  void Chk_WF_Click();
  void Chk_Nuts_Validate();
  void Chk_Threaded_Nuts_Click();
  void TXT_Nom_Length_Validate();
  void CmdProcess_Click();
  void CmdExit_Click();
  void CMD_Help_Click();
  void Form_KeyDown(int key_code);  // 112 is F1

  void MakeFileName();
  int GetCommandLine(int max_args = kAllWords);
  void ProcessCmdStr();

  // Changes made as a user makes them: each runs the control's handler.
  void SelectSize(int index);
  void SelectPitch(int index);
  void SelectSegments(int index);
  void SetCheck(CheckBox& box, bool checked);  // runs the box's Click handler

  // The status line reports a generation only for the choices it ran with:
  // once they change it says "Ready" again. The window calls this after
  // every user action.
  void UpdateReadyStatus();

  // The status the program is to end with, once a handler asked to end it.
  std::optional<int> exit_status() const { return exit_status_; }
  const AppEnvironment& environment() const { return environment_; }
  // The script the last generation wrote, with its extension; empty when it
  // wrote none.
  const std::string& written_script() const { return written_.script_path; }
  // The files written beside the script by the last generation (STL when
  // "Write STL" was checked, then DXF when "Write DXF" was, then 3MF when
  // "Write 3MF" was), in that order.
  const std::vector<std::string>& companion_files() const { return written_.part_files; }
  // Why the last generation wrote nothing; empty after one that wrote.
  const std::string& last_error() const { return last_error_; }

 private:
  bool Ending() const { return exit_status_.has_value(); }
  void EndProgram(int status);
  void Fail(std::string_view message);  // an error message, then end with kExitFailed
  bool LoadSizeTable();
  // Selects entry `index` of `box` through `select` when it names one;
  // otherwise reports the switch with its `value` and the valid range and
  // returns false; one the user did not give is reported as the default.
  bool ApplyIndex(double index, std::string_view value, const ComboBox& box,
                  std::string_view switch_name, std::string_view list_name,
                  void (BoltApp::*select)(int), bool given = true);
  void RunUnattended();
  // One generation; a failure is shown in its message. True when written.
  // The window asks before replacing a file it did not write and words a
  // bolt too short as the slip it is there.
  bool Generate(bool in_window);
  // Composes the name again when a choice it encodes changed since.
  void RecomposeIfStale();
  // The choices the window had when it was left last, unless switches say
  // otherwise.
  void RestoreChoices();
  void Sleep(int milliseconds);

  Platform& platform_;
  AppEnvironment environment_;
  std::string exe_dir_;
  std::optional<int> exit_status_;
  WrittenFiles written_;
  std::string last_error_;
  // The size text of the last pitch lookup: the lookup keeps the user's
  // pitch while the size stays the same.
  std::optional<std::string> looked_up_size_;
  // The choices the name in TXT_File was composed from (or given with).
  std::string named_choices_;
  // The choices the status line's report of a generation is about.
  std::optional<std::string> reported_choices_;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_BOLT_APP_H_
