#include "app/qt/qt_platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QThread>

#include "app/qt/document_opener.h"
#include "app/qt/main_window.h"
#include "app/qt/text_convert.h"
#include "app/window_texts.h"

namespace boltgen {

void QtPlatform::Repaint(const Controls& controls) {
  if (!window_) return;
  window_->ShowControls(controls);
  window_->repaint();
}

void QtPlatform::ProcessEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::ShowMessage(MessageKind kind, std::string_view text) {
  const QMessageBox::Icon icon =
      kind == MessageKind::kInfo ? QMessageBox::Information : QMessageBox::Warning;
  QWidget* parent = window_ && window_->isVisible() ? window_ : nullptr;
  QMessageBox box(icon, ToQString(kWindowTitle), ToQString(text), QMessageBox::Ok,
                  parent);
  box.exec();
}

void QtPlatform::Sleep(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool QtPlatform::OpenDocument(const std::string& path) {
  if (path.empty()) return false;
  // A relative name would be resolved by the viewer, whose working folder is
  // not ours.
  const QString absolute = QFileInfo(ToQString(path)).absoluteFilePath();
  return OpenDocumentAnyWay(absolute);
}

bool QtPlatform::Ask(std::string_view question) {
  QWidget* parent = window_ && window_->isVisible() ? window_ : nullptr;
  QMessageBox box(QMessageBox::Question, ToQString(kWindowTitle), ToQString(question),
                  QMessageBox::Yes | QMessageBox::No, parent);
  // Enter must not replace someone else's file by accident.
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

// The user's own settings file: ~/.config/boltgen/boltgen.conf.
std::optional<std::string> QtPlatform::ReadSetting(std::string_view key) {
  const QVariant value = QSettings("boltgen", "boltgen").value(ToQString(key));
  if (!value.isValid()) return std::nullopt;
  return ToText(value.toString());
}

void QtPlatform::WriteSetting(std::string_view key, std::string_view value) {
  QSettings("boltgen", "boltgen").setValue(ToQString(key), ToQString(value));
}

void QtPlatform::EndProgram(int status) { QCoreApplication::exit(status); }

void QtPlatform::ShowWindow() {
  if (window_) window_->show();
}

}  // namespace boltgen
