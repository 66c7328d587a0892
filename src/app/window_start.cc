#include "app/window_start.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "base/os.h"
#include "base/path.h"

namespace boltgen {

std::string FrontProgramBesideThis() {
  return std::string(FolderPrefixOf(os::ProgramPath(kFrontProgramName))) + kFrontProgramName;
}

#ifdef _WIN32
namespace {

// The command line after the program's name, exactly as the user typed it:
// Windows hands a program one text, and the window program is to read the
// same text. The name ends as the system's own parser ends it.
std::wstring ArgumentsAsGiven() {
  const wchar_t* line = GetCommandLineW();
  if (*line == L'"') {
    ++line;
    while (*line && *line != L'"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != L' ' && *line != L'\t') ++line;
  }
  return line;
}

// A batch run from cmd (/G:1, or a '?' for the help) stays on the console;
// every other run is the window's.
bool IsBatchRun(char** argv) {
  int argc = 0;
  while (argv[argc]) ++argc;
  const std::vector<std::string> arguments = os::Arguments(argc, argv);
  std::vector<const char*> words;
  for (const std::string& argument : arguments) words.push_back(argument.c_str());
  const std::vector<std::string> split =
      SplitArguments(JoinArguments(static_cast<int>(words.size()), words.data()));
  return AsksForHelp(split) || ParseSwitches(split).process_and_exit;
}

}  // namespace
#endif

std::optional<int> StartWindowIfDisplay(const std::string& program_path, char** argv) {
#ifdef _WIN32
  if (IsBatchRun(argv)) return std::nullopt;
  const std::string window = std::string(FolderPrefixOf(program_path)) + kWindowProgramName + ".exe";
  std::wstring wide_window, wide_program;
  if (!os::ToWide(window, wide_window) || !os::ToWide(program_path, wide_program)) return std::nullopt;
  if (GetFileAttributesW(wide_window.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  std::wstring command = L"\"" + wide_window + L"\"" + ArgumentsAsGiven();
  std::wstring variable;
  os::ToWide(kProgramPathVariable, variable);
  SetEnvironmentVariableW(variable.c_str(), wide_program.c_str());
  // The window program writes to the caller's standard output and error,
  // where it gave them (--dump-layout, or a pipe of a script that runs it).
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(wide_window.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &process)) {
    const os::Error error = static_cast<os::Error>(GetLastError());
    SetEnvironmentVariableW(variable.c_str(), nullptr);
    std::fprintf(stderr, "boltgen: cannot start the window program %s: %s\n", window.c_str(),
                 os::ErrorText(error).c_str());
    return kExitFailed;
  }
  CloseHandle(process.hThread);
  // The run is the window's now: a console opened only for this program (a
  // double-click) goes away instead of standing behind the window, and the
  // window's status is the run's, as when Linux replaces the process.
  FreeConsole();
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = kExitFailed;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
#else
  if (!os::HasDisplay()) return std::nullopt;
  const std::string window = std::string(FolderPrefixOf(program_path)) + kWindowProgramName;
  setenv(kProgramPathVariable, program_path.c_str(), 1);
  execv(window.c_str(), argv);  // returns only when the window program did not start
  const int error = errno;
  unsetenv(kProgramPathVariable);
  if (error == ENOENT) return std::nullopt;
  std::fprintf(stderr, "boltgen: cannot start the window program %s: %s\n", window.c_str(),
               std::strerror(error));
  return kExitFailed;
#endif
}

}  // namespace boltgen
