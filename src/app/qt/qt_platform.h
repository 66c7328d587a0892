#ifndef BOLTGEN_APP_QT_QT_PLATFORM_H_
#define BOLTGEN_APP_QT_QT_PLATFORM_H_

#include <string>
#include <string_view>

#include "app/platform.h"

namespace boltgen {

class MainWindow;

// The desktop as the handlers see it when the program has a window. The
// window is attached after it is built, because the window needs the job
// state that needs this platform.
class QtPlatform : public Platform {
 public:
  void AttachWindow(MainWindow* window) { window_ = window; }

  void Repaint(const Controls& controls) override;
  void ProcessEvents() override;
  void ShowMessage(MessageKind kind, std::string_view text) override;
  void Sleep(int milliseconds) override;
  bool OpenDocument(const std::string& path) override;
  void EndProgram(int status) override;
  void ShowWindow() override;
  bool Ask(std::string_view question) override;
  std::optional<std::string> ReadSetting(std::string_view key) override;
  void WriteSetting(std::string_view key, std::string_view value) override;

 private:
  MainWindow* window_ = nullptr;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_QT_PLATFORM_H_
