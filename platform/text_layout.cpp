#include "platform/text_layout.h"

namespace platform {

namespace {

// Characters that Japanese and Chinese typesetting keep off the start of a line: closing
// punctuation and brackets, the prolonged sound mark and small kana.
bool keptOffLineStart(char32_t c) {
  static constexpr std::u32string_view kNoLineStart =
      U"。、，．・：；！？）」』】〕〉》〟’”ー～ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ"
      U".,!?:;)]}";
  return kNoLineStart.find(c) != std::u32string_view::npos;
}

// Opening brackets, kept off the end of a line.
bool keptOffLineEnd(char32_t c) {
  static constexpr std::u32string_view kNoLineEnd = U"（「『【〔〈《〝‘“([{";
  return kNoLineEnd.find(c) != std::u32string_view::npos;
}

}  // namespace

std::vector<int> layoutLines(std::u32string_view text, double width, const Font& font,
                             const TextMeasurer& measurer) {
  std::vector<int> starts{0};
  const int n = static_cast<int>(text.size());
  int lineStart = 0;
  double lineWidth = 0;
  int afterLastSpace = -1;  // where the line may wrap after a space
  int i = 0;
  while (i < n) {
    const char32_t c = text[static_cast<std::size_t>(i)];
    if (c == U'\n') {
      starts.push_back(i + 1);
      lineStart = i + 1;
      lineWidth = 0;
      afterLastSpace = -1;
      ++i;
      continue;
    }
    const double w = measurer.advance(c, font);
    if (i == lineStart || lineWidth + w <= width) {
      lineWidth += w;
      if (c == U' ') afterLastSpace = i + 1;
      ++i;
      continue;
    }
    if (c == U' ') {
      // A space that does not fit hangs at the end of its line; the next character wraps,
      // unless the line ends there anyway.
      ++i;
      if (i < n && text[static_cast<std::size_t>(i)] != U'\n') {
        starts.push_back(i);
        lineStart = i;
        lineWidth = 0;
        afterLastSpace = -1;
      }
      continue;
    }
    int wrapAt = afterLastSpace > lineStart ? afterLastSpace : i;
    if (wrapAt == i) {
      // Carry a character down with the one that may not begin a line, and an opening bracket
      // down with what it opens, as long as the line keeps one character.
      if (keptOffLineStart(c) && wrapAt - 1 > lineStart) --wrapAt;
      if (keptOffLineEnd(text[static_cast<std::size_t>(wrapAt - 1)]) && wrapAt - 1 > lineStart)
        --wrapAt;
    }
    starts.push_back(wrapAt);
    lineStart = wrapAt;
    afterLastSpace = -1;
    lineWidth = 0;
    // The word carried to the new line is measured again there; `c` is looked at once more.
    for (int k = wrapAt; k < i; ++k)
      lineWidth += measurer.advance(text[static_cast<std::size_t>(k)], font);
  }
  return starts;
}

}  // namespace platform
