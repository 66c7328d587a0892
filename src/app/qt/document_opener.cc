#include "app/qt/document_opener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace boltgen {

QStringList FallbackOpeners() {
  return {"gio",     "kde-open", "evince",   "okular", "atril",   "xreader", "qpdfview",
          "zathura", "mupdf",    "xpdf",     "firefox", "chromium", "google-chrome"};
}

bool OpenDocumentAnyWay(const QString& absolute_path) {
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(absolute_path))) return true;
  for (const QString& name : FallbackOpeners()) {
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) continue;
    // gio needs its verb; every other opener takes the document alone.
    const QStringList arguments =
        name == "gio" ? QStringList{"open", absolute_path} : QStringList{absolute_path};
    if (QProcess::startDetached(program, arguments)) return true;
  }
  return false;
}

}  // namespace boltgen
