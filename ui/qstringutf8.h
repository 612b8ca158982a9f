#pragma once
// The engine speaks UTF-8, Qt speaks UTF-16; text changes form here and nowhere else.

#include <QString>
#include <string>
#include <string_view>

namespace batora {

// Bytes that are not valid UTF-8 come back as U+FFFD.
inline QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string toUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace batora
