#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/headless.h"
#include "app/layout_dump.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "app/window_start.h"
#include "base/atomic_file.h"
#include "base/os.h"

namespace {

constexpr char kDumpLayout[] = "--dump-layout";

// The program the user started, which names the size table and the help
// document: `boltgen` says so when it hands over; started directly, this
// program stands for the `boltgen` beside it.
std::string FrontProgramPath() {
  if (const char* front = std::getenv(boltgen::kProgramPathVariable); front && *front) {
    std::string path = front;
    unsetenv(boltgen::kProgramPathVariable);  // not for the viewers it starts
    return path;
  }
  return boltgen::FrontProgramBesideThis();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace boltgen;
  InstallSignalCleanup();  // before any temporary can exist
  // --dump-layout prints the window's controls as they stand after start-up,
  // read back from the widgets, and ends; it needs no screen.
  bool dump_layout = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], kDumpLayout) != 0) continue;
    dump_layout = true;
    std::copy(argv + i + 1, argv + argc + 1, argv + i);
    --argc;
    break;
  }
  // Started directly without a display, it works as `boltgen` would.
  if (!dump_layout && !os::HasDisplay()) return RunHeadless(argc, argv);

  // QApplication takes its own options out of argv; the switches are read
  // from the text as the user gave it.
  std::string raw_args = JoinArguments(argc, argv);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  AppEnvironment environment;
  environment.program_path = FrontProgramPath();
  environment.raw_args = std::move(raw_args);

  QtPlatform platform;
  BoltApp app(platform, std::move(environment));
  MainWindow window(app);
  platform.AttachWindow(&window);

  app.Form_Load();
  window.ShowControls(app.controls);
  if (dump_layout) {
    std::fputs(FormatLayout(window.Dump()).c_str(), stdout);
    return app.exit_status().value_or(kExitOk);
  }
  if (app.exit_status()) return *app.exit_status();
  window.show();
  const int status = QApplication::exec();
  return app.exit_status().value_or(status);
}
