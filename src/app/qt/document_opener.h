#ifndef BOLTGEN_APP_QT_DOCUMENT_OPENER_H_
#define BOLTGEN_APP_QT_DOCUMENT_OPENER_H_

#include <QString>
#include <QStringList>

namespace boltgen {

// The programs tried, in this order, when the desktop's own way of opening a
// document fails (no xdg-open, no portal): the desktop's other openers, then
// common PDF viewers and browsers, each found on PATH.
QStringList FallbackOpeners();

// Opens the document at `absolute_path` the desktop's way (QDesktopServices)
// or else with the first fallback opener that starts. False only when none
// could be started.
bool OpenDocumentAnyWay(const QString& absolute_path);

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_DOCUMENT_OPENER_H_
