#include "platform/qt/qt_measurer.h"

#include <cmath>

#include "platform/qt/qt_style.h"

namespace platform::qt {

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
  const double w = m.metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
  m.advances.emplace(c, w);
  return w;
}

}  // namespace platform::qt
