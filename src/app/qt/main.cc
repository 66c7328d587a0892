#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/headless.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "app/qt/text_convert.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Without a display the same handlers run on the terminal.
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::strcmp(platform, "offscreen") == 0) return false;
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace boltgen;
  if (!HasDisplay()) return RunHeadless(argc, argv);

  // QApplication takes its own options out of argv; the switches are read
  // from the text as the user gave it.
  std::string raw_args = JoinArguments(argc, argv);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  AppEnvironment environment;
  environment.program_path = ToText(QCoreApplication::applicationFilePath());
  environment.raw_args = std::move(raw_args);

  QtPlatform platform;
  BoltApp app(platform, std::move(environment));
  MainWindow window(app);
  platform.AttachWindow(&window);

  app.Form_Load();
  window.ShowControls(app.controls);
  if (app.exit_status()) return *app.exit_status();
  window.show();
  const int status = QApplication::exec();
  return app.exit_status().value_or(status);
}
