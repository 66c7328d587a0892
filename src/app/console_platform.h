#ifndef BOLTGEN_APP_CONSOLE_PLATFORM_H_
#define BOLTGEN_APP_CONSOLE_PLATFORM_H_

#include <cstdio>
#include <optional>
#include <string>

#include "base/platform.h"

namespace boltgen {

// The desktop as a terminal sees it: the status line goes to standard
// error whenever it changes, information to standard output, errors to
// standard error. There is no window to show or repaint.
class ConsolePlatform : public Platform {
 public:
  ConsolePlatform(std::FILE* out, std::FILE* err, bool skip_sleeps)
      : out_(out), err_(err), skip_sleeps_(skip_sleeps) {}

  void Repaint(const Controls& controls) override;
  void ProcessEvents() override {}
  void ShowMessage(MessageKind kind, std::string_view text) override;
  void Sleep(int milliseconds) override;
  bool OpenDocument(const std::string& path) override;
  void EndProgram(int status) override { end_status_ = status; }
  void ShowWindow() override {}

  std::optional<int> end_status() const { return end_status_; }

 private:
  std::FILE* out_;
  std::FILE* err_;
  bool skip_sleeps_;
  std::string shown_status_;
  std::optional<int> end_status_;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_CONSOLE_PLATFORM_H_
