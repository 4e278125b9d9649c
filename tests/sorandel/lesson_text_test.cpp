#include <gmock/gmock.h>

#include "assets/assets.h"
#include "tests/sorandel/sorandel_fixture.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

class LessonTextTest : public SorandelTest {
 protected:
  LessonTextTest() {
    folder_.addItem("One基本课文", "1A01", "はい。", "是。", "a01")
        .addItem("Two基本课文", "2A01", "はい。", "是。", "a01")
        .addItem("Two基本课文", "2A02", "いいえ。", "不是。", "a02")
        .addItem("Empty基本课文", "3A01", "", "", "a03");
  }

  void load(const std::string& lessonKey) {
    state_.currentKey = lessonKey;
    w().lessonText.loadLessonText();
  }
  void japaneseOnly() { backend().click(w().全日文显示单选框); }
  void chineseJapanese() { backend().click(w().中日文显示单选框); }

  // The characters of one line of the shown text with the format they all share; fails when
  // the line mixes formats.
  platform::CharFormat lineFormat(int line) {
    const platform::RichEditBox& box = w().全文学习内容框;
    const int start = box.getLineStart(line);
    const int end =
        line + 1 < box.getLineCount() ? box.getLineStart(line + 1) : box.characterCount();
    const platform::CharFormat first = box.effectiveFormatAt(start);
    for (int i = start + 1; i < end; ++i)
      EXPECT_EQ(box.effectiveFormatAt(i), first) << "line " << line << " position " << i;
    return first;
  }
};

TEST_F(LessonTextTest, LinesOfZeroOneAndTwoItemsInBothModes) {
  struct Case {
    const char* lesson;
    bool japaneseOnly;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"None基本课文", false, {"[结束]"}},
      {"None基本课文", true, {"[结束]"}},
      {"One基本课文", true, {"[1A01]日文：はい。", "", "[结束]"}},
      {"One基本课文", false, {"[1A01]日文：はい。", "[1A01]译文：是。", "", "[结束]"}},
      {"Two基本课文", true, {"[2A01]日文：はい。", "", "[2A02]日文：いいえ。", "", "[结束]"}},
      {"Two基本课文",
       false,
       {"[2A01]日文：はい。", "[2A01]译文：是。", "", "[2A02]日文：いいえ。", "[2A02]译文：不是。",
        "", "[结束]"}},
      {"Empty基本课文", false, {"[3A01]日文：", "[3A01]译文：", "", "[结束]"}},
  };
  start();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lesson << (c.japaneseOnly ? " Japanese only" : " both"));
    c.japaneseOnly ? japaneseOnly() : chineseJapanese();
    load(c.lesson);
    EXPECT_THAT(lessonLines(), ElementsAreArray(c.lines));
    EXPECT_EQ(state_.textLineCount, static_cast<int>(c.lines.size()));
    EXPECT_EQ(w().内容暂存框.content(), w().全文学习内容框.content());
    EXPECT_EQ(state_.lastSqlText, std::string("SELECT * FROM study WHERE id = '") + c.lesson + "'");
  }
}

TEST_F(LessonTextTest, ColoursAndFontPerPieceAndAPlainCopy) {
  start();
  load("Two基本课文");
  const platform::Color expected[] = {0, 0x8000, 0x8000, 0, 0x8000, 0x8000, 0};
  for (int line = 0; line < 7; ++line) {
    SCOPED_TRACE(testing::Message() << "line " << line);
    const platform::CharFormat format = lineFormat(line);
    EXPECT_EQ(format.fontName, "仿宋");
    EXPECT_EQ(format.fontSize, 13);
    EXPECT_EQ(format.effects, 0);
    EXPECT_EQ(format.color, expected[line]);
  }
  const platform::RichEditBox& copy = w().内容暂存框;
  for (int i = 0; i < copy.characterCount(); ++i)
    ASSERT_EQ(copy.formatAt(i), platform::CharFormat{}) << "position " << i;
  EXPECT_EQ(copy.text(), w().全文学习内容框.text());
}

TEST_F(LessonTextTest, ABuildClearsTheClickState) {
  start();
  load("Two基本课文");
  clickLine(3);
  ASSERT_EQ(state_.markedKind, "日文");
  load("Two基本课文");
  EXPECT_EQ(state_.markedKind, "");
  EXPECT_EQ(state_.clickKind, "");
  EXPECT_EQ(state_.clickLine, 0);
  EXPECT_EQ(state_.clickBlockStart, 0);
  EXPECT_EQ(state_.clickNextBlockStart, 0);
  EXPECT_EQ(state_.markedBlockStart, 0);
  EXPECT_EQ(state_.markedNextBlockStart, 0);
}

TEST_F(LessonTextTest, EveryDisplayModeClickRebuildsFromTheDatabase) {
  addLesson1();
  start();
  ASSERT_EQ(lessonLines().size(), 10u);
  clickLine(0);
  ASSERT_THAT(underlinedRuns(), ElementsAre("おはよう。"));
  chineseJapanese();  // already selected: rebuilt all the same
  EXPECT_TRUE(underlinedRuns().empty());
  folder_.addItem("Lesson1基本课文", "1S04", "じゃあね。", "再见。", "s04");
  japaneseOnly();
  EXPECT_EQ(lessonLines().size(), 9u);
  EXPECT_EQ(lessonLines()[6], "[1S04]日文：じゃあね。");
  EXPECT_TRUE(w().全日文显示单选框.checked());
  EXPECT_FALSE(w().中日文显示单选框.checked());
  chineseJapanese();
  EXPECT_EQ(lessonLines().size(), 13u);
  EXPECT_EQ(state_.currentKey, "Lesson1基本课文");
}

TEST_F(LessonTextTest, WordListRadioBuildsTheWordLessonAndSentencesRadioReturns) {
  addLesson1();
  start();
  backend().click(w().课文单词单选框);
  EXPECT_EQ(state_.lastSqlText, "SELECT * FROM study WHERE id = 'Lesson1单词'");
  EXPECT_THAT(lessonLines(), ElementsAre("[1W01]日文：家族", "[1W01]译文：家人", "", "[结束]"));
  EXPECT_EQ(shutterSounds(), 2);
  backend().click(w().课文句子单选框);
  EXPECT_EQ(state_.currentKey, "Lesson1基本课文");
  EXPECT_EQ(lessonLines().front(), "[1S01]日文：おはよう。");
}

TEST_F(LessonTextTest, TheTextTakesNoTypedInput) {
  addLesson1();
  start();
  const std::string before = w().全文学习内容框.content();
  backend().type(w().全文学习内容框, "x");
  backend().pressKey(w().全文学习内容框, 8);
  backend().pressKey(w().全文学习内容框, 46);
  EXPECT_EQ(w().全文学习内容框.content(), before);
}

TEST_F(LessonTextTest, ALongSentenceWrapsAtTheSamePlacesInTheCopy) {
  std::string sentence;
  for (int i = 0; i < 20; ++i) sentence += "長い文です。";
  folder_.addItem("Long基本课文", "4A01", sentence, "很长的句子。", "a04");
  start();
  load("Long基本课文");
  const platform::RichEditBox& shown = w().全文学习内容框;
  const platform::RichEditBox& copy = w().内容暂存框;
  EXPECT_GT(shown.getLineCount(), 4) << "the sentence should wrap";
  EXPECT_EQ(copy.lineStarts(), shown.lineStarts());
  EXPECT_EQ(state_.textLineCount, shown.getLineCount());
}

TEST_F(LessonTextTest, ViewLayout) {
  start();
  MainWindow& m = w();
  expectPlacements({
      {&m.逐句跟读标题图片框1, &m.全文学习容器, {192, 8, 145, 24}},
      {&m.提示标签, &m.全文学习容器, {349, 12, 336, 16}},
      {&m.图片框5, &m.全文学习容器, {12, 12, 153, 16}},
      {&m.课文句子单选框, &m.图片框5, {0, 0, 73, 16}},
      {&m.课文单词单选框, &m.图片框5, {80, 0, 73, 16}},
      {&m.全文学习内容框, &m.全文学习容器, {13, 45, 664, 384}},
      {&m.图片框4, &m.全文学习容器, {12, 463, 176, 16}},
      {&m.全日文显示单选框, &m.图片框4, {0, 0, 88, 16}},
      {&m.中日文显示单选框, &m.图片框4, {88, 0, 80, 16}},
      {&m.全文跟读按钮, &m.全文学习容器, {216, 456, 90, 24}},
      {&m.图片框2, &m.全文学习容器, {216, 456, 90, 24}},
      {&m.句子点读按钮, &m.全文学习容器, {328, 456, 90, 24}},
      {&m.图片框3, &m.全文学习容器, {328, 456, 90, 24}},
      {&m.朗读进度标签, &m.全文学习容器, {454, 463, 71, 16}},
      {&m.播放进度条, &m.全文学习容器, {549, 463, 88, 16}},
      {&m.朗读次数标签2, &m.全文学习容器, {453, 493, 56, 16}},
      {&m.朗读次数标签, &m.全文学习容器, {509, 493, 32, 16}},
      {&m.朗读次数进度条, &m.全文学习容器, {549, 493, 88, 16}},
  });
}

TEST_F(LessonTextTest, LessonTextBoxDesign) {
  start();
  const platform::RichEditBox& box = w().全文学习内容框;
  EXPECT_EQ(box.cursor(), platform::Cursor::Hand);
  EXPECT_EQ(w().内容暂存框.width(), 664);
  EXPECT_EQ(w().内容暂存框.height(), 80);
  EXPECT_EQ(w().内容暂存框.layoutWidth(), box.layoutWidth());
  EXPECT_TRUE(w().课文句子单选框.checked());
  EXPECT_FALSE(w().课文单词单选框.checked());
  EXPECT_EQ(w().课文句子单选框.caption(), "课文句子");
  EXPECT_EQ(w().课文单词单选框.caption(), "课文单词");
  EXPECT_EQ(w().全日文显示单选框.caption(), "全日文显示");
  EXPECT_EQ(w().中日文显示单选框.caption(), "中日文显示");
  EXPECT_FALSE(w().逐句跟读标题图片框1.picture().empty());
  EXPECT_EQ(w().朗读进度标签.caption(), "该句朗读进度");
  EXPECT_EQ(w().播放进度条.trackPicture(), assets::playbackBarTrack());
  EXPECT_EQ(w().播放进度条.fillPicture(), assets::playbackBarFill());
  EXPECT_NE(w().播放进度条.trackPicture(), w().播放进度条.fillPicture());
  EXPECT_FALSE(w().朗读次数进度条.visible());
  EXPECT_FALSE(w().朗读次数标签.visible());
  EXPECT_FALSE(w().朗读次数标签2.visible());
}

}  // namespace
