#pragma once

#include <QFontMetricsF>
#include <map>
#include <memory>
#include <unordered_map>

#include "platform/text_layout.h"

namespace platform::qt {

// Measures characters with the metrics of the font they are drawn in, so that the model's line
// layout and the drawn lines agree. Advances are cached per font and character: a lesson text is
// laid out again after every change.
class QtMeasurer : public TextMeasurer {
 public:
  double advance(char32_t c, const Font& font) const override;

 private:
  struct FontKey {
    std::string name;
    long pixelSize100;
    bool bold;
    bool italic;
    auto operator<=>(const FontKey&) const = default;
  };
  struct Metrics {
    explicit Metrics(const QFont& font) : metrics(font) {}
    QFontMetricsF metrics;
    std::unordered_map<char32_t, double> advances;
  };
  Metrics& metricsFor(const Font& font) const;

  mutable std::map<FontKey, std::unique_ptr<Metrics>> fonts_;
  mutable Font lastFontValue_;
  mutable Metrics* lastMetrics_ = nullptr;
};

}  // namespace platform::qt
