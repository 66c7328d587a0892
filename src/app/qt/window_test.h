#ifndef BOLTGEN_APP_QT_WINDOW_TEST_H_
#define BOLTGEN_APP_QT_WINDOW_TEST_H_

// The real window in a fresh working folder, shared by the window's and the
// preview's tests on the offscreen platform.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"

namespace boltgen {

// The window's platform with the desktop's modal parts recorded instead.
class RecordingPlatform : public QtPlatform {
 public:
  void ShowMessage(MessageKind, std::string_view text) override { messages.emplace_back(text); }
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return viewer_found;
  }
  void Sleep(int) override {}
  bool Ask(std::string_view question) override {
    questions.emplace_back(question);
    return answer;
  }
  std::optional<std::string> ReadSetting(std::string_view key) override {
    const auto found = settings.find(std::string(key));
    if (found == settings.end()) return std::nullopt;
    return found->second;
  }
  void WriteSetting(std::string_view key, std::string_view value) override {
    settings[std::string(key)] = value;
  }

  std::vector<std::string> messages, opened, questions;
  std::map<std::string, std::string> settings;
  bool viewer_found = true;
  bool answer = false;
};

// Starts the program's window over `size_table` and a stand-in help document;
// the working folder goes back to what it was afterwards.
class WindowUnderTest {
 public:
  // `settings` is what earlier runs left in the user's store; `raw_args` the
  // command line.
  explicit WindowUnderTest(const QByteArray& size_table,
                           std::map<std::string, std::string> settings = {},
                           std::string raw_args = {}) {
    platform.settings = std::move(settings);
    QDir::setCurrent(folder.path());
    for (const auto& [name, content] : {std::pair{"boltgen.ini", size_table},
                                        std::pair{"boltgen.pdf", QByteArray("%PDF-1.4\n")}}) {
      QFile file(Path(name));
      if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", name);
    }
    AppEnvironment environment;
    environment.program_path = Path("boltgen").toStdString();
    environment.working_dir = folder.path().toStdString();
    environment.raw_args = std::move(raw_args);
    app = std::make_unique<BoltApp>(platform, environment);
    window = std::make_unique<MainWindow>(*app);
    platform.AttachWindow(window.get());
    app->Form_Load();
    window->ShowControls(app->controls);
    window->show();
  }
  ~WindowUnderTest() { QDir::setCurrent(previous_folder_); }

  QString Path(const QString& name) const { return folder.filePath(name); }
  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = window->findChild<T*>(name);
    if (!widget) qFatal("no widget %s", name);
    return widget;
  }

  QTemporaryDir folder;
  RecordingPlatform platform;
  std::unique_ptr<BoltApp> app;
  std::unique_ptr<MainWindow> window;

 private:
  const QString previous_folder_ = QDir::currentPath();
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_WINDOW_TEST_H_
