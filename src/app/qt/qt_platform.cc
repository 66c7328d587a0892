#include "app/qt/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

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
  return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

void QtPlatform::EndProgram(int status) { QCoreApplication::exit(status); }

void QtPlatform::ShowWindow() {
  if (window_) window_->show();
}

}  // namespace boltgen
