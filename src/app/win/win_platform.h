#ifndef BOLTGEN_APP_WIN_WIN_PLATFORM_H_
#define BOLTGEN_APP_WIN_WIN_PLATFORM_H_

#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

#include "app/platform.h"

namespace boltgen::win {

class MainWindow;

// The desktop as the handlers see it in the Windows window. The window is
// attached after it is built, as it needs the job state that needs this.
class WinPlatform : public Platform {
 public:
  void AttachWindow(MainWindow* window) { window_ = window; }

  void Repaint(const Controls& controls) override;
  void ProcessEvents() override;
  void ShowMessage(MessageKind kind, std::string_view text) override;
  bool Ask(std::string_view question) override;
  std::optional<std::string> ReadSetting(std::string_view key) override;
  void WriteSetting(std::string_view key, std::string_view value) override;
  void Sleep(int milliseconds) override;
  bool OpenDocument(const std::string& path) override;
  void EndProgram(int status) override;
  void ShowWindow() override;

 private:
  HWND Owner() const;

  MainWindow* window_ = nullptr;
};

}  // namespace boltgen::win

#endif  // BOLTGEN_APP_WIN_WIN_PLATFORM_H_
