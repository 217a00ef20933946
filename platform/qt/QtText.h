// Text between the program (UTF-8 std::string) and Qt (QString).
#pragma once

#include <QString>

#include <string>

namespace platform::qt {

inline QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

inline std::string ToUtf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace platform::qt
