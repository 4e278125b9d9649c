#include "platform/qt/qt_measurer.h"

#include <cmath>

#include "platform/qt/qt_style.h"

namespace platform::qt {

namespace {

// A character of the basic plane that is neither a mark nor a control measures the same alone
// as shaped as a one-character text; it is measured without the shaping (a lesson text
// measures hundreds of them before the first frame). The others are shaped.
bool measuresAlone(char32_t c) {
  if (c > 0xFFFF) return false;
  switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
      return false;
    default:
      return true;
  }
}

}  // namespace

QtMeasurer::Metrics& QtMeasurer::metricsFor(const Font& font) const {
  // A layout measures every character of a text in one font: skip the map on repeats.
  if (lastMetrics_ != nullptr && lastFontValue_ == font) return *lastMetrics_;
  const FontKey key{font.name, std::lround(font.pixelSize() * 100), font.bold, font.italic};
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    it = fonts_.emplace(key, std::make_unique<Metrics>(toQFont(font))).first;
  }
  lastFontValue_ = font;
  lastMetrics_ = it->second.get();
  return *lastMetrics_;
}

double QtMeasurer::advance(char32_t c, const Font& font) const {
  Metrics& m = metricsFor(font);
  const auto found = m.advances.find(c);
  if (found != m.advances.end()) return found->second;
  const double w = measuresAlone(c) ? m.metrics.horizontalAdvance(QChar(static_cast<char16_t>(c)))
                                    : m.metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
  m.advances.emplace(c, w);
  return w;
}

}  // namespace platform::qt
