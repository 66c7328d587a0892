#ifndef BOLTGEN_APP_CONSOLE_PLATFORM_H_
#define BOLTGEN_APP_CONSOLE_PLATFORM_H_

#include <cstdio>
#include <string>

#include "app/platform.h"

namespace boltgen {

// The desktop as a terminal sees it: the status line goes to standard
// error whenever it changes, information to standard output, errors to
// standard error. There is no window to show or repaint, and no pauses: they
// only let a watching user see the window's status before it closes.
class ConsolePlatform : public Platform {
 public:
  ConsolePlatform(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

  void Repaint(const Controls& controls) override;
  void ProcessEvents() override {}
  void ShowMessage(MessageKind kind, std::string_view text) override;
  void Sleep(int) override {}
  bool OpenDocument(const std::string& path) override;
  void EndProgram(int) override {}
  void ShowWindow() override {}
  void Note(std::string_view line) override;

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::string shown_status_;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_CONSOLE_PLATFORM_H_
