#ifndef BOLTGEN_APP_QT_TEXT_CONVERT_H_
#define BOLTGEN_APP_QT_TEXT_CONVERT_H_

#include <QString>

#include <string>
#include <string_view>

namespace boltgen {

// The controls hold 8-bit text in the system's encoding, as the size table
// and the command line bring it; Qt widgets hold Unicode.
inline QString ToQString(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToText(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_TEXT_CONVERT_H_
