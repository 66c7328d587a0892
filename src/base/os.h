#ifndef BOLTGEN_BASE_OS_H_
#define BOLTGEN_BASE_OS_H_

// The few services the program needs from the operating system, each behind
// one small function with a body per system (os_posix.cc, os_windows.cc).
// Every path and text here is UTF-8, whatever the system's own encoding, so
// that folders and files with non-ASCII names work everywhere.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace boltgen::os {

// A system error: errno on POSIX, GetLastError() on Windows. 0 is success.
using ErrorCode = int;

// The system's own words for an error, in UTF-8, without a final period.
std::string ErrorText(ErrorCode error);

// True for an error that says the file, or a folder on its way, is not there.
bool IsNotFound(ErrorCode error);

// True for an error that says a file of that name exists already.
bool IsAlreadyExisting(ErrorCode error);

// The error of a process that may hold no more open files.
ErrorCode TooManyOpenFiles();

// The command-line arguments in UTF-8, the program's name first. On Windows
// they are read from the wide command line, as the narrow argv holds them in
// the ANSI code page (losing what it cannot show).
std::vector<std::string> Arguments(int argc, char** argv);

// The running program's own file, or `fallback` when the system cannot say.
std::string ProgramPath(const std::string& fallback);

// Lets the console show UTF-8 output as it is (Windows' console assumes an
// OEM code page otherwise); nothing to do elsewhere.
void PrepareConsole();

// True when a screen is there to show a window or a document: a desktop
// session (DISPLAY or WAYLAND_DISPLAY set on POSIX; always on Windows) that
// Qt is not told to bypass by drawing offscreen, as tests and the picture
// tools do. With a display the window opens; without one the run is headless.
bool HasDisplay();

// Opens a document with the desktop's default program for it, without
// waiting for that program. False when it could not be started.
bool OpenDocument(const std::string& path);

// What the system adds to a program's name to make its file name.
#ifdef _WIN32
inline constexpr char kProgramSuffix[] = ".exe";
#else
inline constexpr char kProgramSuffix[] = "";
#endif

// True where RunInstead keeps this process and waits (Windows cannot replace
// a running program); false where the program takes this process's place.
#ifdef _WIN32
inline constexpr bool kRunInsteadWaits = true;
#else
inline constexpr bool kRunInsteadWaits = false;
#endif

// Hands the run over to `program` with `variable` set to `value` in its
// environment, and never returns when it starts: on POSIX the program replaces
// this process, given `arguments` (argv as this program got it); on Windows,
// where a program gets one text, it is given this program's command line
// after the name exactly as the user typed it, this program leaves its console
// (one opened for it alone then closes), waits, and ends with the program's
// status. Returns only when the program could not be started, with the reason;
// `variable` is then removed again.
ErrorCode RunInstead(const std::string& program, char** arguments, const std::string& variable,
                     const std::string& value);

#ifdef _WIN32
// UTF-8 to the system's UTF-16 and back, for the window's calls. False for a
// text that is not UTF-8.
bool ToWide(std::string_view utf8, std::wstring& wide);
std::string FromWide(std::wstring_view wide);
#endif

// The calendar fields of `when` in the local time zone.
std::tm LocalTime(std::time_t when);

// Paths between UTF-8 text and std::filesystem, which otherwise converts
// through the ANSI code page on Windows.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// fopen for a UTF-8 path; sets errno on failure like fopen.
std::FILE* OpenFile(const std::string& path, const char* mode);

// An open file for writing: a descriptor on POSIX, a HANDLE on Windows.
using NativeFile = std::intptr_t;

// Creates a new, empty file of a name no other file has, in the folder that
// `prefix` starts with (its text up to the last separator, or the working
// folder), its name starting with the rest of `prefix`. On success `path`
// names it and `file` is open for writing.
ErrorCode CreateUniqueFile(const std::string& prefix, std::string& path, NativeFile& file);

// Writes all of `bytes`, exactly as given (no line-end translation).
ErrorCode WriteAll(NativeFile file, std::string_view bytes);

// Gives the file the permissions a file created the ordinary way would get
// (a unique file starts readable by its owner only on POSIX).
ErrorCode SetCreatedFilePermissions(NativeFile file);

// Gives the file the permissions of the file at `target` when there is one
// (a replaced file keeps its permission bits), else those of a file created
// the ordinary way.
ErrorCode SetPermissionsFor(NativeFile file, const std::string& target);

// 0 when `path` does not exist or may be replaced; an error when it is a
// folder, or marked read-only (for every user, the administrator too: the
// mark is how users protect a finished file), or not writable.
ErrorCode CheckReplaceable(const std::string& path);

// Makes `aside` (an existing placeholder, replaced) hold the file now at
// `path`, so that it can be put back: a hard link where the file system has
// them, else a copy with the same permissions.
ErrorCode KeepCopy(const std::string& path, const std::string& aside);

// Waits until the file's contents are on the disk.
ErrorCode SyncFile(NativeFile file);

ErrorCode CloseFile(NativeFile file);

// Puts `from` in the place of `to` in one step, replacing an existing `to`;
// readers see either the old file or the new one.
ErrorCode MoveIntoPlace(const std::string& from, const std::string& to);

ErrorCode RemoveFile(const std::string& path);

// Creates a file for writing in `folder` (empty: the working folder) that
// has no name yet, so that a run killed before it is named leaves nothing
// behind (Linux O_TMPFILE). False where the system or the file system cannot;
// the caller then names its temporary from the start.
bool CreateUnnamedFile(const std::string& folder, NativeFile& file);

// Gives a file from CreateUnnamedFile the name `path`, which must not exist.
ErrorCode NameFile(NativeFile file, const std::string& path);

// ---- Processes and signals ------------------------------------------------

// This process as "PID-START": its number and the time it started, in the
// system's own units, so that a later process given the same number is told
// apart from it.
std::string ProcessStamp();

// False only when no process of this stamp runs any more: the number is free
// or taken by a process started at another time. A stamp that cannot be
// read counts as running.
bool StampIsRunning(std::string_view stamp);

// Calls `handler` with the signal's number when the user or the session asks
// the program to end (interrupt, terminate, hang-up and quit; Ctrl+C and
// Ctrl+Break on Windows). A signal that was ignored when the program started
// (nohup) stays ignored. A write past the file size limit (ulimit -f) fails
// with an error instead of ending the program. `handler` may only call the
// two functions below and read what it finds already in place.
void InstallEndHandler(void (*handler)(int));

// For the handler: removes the file without allocating or locking.
void RemoveFileInHandler(const char* path);
[[noreturn]] void EndInHandler(int status);

// While one exists, the signals of InstallEndHandler wait, so that what the
// holder does is finished or not begun when the handler runs. Windows
// delivers Ctrl+C on a thread of its own and has no mask to hold it.
class SignalsHeld {
 public:
  SignalsHeld();
  ~SignalsHeld();
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  alignas(8) unsigned char previous_[128];
};

// An advisory lock on a folder, held until it is destroyed, that every run
// writing into the folder takes: two runs replacing the same names take
// turns. A lock the system cannot give is no lock, not an error: the files
// are still each replaced whole.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  std::intptr_t handle_;
};

// Zero-filled memory for the large working buffers, or nullptr when memory is
// short. Where the system offers large pages the block is backed by them:
// each first touch of a small page costs more than the work done in it.
void* AllocateLargeZeroed(std::size_t bytes);
// Gives back a block from AllocateLargeZeroed, with the same size.
void FreeLarge(void* block, std::size_t bytes);

}  // namespace boltgen::os

#endif  // BOLTGEN_BASE_OS_H_
