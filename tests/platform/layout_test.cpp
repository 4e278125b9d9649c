#include <gtest/gtest.h>

#include "platform/headless/headless_measurer.h"
#include "platform/text_layout.h"
#include "platform/utf32.h"

namespace {

using platform::Font;

// 12 px em: full-width characters 12 px, others 6 px.
Font twelvePixels() { return Font::pixels("宋体", 12); }

struct LayoutCase {
  const char* label;
  const char* text;
  double width;
  std::vector<int> starts;
};

class LayoutLines : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutLines, BreaksWhereTheCaseSays) {
  const LayoutCase& c = GetParam();
  platform::HeadlessMeasurer measurer;
  EXPECT_EQ(
      platform::layoutLines(platform::toCodePoints(c.text), c.width, twelvePixels(), measurer),
      c.starts)
      << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutLines,
    ::testing::Values(
        LayoutCase{"empty text is one line", "", 100, {0}},
        LayoutCase{"a break starts a line", "ab\ncd", 100, {0, 3}},
        LayoutCase{"a break at the end leaves an empty last line", "ab\n", 100, {0, 3}},
        LayoutCase{"two breaks make an empty line", "a\n\nb", 100, {0, 2, 3}},
        LayoutCase{"CJK fills the width exactly", "日本語です", 60, {0}},
        LayoutCase{
            "CJK wraps before the first character that does not fit", "日本語ですね", 60, {0, 5}},
        LayoutCase{"CJK wraps twice", "一二三四五六七八九十", 36, {0, 3, 6, 9}},
        LayoutCase{"Latin wraps after the last space", "hello world", 42, {0, 6}},
        LayoutCase{"a word longer than the line wraps inside it", "abcdefghij", 30, {0, 5}},
        LayoutCase{"a space that does not fit hangs", "abcde fgh", 30, {0, 6}},
        LayoutCase{"a hanging space before a break makes no empty line", "abcde \nfg", 30, {0, 7}},
        LayoutCase{"a character wider than the line still gets a line", "日本", 6, {0, 1}},
        LayoutCase{"wrapping restarts after each break", "一二三四\n一二三四", 36, {0, 3, 5, 8}},
        LayoutCase{"a full stop does not begin a line", "日本語です。", 60, {0, 4}},
        LayoutCase{"a small kana does not begin a line", "きをつけてっ", 60, {0, 4}},
        LayoutCase{"an opening bracket does not end a line", "日本語「です」", 48, {0, 3}},
        LayoutCase{"a line of one character keeps it", "日。", 12, {0, 1}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(HeadlessMeasurer, FullWidthIsOneEmOtherHalf) {
  platform::HeadlessMeasurer m;
  const Font f = twelvePixels();
  EXPECT_DOUBLE_EQ(m.advance(U'日', f), 12);
  EXPECT_DOUBLE_EQ(m.advance(U'ア', f), 12);
  EXPECT_DOUBLE_EQ(m.advance(U'：', f), 12);
  EXPECT_DOUBLE_EQ(m.advance(U'a', f), 6);
  EXPECT_DOUBLE_EQ(m.advance(U'[', f), 6);
}

}  // namespace
