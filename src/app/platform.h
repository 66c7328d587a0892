#ifndef BOLTGEN_APP_PLATFORM_H_
#define BOLTGEN_APP_PLATFORM_H_

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/controls.h"

namespace boltgen {

enum class MessageKind {
  kInfo,   // the command-line help
  kError,  // a fatal message, a refusal, a rejected length, a file error
};

// Everything the handlers need from the desktop, so that the same handlers
// run behind the window and on a terminal without a display.
class Platform {
 public:
  virtual ~Platform() = default;

  // Show the controls as they are now, at once (the status line above all).
  virtual void Repaint(const Controls& controls) = 0;
  // Let queued window events run (repaints; user input waits).
  virtual void ProcessEvents() = 0;
  // A message box with an OK button and the program's title.
  virtual void ShowMessage(MessageKind kind, std::string_view text) = 0;
  virtual void Sleep(int milliseconds) = 0;
  // Open a document with the desktop's default program; false when no
  // program could be started for it (the user is then told where it is).
  virtual bool OpenDocument(const std::string& path) = 0;
  // The program is to end with this status once the running handler returns.
  virtual void EndProgram(int status) = 0;
  virtual void ShowWindow() = 0;

  // A line for standard error: what a batch job logs and a window user
  // never needs to answer (unused switches, what a run wrote).
  virtual void Note(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
  }
  // A question with Yes and No buttons; true for Yes. A front that cannot
  // ask answers No, so that nothing is replaced unasked.
  virtual bool Ask(std::string_view /*question*/) { return false; }

  // The user's store of settings kept between runs of the window (QSettings
  // on Linux, the registry under HKCU on Windows). A front without one keeps
  // nothing: reads find nothing and writes are dropped.
  virtual std::optional<std::string> ReadSetting(std::string_view /*key*/) { return std::nullopt; }
  virtual void WriteSetting(std::string_view /*key*/, std::string_view /*value*/) {}
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_PLATFORM_H_
