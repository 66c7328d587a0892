#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#include "base/os.h"

namespace boltgen::os {
namespace {

// Fails on text that is not UTF-8 rather than guessing: a mangled name would
// write or read another file than the one asked for.
bool Widen(std::string_view utf8, std::wstring& wide) {
  wide.clear();
  if (utf8.empty()) return true;
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size,
                                         nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(),
                             length) == length;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr,
                                         nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

HANDLE Handle(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

// Six letters or digits; the name's uniqueness comes from CREATE_NEW, the
// randomness only keeps retries rare.
std::string RandomSuffix() {
  static unsigned long long state = [] {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<unsigned long long>(counter.QuadPart) ^
           (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^ 0x9E3779B97F4A7C15ull;
  }();
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix;
  for (int i = 0; i < 6; ++i) {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    suffix += kLetters[state % (sizeof kLetters - 1)];
  }
  return suffix;
}

}  // namespace

std::string ErrorText(ErrorCode error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length > 0 ? Narrow(std::wstring_view(text, length)) : std::string();
  LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  if (message.empty()) message = "Windows error " + std::to_string(error);
  return message;
}

bool IsNotFound(ErrorCode error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool IsAlreadyExisting(ErrorCode error) {
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

ErrorCode TooManyOpenFiles() { return ERROR_TOO_MANY_OPEN_FILES; }

std::vector<std::string> Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::string ProgramPath(const std::string& fallback) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return fallback;
    if (length < size) return Narrow(std::wstring_view(buffer.data(), length));
    if (buffer.size() >= 32768) return fallback;
    buffer.resize(buffer.size() * 2);
  }
}

void PrepareConsole() { SetConsoleOutputCP(CP_UTF8); }

// A console program on Windows always runs on a desktop that can open a
// document.
bool OpenDocument(const std::string& path) {
  std::wstring wide;
  if (!Widen(path, wide)) return false;
  // The shell's handlers may use COM; the call fails harmlessly when it is
  // already set up in another mode.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

namespace {

// The command line after the program's name, exactly as the user typed it.
// The name ends as the system's own parser ends it.
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

}  // namespace

ErrorCode RunInstead(const std::string& program, char**, const std::string& variable,
                     const std::string& value) {
  std::wstring wide_program, wide_variable, wide_value;
  if (!Widen(program, wide_program) || !Widen(variable, wide_variable) ||
      !Widen(value, wide_value)) {
    return ERROR_NO_UNICODE_TRANSLATION;
  }
  std::wstring command = L"\"" + wide_program + L"\"" + ArgumentsAsGiven();
  SetEnvironmentVariableW(wide_variable.c_str(), wide_value.c_str());
  // The program writes to this program's standard output and error, where
  // the caller gave them (a pipe, a file).
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(wide_program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &process)) {
    const ErrorCode error = static_cast<ErrorCode>(GetLastError());
    SetEnvironmentVariableW(wide_variable.c_str(), nullptr);
    return error;
  }
  CloseHandle(process.hThread);
  // The run is the program's now: a console opened only for this program (a
  // double-click) goes away instead of standing behind its window, and its
  // status is the run's, as when POSIX replaces the process.
  FreeConsole();
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  std::exit(static_cast<int>(status));
}

bool ToWide(std::string_view utf8, std::wstring& wide) { return Widen(utf8, wide); }

std::string FromWide(std::wstring_view wide) { return Narrow(wide); }

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_s(&local, &when);
  return local;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  std::wstring wide_path, wide_mode;
  if (!Widen(path, wide_path) || !Widen(mode, wide_mode)) {
    errno = EILSEQ;
    return nullptr;
  }
  return _wfopen(wide_path.c_str(), wide_mode.c_str());
}

ErrorCode CreateUniqueFile(const std::string& prefix, std::string& path, NativeFile& file) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = prefix + RandomSuffix();
    std::wstring wide;
    if (!Widen(name, wide)) return ERROR_NO_UNICODE_TRANSLATION;
    const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      path = name;
      file = reinterpret_cast<NativeFile>(handle);
      return 0;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return static_cast<ErrorCode>(error);
  }
  return ERROR_FILE_EXISTS;
}

ErrorCode WriteAll(NativeFile file, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(Handle(file), data, chunk, &written, nullptr)) {
      return static_cast<ErrorCode>(GetLastError());
    }
    if (written == 0) return ERROR_WRITE_FAULT;
    data += written;
    left -= written;
  }
  return 0;
}

// A new file inherits its folder's access rules, as one made the ordinary way
// does: there is nothing to change.
ErrorCode SetCreatedFilePermissions(NativeFile) { return 0; }

// Windows keeps a file's access rules with the folder and its read-only mark
// with the file: the new file has nothing of the old one's to take over.
ErrorCode SetPermissionsFor(NativeFile, const std::string&) { return 0; }

ErrorCode CheckReplaceable(const std::string& path) {
  std::wstring wide;
  if (!Widen(path, wide)) return ERROR_NO_UNICODE_TRANSLATION;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : static_cast<ErrorCode>(error);
  }
  // What replacing it would have met: a folder cannot be replaced by a file.
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
  if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
  return 0;
}

ErrorCode KeepCopy(const std::string& path, const std::string& aside) {
  std::wstring wide_path, wide_aside;
  if (!Widen(path, wide_path) || !Widen(aside, wide_aside)) return ERROR_NO_UNICODE_TRANSLATION;
  return CopyFileW(wide_path.c_str(), wide_aside.c_str(), FALSE) ? 0
                                                                 : static_cast<ErrorCode>(GetLastError());
}

ErrorCode SyncFile(NativeFile file) {
  return FlushFileBuffers(Handle(file)) ? 0 : static_cast<ErrorCode>(GetLastError());
}

ErrorCode CloseFile(NativeFile file) {
  return CloseHandle(Handle(file)) ? 0 : static_cast<ErrorCode>(GetLastError());
}

ErrorCode MoveIntoPlace(const std::string& from, const std::string& to) {
  std::wstring wide_from, wide_to;
  if (!Widen(from, wide_from) || !Widen(to, wide_to)) return ERROR_NO_UNICODE_TRANSLATION;
  return MoveFileExW(wide_from.c_str(), wide_to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : static_cast<ErrorCode>(GetLastError());
}

ErrorCode RemoveFile(const std::string& path) {
  std::wstring wide;
  if (!Widen(path, wide)) return ERROR_NO_UNICODE_TRANSLATION;
  return DeleteFileW(wide.c_str()) ? 0 : static_cast<ErrorCode>(GetLastError());
}

// Windows has no file without a name: the temporaries are named from the
// start, stamped so that a later run removes a killed run's leftovers.
bool CreateUnnamedFile(const std::string&, NativeFile&) { return false; }

ErrorCode NameFile(NativeFile, const std::string&) { return ERROR_NOT_SUPPORTED; }

namespace {

// The creation time of a process, in 100 ns steps since 1601; 0 when the
// system will not say.
unsigned long long CreationTime(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

std::string ProcessStamp() {
  static const std::string stamp = std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(CreationTime(GetCurrentProcess()));
  return stamp;
}

bool StampIsRunning(std::string_view stamp) {
  const std::size_t dash = stamp.find('-');
  if (dash == 0 || dash == std::string_view::npos) return true;
  unsigned long long pid = 0;
  for (const char c : stamp.substr(0, dash)) {
    if (c < '0' || c > '9' || pid > 0xFFFFFFFFull) return true;
    pid = pid * 10 + static_cast<unsigned>(c - '0');
  }
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool active = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  const std::string start = std::to_string(CreationTime(process));
  CloseHandle(process);
  const std::string_view recorded = stamp.substr(dash + 1);
  return active && (recorded == "0" || recorded == start);
}

void InstallEndHandler(void (*handler)(int)) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGBREAK}) {
    if (std::signal(signal_number, handler) == SIG_IGN) std::signal(signal_number, SIG_IGN);
  }
}

// The console's handler runs on a thread of its own, where allocating is safe.
void RemoveFileInHandler(const char* path) { RemoveFile(path); }

void EndInHandler(int status) { std::_Exit(status); }

SignalsHeld::SignalsHeld() : previous_{} {}
SignalsHeld::~SignalsHeld() = default;

// A named mutex of the folder's full path, letter case folded as the file
// system folds it: nothing is left in the folder, and the system releases
// the mutex of a process that ends holding it.
FolderLock::FolderLock(const std::string& folder) : handle_(0) {
  std::wstring wide, full(32768, L'\0');
  if (!Widen(folder.empty() ? "." : folder, wide)) return;
  const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return;
  full.resize(length);
  unsigned long long hash = 14695981039346656037ull;
  for (const wchar_t c : full) {
    hash ^= static_cast<unsigned long long>(std::towupper(c == L'/' ? L'\\' : c));
    hash *= 1099511628211ull;
  }
  wchar_t name[64];
  swprintf(name, 64, L"Local\\boltgen-folder-%016llx", hash);
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  if (mutex == nullptr) return;
  const DWORD waited = WaitForSingleObject(mutex, INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

FolderLock::~FolderLock() {
  if (handle_ == 0) return;
  ReleaseMutex(reinterpret_cast<HANDLE>(handle_));
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

// Large pages need a privilege that ordinary users lack; committed pages
// are zero-filled all the same.
void* AllocateLargeZeroed(std::size_t bytes) {
  return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void FreeLarge(void* block, std::size_t) {
  if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace boltgen::os
