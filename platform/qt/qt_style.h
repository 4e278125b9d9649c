#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>

#include "platform/design.h"

namespace platform::qt {

// The forms' Windows font names on the CJK fonts installed here, at a pixel size pinned to
// 96 dpi so that layout does not depend on the screen.
QFont toQFont(const Font& font);
// The families, best first, that draw a form's font name.
QStringList familiesFor(std::string_view windowsName);

// 0x00bbggrr; `fallback` for kDefaultColor.
QColor toQColor(Color color, QColor fallback);

inline QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace platform::qt
