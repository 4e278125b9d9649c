#pragma once

#include "platform/text_layout.h"

namespace platform {

// Deterministic measuring: a full-width character is one em wide, any other half an em; the
// em is the font's pixel size.
class HeadlessMeasurer : public TextMeasurer {
 public:
  double advance(char32_t c, const Font& font) const override;
  static bool isFullWidth(char32_t c);
};

}  // namespace platform
