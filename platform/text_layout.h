#pragma once

#include <string_view>
#include <vector>

#include "platform/design.h"

namespace platform {

// Measures text as a backend draws it. The headless backend's measurer is deterministic;
// the Qt backend's uses font metrics.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The advance width of one character in pixels.
  virtual double advance(char32_t c, const Font& font) const = 0;
};

// The one line layout of rich edit boxes: the positions where the lines of `text` start when
// it is laid out in `width` pixels in `font`. A line break ('\n', one position) ends a line and
// the next line starts after it (also at the very end: "a\n" has two lines). A line that does
// not fit wraps after its last space when it has one, else before the first character that does
// not fit; every line holds at least one character, so no wrapped line is empty. Wrapping inside
// CJK text keeps closing punctuation and small kana off a line's start (the character before goes
// down with it) and an opening bracket off a line's end.
// The first entry is always 0.
std::vector<int> layoutLines(std::u32string_view text, double width, const Font& font,
                             const TextMeasurer& measurer);

}  // namespace platform
