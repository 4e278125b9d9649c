#include <gmock/gmock.h>

#include "tests/sorandel/sorandel_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Lesson1 in the Chinese-Japanese display: 0 J1, 1 T1, 2 empty, 3 J2, 4 T2, 5 empty, 6 J3,
// 7 T3, 8 empty, 9 "[结束]".
class ClickToReadTest : public SorandelTest {
 protected:
  ClickToReadTest() { addLesson1(); }
};

TEST_F(ClickToReadTest, AJapaneseLineUnderlinesItsSentenceAndPlaysItOnce) {
  start();
  clickLine(0, 7);
  EXPECT_THAT(underlinedRuns(), ElementsAre("おはよう。"));
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3"));
  EXPECT_EQ(w().搜索内容框.content(), "1S01");
  EXPECT_EQ(w().播放文件名称储存.content(), "s01");
  EXPECT_EQ(state_.lastSqlText, "SELECT * FROM study WHERE biaoshi = '1S01'");
  EXPECT_EQ(w().播放进度条.maximum(), w().媒体播放1.getLength());
  EXPECT_GT(w().媒体播放1.getLength(), 300);
  EXPECT_EQ(w().播放进度时钟.interval(), 80);
  EXPECT_TRUE(w().焦点停留框.hasFocus());

  backend().advance(160);
  EXPECT_EQ(w().播放进度条.position(), 160) << "the bar follows the player";
  runUntilTimerStops();
  EXPECT_EQ(w().播放进度条.position(), w().播放进度条.minimum());
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3"));
  EXPECT_THAT(underlinedRuns(), ElementsAre("おはよう。"));
}

TEST_F(ClickToReadTest, JapaneseOnlyEmptyLineBelowASentencePlaysIt) {
  start();
  backend().click(w().全日文显示单选框);
  clickLine(3);  // 0 J1, 1 empty, 2 J2, 3 empty
  EXPECT_THAT(underlinedRuns(), ElementsAre("ただいま。\r\n"));
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s02.mp3"));
}

TEST_F(ClickToReadTest, TranslationEndMarkerAndBelowTheTextPlayNothingAndKeepTheUnderline) {
  start();
  clickLine(3);
  ASSERT_THAT(recordingsPlayed(), ElementsAre("s02.mp3"));
  // A translation block hands the focus on; a click that finds no block after it changes
  // nothing, so the focus stays where the click put it.
  const struct {
    int line;
    bool focusHandedOn;
  } cases[] = {{1, true}, {4, true}, {5, true}, {2, true}, {9, false}, {40, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "line " << c.line);
    clickLine(c.line);
    EXPECT_THAT(underlinedRuns(), ElementsAre("ただいま。"));
    EXPECT_THAT(recordingsPlayed(), ElementsAre("s02.mp3"));
    EXPECT_EQ(w().焦点停留框.hasFocus(), c.focusHandedOn);
    EXPECT_EQ(w().全文学习内容框.hasFocus(), !c.focusHandedOn);
  }
  EXPECT_EQ(state_.markedKind, "日文");
}

TEST_F(ClickToReadTest, AnotherSentenceMovesTheUnderlineAndTheSameOneReplaysFromTheStart) {
  start();
  clickLine(0);
  backend().advance(200);
  clickLine(6, 3);
  EXPECT_THAT(underlinedRuns(), ElementsAre("おやすみ。"));
  backend().advance(240);
  EXPECT_EQ(w().媒体播放1.getPosition(), 240);
  clickLine(6);
  EXPECT_EQ(w().媒体播放1.getPosition(), 0) << "replayed from its start";
  EXPECT_THAT(underlinedRuns(), ElementsAre("おやすみ。"));
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3", "s03.mp3", "s03.mp3"));
  runUntilTimerStops();
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3", "s03.mp3", "s03.mp3"));
}

TEST_F(ClickToReadTest, AClickDuringReadAlongDoesNothing) {
  start();
  backend().click(w().全文跟读按钮);
  ASSERT_THAT(recordingsPlayed(), ElementsAre("s01.mp3"));
  clickLine(6);
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3"));
  EXPECT_THAT(underlinedRuns(), ElementsAre("おはよう。"));
  EXPECT_EQ(state_.markedKind, "");
}

// The mark of the old text must not be taken as positions of the rebuilt one.
TEST_F(ClickToReadTest, AfterADisplayModeChangeTheFirstClickRemovesNothing) {
  start();
  backend().click(w().全日文显示单选框);
  clickLine(4);  // the third sentence, far into the Japanese-only text
  backend().click(w().中日文显示单选框);
  clickLine(0);
  EXPECT_THAT(underlinedRuns(), ElementsAre("おはよう。"));
  const platform::RichEditBox& box = w().全文学习内容框;
  for (int line : {1, 4, 7}) {
    const int start = box.getLineStart(line);
    for (int i = start; i < box.getLineStart(line + 1); ++i)
      EXPECT_EQ(box.effectiveFormatAt(i).color, 0x8000u) << "translation line " << line;
  }
}

TEST_F(ClickToReadTest, ALongWrappedSentenceIsFoundFromAnyOfItsLines) {
  std::string sentence;
  for (int i = 0; i < 20; ++i) sentence += "長い文です。";
  folder_.addItem("Long基本课文", "4A01", sentence, "很长的句子。", "s01");
  folder_.writeSettings("[课程选择]\r\n课程索引=Long\r\n");
  start();
  const int translationLine = [&] {
    for (int line = 1; line < state_.textLineCount; ++line)
      if (w().lessonText.lineBeginsBlock(line)) return line;
    return -1;
  }();
  ASSERT_GT(translationLine, 2) << "the sentence should wrap over several lines";
  for (int line = 0; line < translationLine; ++line) {
    SCOPED_TRACE(testing::Message() << "line " << line);
    clickLine(line, 2);
    EXPECT_THAT(underlinedRuns(), ElementsAre(sentence));
  }
  EXPECT_EQ(recordingsPlayed().size(), static_cast<size_t>(translationLine));
}

TEST_F(ClickToReadTest, AClickInALessonWithoutItemsPlaysNothing) {
  folder_.writeSettings("[课程选择]\r\n课程索引=Nothing\r\n");
  start();
  clickLine(0);
  EXPECT_THAT(underlinedRuns(), IsEmpty());
  EXPECT_THAT(recordingsPlayed(), IsEmpty());
  EXPECT_FALSE(w().播放进度时钟.running());
}

TEST_F(ClickToReadTest, RepeatCountThreePlaysAClickedSentenceThreeTimes) {
  start();
  w().朗读次数进度条.setVisible(true);  // hidden in the design; shown so a user can drag it
  ASSERT_TRUE(backend().dragTo(w().朗读次数进度条, 3));
  EXPECT_EQ(state_.repeatCount, 3);
  EXPECT_EQ(w().朗读次数标签.caption(), "3次");
  clickLine(3);
  runUntilTimerStops();
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s02.mp3", "s02.mp3", "s02.mp3"));
  EXPECT_EQ(state_.repeatActive, 0);
  EXPECT_EQ(w().播放进度条.position(), 0);
}

// A drill or practice recording started while the sentence timer runs: the timer follows it
// and stops when it ends.
TEST_F(ClickToReadTest, TheSentenceTimerEndsWithTheRecordingPlayingThen) {
  start();
  clickLine(0);
  backend().advance(80);
  state_.currentSoundName = "w01";
  w().playback.playCurrentSound();
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3", "w01.mp3"));
  const int length = w().媒体播放1.getLength();
  ASSERT_GT(length, 1000);
  backend().advance(length - 100);
  EXPECT_TRUE(w().播放进度时钟.running());
  runUntilTimerStops();
  EXPECT_EQ(w().播放进度条.position(), 0);
  EXPECT_EQ(recordingsPlayed().size(), 2u);
}

}  // namespace
