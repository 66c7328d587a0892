// The Windows window program, which `boltgen.exe` hands a run over to when
// it is no batch run; started directly (a double-click) it opens the window
// the same way. `--dump-layout` prints the window's controls as they stand
// after start-up, read back from the window, and ends.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/forms/form.h"
#include "app/layout_dump.h"
#include "app/win/dpi.h"
#include "app/win/main_window.h"
#include "app/win/wide_text.h"
#include "app/win/win_platform.h"
#include "app/window_start.h"
#include "app/window_texts.h"
#include "base/atomic_file.h"
#include "base/os.h"

namespace {

constexpr char kDumpLayout[] = "--dump-layout";

// The program the user started, which names the size table and the help
// document: `boltgen.exe` says so when it hands over; started directly,
// this program stands for the `boltgen.exe` beside it.
std::string FrontProgramPath() {
  using namespace boltgen;
  const std::wstring variable = win::Wide(kProgramPathVariable);
  std::wstring front(32768, L'\0');
  const DWORD length = GetEnvironmentVariableW(variable.c_str(), front.data(), static_cast<DWORD>(front.size()));
  if (length > 0 && length < front.size()) {
    front.resize(length);
    SetEnvironmentVariableW(variable.c_str(), nullptr);  // not for the viewers it starts
    return win::Narrow(front);
  }
  return FrontProgramBesideThis();
}

// A window program has no console; its standard output is there when the
// caller gave it one, as a pipe or a file.
void WriteOut(const std::string& text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  if (out && out != INVALID_HANDLE_VALUE) WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace boltgen;
  InstallSignalCleanup();  // before any temporary can exist
  std::vector<std::string> arguments = os::Arguments(argc, argv);
  const auto dump = std::find(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end(), kDumpLayout);
  const bool dump_layout = dump != arguments.end();
  if (dump_layout) arguments.erase(dump);
  std::vector<const char*> words;
  for (const std::string& argument : arguments) words.push_back(argument.c_str());

  win::BecomeDpiAware();
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);

  AppEnvironment environment;
  environment.program_path = FrontProgramPath();
  environment.raw_args = JoinArguments(static_cast<int>(words.size()), words.data());

  win::WinPlatform platform;
  BoltApp app(platform, std::move(environment));
  win::MainWindow window(app, kMainForm);
  if (!window.Create(GetModuleHandleW(nullptr))) {
    MessageBoxW(nullptr, L"The window could not be created.", win::Wide(kWindowTitle).c_str(), MB_OK | MB_ICONERROR);
    return kExitFailed;
  }
  platform.AttachWindow(&window);

  app.Form_Load();
  window.ShowControls(app.controls);
  if (dump_layout) {
    WriteOut(FormatLayout(window.Dump()));
    return app.exit_status().value_or(kExitOk);
  }
  if (app.exit_status()) return *app.exit_status();
  window.Show();
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    window.AfterDispatch(message);
  }
  return app.exit_status().value_or(static_cast<int>(message.wParam));
}
