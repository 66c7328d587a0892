// Takes the picture of the main window as it starts, with the shipped size
// table and no stored choices, for the manual:
//
//   boltgen_window_png OUT.png
//
// Run on the offscreen platform; nothing but the picture is written.

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <optional>
#include <string>

#include "app/bolt_app.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "app/window_start.h"

namespace {

// The window as a new user first sees it: the user's own stored choices
// stay out of the picture.
class FirstStartPlatform : public boltgen::QtPlatform {
 public:
  std::optional<std::string> ReadSetting(std::string_view) override { return std::nullopt; }
  void WriteSetting(std::string_view, std::string_view) override {}
};

}  // namespace

int main(int argc, char** argv) {
  using namespace boltgen;
  if (argc != 2) {
    std::fputs("usage: boltgen_window_png OUT.png\n", stderr);
    return kExitUsage;
  }
  QApplication application(argc, argv);
  AppEnvironment environment;
  environment.program_path = FrontProgramBesideThis();
  FirstStartPlatform platform;
  BoltApp app(platform, environment);
  MainWindow window(app);
  platform.AttachWindow(&window);
  app.Form_Load();
  if (app.exit_status()) return kExitFailed;
  window.ShowControls(app.controls);
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "boltgen_window_png: cannot write %s\n", argv[1]);
    return kExitFailed;
  }
  return kExitOk;
}
