#include <errno.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "platform/system/file_bytes.h"
#include "platform/system/gbk.h"
#include "platform/system/paths.h"
#include "platform/system/random.h"
#include "platform/system/text_numbers.h"
#include "tests/support/program_folder.h"

namespace {

TEST(NumberToText, GivesDecimalDigitsWithoutAFractionForWholeNumbers) {
  const std::pair<double, const char*> doubles[] = {
      {3.0, "3"},   {-2.0, "-2"},       {0.0, "0"}, {-0.0, "0"}, {1e20, "100000000000000000000"},
      {2.5, "2.5"}, {-0.125, "-0.125"},
  };
  for (const auto& [value, expected] : doubles) {
    EXPECT_EQ(platform::numberToText(value), expected) << value;
  }
  EXPECT_EQ(platform::numberToText(-2), "-2");
  EXPECT_EQ(platform::numberToText(0), "0");
  EXPECT_EQ(platform::numberToText(INT_MIN), "-2147483648");
  EXPECT_EQ(platform::numberToText(static_cast<unsigned char>(200)), "200");
}

TEST(TextToNumber, ReadsTheLeadingDecimalNumber) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},      {"7", 7},    {"-12", -12},  {"+5", 5},     {"  42", 42},
      {"3.5", 3.5}, {".5", 0.5}, {"12abc", 12}, {"abc", 0},    {"-", 0},
      {"inf", 0},   {"nan", 0},  {"0x10", 0},   {"1e3", 1000}, {"课程", 0},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(platform::textToNumber(text), expected) << '"' << text << '"';
  }
}

TEST(GetTextLength, CountsGbkBytes) {
  const std::pair<const char*, int> cases[] = {
      {"", 0},         {"Lesson1", 7}, {"家庭问候", 8}, {"Lesson1  家庭问候", 17},
      {"おはよう", 8}, {"\r\n", 2},    {"ａ", 2},  // full-width letters are double-byte
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(platform::getTextLength(text), expected) << text;
  }
}

TEST(RandomInt, SingleValueRangeGivesThatValue) {
  platform::RandomSource random;
  for (int i = 0; i < 20; ++i) EXPECT_EQ(random.randomInt(1, 1), 1);
}

TEST(RandomInt, EveryValueOfTheRangeIsDrawnAndNoOther) {
  platform::RandomSource random;
  random.randomize();
  for (const int n : {2, 7, 40}) {
    std::set<int> seen;
    for (int draws = 0; draws < 100 * n && static_cast<int>(seen.size()) < n; ++draws) {
      const int value = random.randomInt(1, n);
      ASSERT_GE(value, 1);
      ASSERT_LE(value, n);
      seen.insert(value);
    }
    EXPECT_EQ(static_cast<int>(seen.size()), n) << "range 1.." << n;
  }
}

TEST(RandomInt, ReversedBoundsAndTheWholeIntRangeStayInside) {
  platform::RandomSource random(7);
  for (int i = 0; i < 50; ++i) {
    const int value = random.randomInt(5, 3);
    EXPECT_TRUE(value >= 3 && value <= 5) << value;
  }
  random.randomInt(INT_MIN, INT_MAX);  // must neither overflow nor trap
}

TEST(Randomize, DrawsDifferFromRunToRunButASeedRepeats) {
  auto drawTen = [](platform::RandomSource& random) {
    std::vector<int> draws;
    for (int i = 0; i < 10; ++i) draws.push_back(random.randomInt(1, 1000000));
    return draws;
  };
  platform::RandomSource a(42), b(42);
  EXPECT_EQ(drawTen(a), drawTen(b));

  platform::RandomSource first, second;
  first.randomize();
  second.randomize();
  EXPECT_NE(drawTen(first), drawTen(second));
}

TEST(Randomize, FixedSeedsGiveDifferentDrawsPerRandomizeThatRepeatFromRunToRun) {
  auto twoRandomizedDraws = [] {
    platform::RandomSource random;
    random.fixRandomizeSeeds(5);
    std::vector<int> draws;
    for (int round = 0; round < 2; ++round) {
      random.randomize();
      for (int i = 0; i < 10; ++i) draws.push_back(random.randomInt(1, 1000000));
    }
    return draws;
  };
  const std::vector<int> first = twoRandomizedDraws();
  EXPECT_EQ(first, twoRandomizedDraws());
  EXPECT_NE(std::vector<int>(first.begin(), first.begin() + 10),
            std::vector<int>(first.begin() + 10, first.end()));
}

TEST(ReadFileBytes, GivesTheWholeFileOrNothing) {
  test_support::ProgramFolder folder;
  const std::string picture("GIF89a\0\x01\xFF", 9);
  folder.putFile("\\图片\\按译文选日文.gif", picture);

  const platform::Bytes bytes = platform::readFileBytes(folder.path() + "\\图片\\按译文选日文.gif");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), picture);
  EXPECT_TRUE(platform::readFileBytes(folder.path() + "\\图片\\输入正确.jpg").empty());
  EXPECT_TRUE(platform::readFileBytes(folder.path() + "\\图片").empty());
}

TEST(Paths, BackslashTailsBecomeNativePaths) {
  EXPECT_EQ(platform::nativePath("/opt/app\\setting\\setting.ini"), "/opt/app/setting/setting.ini");
  EXPECT_EQ(platform::nativePath("/opt/app\\效果\\快门.wav"), "/opt/app/效果/快门.wav");
  EXPECT_EQ(platform::nativePath("/already/native"), "/already/native");
}

TEST(Paths, ExecutableFolderHoldsTheRunningProgram) {
  const std::string folder = platform::executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/" + program_invocation_short_name))
      << folder;
}

TEST(Gbk, ConvertsBothWaysAndRefusesWhatItCannotHold) {
  EXPECT_EQ(platform::utf8ToGbk("课程A"), std::string("\xBF\xCE\xB3\xCC"
                                                      "A"));
  EXPECT_EQ(platform::gbkToUtf8("\xBF\xCE\xB3\xCC"
                                "A"),
            "课程A");
  EXPECT_EQ(platform::utf8ToGbk("おはよう").has_value(), true);
  EXPECT_FALSE(platform::utf8ToGbk("😀").has_value());
  EXPECT_FALSE(platform::utf8ToGbk("a\U000E0040b").has_value());  // a tag character
  EXPECT_FALSE(platform::utf8ToGbk("\xC3").has_value());          // not UTF-8
  EXPECT_EQ(platform::gbkToUtf8("a\xFF"
                                "b"),
            "a\xEF\xBF\xBD"
            "b");
}

}  // namespace
