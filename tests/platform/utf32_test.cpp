#include <gtest/gtest.h>

#include "platform/utf32.h"

namespace {

struct CodePointCase {
  const char* label;
  std::string utf8;
  std::u32string expected;
};

TEST(Utf32, ToCodePointsKeepsCharactersAndReplacesEveryBadByte) {
  const CodePointCase cases[] = {
      {"ASCII, CJK, kana and a four-byte character", "a日ア\xF0\x9F\x98\x80", U"a日ア\U0001F600"},
      {"a sequence cut off at the end", "a\xE6\x97", U"a\uFFFD\uFFFD"},
      {"a continuation byte alone", "\x80z", U"\uFFFDz"},
      {"a lead byte followed by ASCII", "\xE6z", U"\uFFFDz"},
      {"an overlong slash", "\xC0\xAF", U"\uFFFD\uFFFD"},
      {"an overlong three-byte form", "\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},
      {"a surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"a byte that starts nothing", "\xFF", U"\uFFFD"},
  };
  for (const CodePointCase& c : cases) {
    EXPECT_EQ(platform::toCodePoints(c.utf8), c.expected) << c.label;
  }
}

TEST(Utf32, BoxTextKeepsOneBreakPerLineBreakAndGivesItBackAsCrLf) {
  EXPECT_EQ(platform::toBoxText("a\r\nb\rc\nd\r\n\r\n"), U"a\nb\nc\nd\n\n");
  std::string out = "x";
  platform::appendWithCrLf(out, U"日\n\n\U0001F600");
  EXPECT_EQ(out, "x日\r\n\r\n\U0001F600");
}

}  // namespace
