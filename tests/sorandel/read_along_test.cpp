#include <gmock/gmock.h>

#include <functional>

#include "content/content_folders.h"
#include "tests/sorandel/sorandel_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr const char* kClickToReadHint = "当前为【句子点读】模式，点击某句日文，自动朗读该句日文";
constexpr const char* kReadAlongHint = "当前为【全文跟读】模式，自动全文朗读";

class ReadAlongTest : public SorandelTest {
 protected:
  ReadAlongTest() { addLesson1(); }

  // Counts the ticks of the playback timer.
  void countTicks() {
    platform::Timer& timer = w().播放进度时钟;
    timer.onTick = [this, tick = timer.onTick] {
      ++ticks_;
      tick();
    };
  }

  // Runs read-along to its end, noting what was underlined whenever a recording started.
  std::vector<std::string> readToTheEnd() {
    std::vector<std::string> underlinedAtEachStart;
    size_t seen = 0;
    const auto note = [&] {
      for (; seen < recordingsPlayed().size(); ++seen) {
        const auto runs = underlinedRuns();
        underlinedAtEachStart.push_back(runs.size() == 1 ? runs[0]
                                                         : std::to_string(runs.size()) + " runs");
      }
    };
    note();
    for (int waited = 0; state_.readingMode == 1 && waited < 20000; waited += 10) {
      backend().advance(10);
      note();
    }
    EXPECT_EQ(state_.readingMode, 0) << "read-along did not end";
    return underlinedAtEachStart;
  }

  // Ticks a recording of that sound takes to be found ended: the first tick at or past its end.
  int ticksFor(const std::string& sound) {
    for (const auto& r : backend().recordings())
      if (r.file.ends_with("\\music\\" + sound + ".mp3"))
        return static_cast<int>((r.lengthMs + 79) / 80);
    ADD_FAILURE() << sound << " was never opened";
    return 0;
  }

  void expectClickToReadLeftBehind() {
    EXPECT_EQ(state_.readingMode, 0);
    EXPECT_TRUE(w().全文跟读按钮.visible());
    EXPECT_FALSE(w().句子点读按钮.visible());
    EXPECT_EQ(w().提示标签.caption(), kClickToReadHint);
    EXPECT_FALSE(w().播放进度时钟.running());
    EXPECT_EQ(w().播放进度条.position(), 0);
  }

  int ticks_ = 0;
};

TEST_F(ReadAlongTest, JapaneseOnlyReadsEverySentenceInOrderUnderliningEachWhileItPlays) {
  start();
  backend().click(w().全日文显示单选框);
  countTicks();
  backend().click(w().全文跟读按钮);
  EXPECT_EQ(state_.readingMode, 1);
  EXPECT_FALSE(w().全文跟读按钮.visible());
  EXPECT_TRUE(w().句子点读按钮.visible());
  EXPECT_EQ(w().提示标签.caption(), kReadAlongHint);

  EXPECT_THAT(readToTheEnd(), ElementsAre("おはよう。\r\n", "ただいま。\r\n", "おやすみ。\r\n"));
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3", "s02.mp3", "s03.mp3"));
  EXPECT_EQ(ticks_, ticksFor("s01") + ticksFor("s02") + ticksFor("s03"));
  expectClickToReadLeftBehind();
  EXPECT_THAT(underlinedRuns(), ElementsAre("おやすみ。\r\n"))
      << "the last sentence stays underlined";
}

TEST_F(ReadAlongTest, ChineseJapanesePassesEachTranslationInOneTick) {
  start();
  countTicks();
  backend().click(w().全文跟读按钮);
  EXPECT_THAT(readToTheEnd(), ElementsAre("おはよう。", "ただいま。", "おやすみ。"));
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3", "s02.mp3", "s03.mp3"));
  EXPECT_EQ(ticks_, ticksFor("s01") + ticksFor("s02") + ticksFor("s03") + 3);
  expectClickToReadLeftBehind();
  EXPECT_THAT(underlinedRuns(), ElementsAre("おやすみ。"));
}

TEST_F(ReadAlongTest, ModeButtonsDesign) {
  start();
  EXPECT_EQ(w().全文跟读按钮.hintText(), "选择全文跟读模式，自动全文朗读");
  EXPECT_EQ(w().句子点读按钮.hintText(), "选择此模式，点击某句日文，自动朗读该句日文");
  EXPECT_FALSE(w().图片框2.picture().empty());
  EXPECT_FALSE(w().图片框3.picture().empty());
  EXPECT_NE(w().图片框2.picture(), w().全文跟读按钮.picture());
  EXPECT_NE(w().图片框3.picture(), w().句子点读按钮.picture());
  EXPECT_EQ(w().提示标签.caption(), kClickToReadHint);
  EXPECT_EQ(w().朗读次数标签2.caption(), "重复朗读");
  EXPECT_EQ(w().朗读次数标签.caption(), "1次");
  const platform::ProgressBar& slider = w().朗读次数进度条;
  EXPECT_EQ(slider.minimum(), 1);
  EXPECT_EQ(slider.maximum(), 5);
  EXPECT_EQ(slider.position(), 1);

  backend().click(w().全文跟读按钮);
  backend().click(w().句子点读按钮);
  ASSERT_EQ(backend().clickSoundsPlayed().size(), 1u) << "only the read-along button clicks";
  EXPECT_EQ(backend().clickSoundsPlayed()[0].file, "全文跟读按钮");
}

// Read-along cuts the clicked sentence off and leaves click-to-read's underline alone: each
// mode removes only the underline it set.
TEST_F(ReadAlongTest, StartingCutsOffAClickedSentenceAndKeepsItsUnderline) {
  start();
  clickLine(6);
  backend().advance(160);
  backend().click(w().全文跟读按钮);
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s03.mp3", "s01.mp3"));
  EXPECT_EQ(w().媒体播放1.getPosition(), 0);
  EXPECT_THAT(underlinedRuns(), ElementsAre("おはよう。", "おやすみ。"));
}

TEST_F(ReadAlongTest, ClickToReadButtonAndNavigationStopTheSoundAtOnce) {
  struct Case {
    const char* label;
    std::function<void(SorandelRun&)> leave;
  };
  const Case cases[] = {
      {"句子点读按钮", [](SorandelRun& r) { ASSERT_TRUE(r.backend().click(r.w().句子点读按钮)); }},
      {"navigation",
       [](SorandelRun& r) { ASSERT_TRUE(r.backend().clickItem(r.w().主菜单, 0, 1)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    SorandelRun run;
    run.addLesson1();
    MainWindow& window = run.start();
    run.backend().click(window.全文跟读按钮);
    run.backend().advance(100);
    c.leave(run);
    EXPECT_EQ(window.媒体播放1.getState(), platform::MediaPlayer::kNotPlaying);
    EXPECT_EQ(run.state_.readingMode, 0);
    EXPECT_TRUE(window.全文跟读按钮.visible());
    EXPECT_FALSE(window.句子点读按钮.visible());
    EXPECT_EQ(window.提示标签.caption(), kClickToReadHint);
    EXPECT_THAT(run.underlinedRuns(), ElementsAre("おはよう。")) << "the interrupted sentence";
    EXPECT_TRUE(window.播放进度时钟.running()) << "until its next tick";
    run.backend().advance(80);
    EXPECT_FALSE(window.播放进度时钟.running());
    EXPECT_EQ(window.播放进度条.position(), 0);
    EXPECT_THAT(run.recordingsPlayed(), ElementsAre("s01.mp3"));
  }
}

TEST_F(ReadAlongTest, AMissingRecordingIsPassedOverAtTheNextTick) {
  folder_.removeFile(content::ContentFolders::recording("s01"));
  start();
  backend().click(w().全日文显示单选框);
  backend().click(w().全文跟读按钮);
  backend().advance(79);
  EXPECT_THAT(recordingsOpened(), ElementsAre("s01.mp3"));
  backend().advance(1);
  EXPECT_THAT(recordingsOpened(), ElementsAre("s01.mp3", "s02.mp3"));
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s02.mp3"));
  EXPECT_THAT(underlinedRuns(), ElementsAre("ただいま。\r\n"));
}

TEST_F(ReadAlongTest, ALessonWithoutItemsReadsNothing) {
  folder_.writeSettings("[课程选择]\r\n课程索引=Nothing\r\n");
  start();
  backend().click(w().全文跟读按钮);
  backend().advance(2000);
  EXPECT_THAT(recordingsPlayed(), IsEmpty());
  EXPECT_THAT(underlinedRuns(), IsEmpty());
  EXPECT_FALSE(w().播放进度时钟.running());
  EXPECT_EQ(w().搜索内容框.content(), "结束]");
  backend().click(w().句子点读按钮);
  EXPECT_EQ(state_.readingMode, 0);
}

TEST_F(ReadAlongTest, RepeatCountThreePlaysEachSentenceThreeTimesInBothModes) {
  for (bool japaneseOnly : {true, false}) {
    SCOPED_TRACE(japaneseOnly ? "Japanese only" : "Chinese and Japanese");
    SorandelRun run;
    run.addLesson1();
    MainWindow& window = run.start();
    if (japaneseOnly) run.backend().click(window.全日文显示单选框);
    window.朗读次数进度条.setVisible(true);
    run.backend().dragTo(window.朗读次数进度条, 3);
    run.backend().click(window.全文跟读按钮);
    for (int waited = 0; run.state_.readingMode == 1 && waited < 20000; waited += 10)
      run.backend().advance(10);
    EXPECT_THAT(run.recordingsPlayed(),
                ElementsAre("s01.mp3", "s01.mp3", "s01.mp3", "s02.mp3", "s02.mp3", "s02.mp3",
                            "s03.mp3", "s03.mp3", "s03.mp3"));
  }
}

TEST_F(ReadAlongTest, ANewRunFirstRemovesTheUnderlineTheLastRunLeft) {
  start();
  backend().click(w().全文跟读按钮);
  readToTheEnd();
  ASSERT_THAT(underlinedRuns(), ElementsAre("おやすみ。"));
  backend().click(w().全文跟读按钮);
  EXPECT_THAT(underlinedRuns(), ElementsAre("おはよう。"));
}

// Each mode removes only the underline it set: a sentence that the other mode's record still
// holds as underlined keeps its underline.
TEST_F(ReadAlongTest, EachModeLeavesTheUnderlineTheOtherStillHolds) {
  const auto readToTheEnd = [](SorandelRun& r) {
    r.backend().click(r.w().全文跟读按钮);
    for (int waited = 0; r.state_.readingMode == 1 && waited < 20000; waited += 10)
      r.backend().advance(10);
    ASSERT_EQ(r.state_.readingMode, 0);
  };
  struct Case {
    const char* label;
    std::function<void(SorandelRun&)> act;
    std::vector<std::string> underlined;
  };
  const Case cases[] = {
      {"a new read-along after a click on the sentence the last one ended on",
       [&](SorandelRun& r) {
         readToTheEnd(r);
         r.clickLine(6);
         r.backend().click(r.w().全文跟读按钮);
       },
       {"おはよう。", "おやすみ。"}},
      {"a click elsewhere after a click on the sentence read-along ended on",
       [&](SorandelRun& r) {
         readToTheEnd(r);
         r.clickLine(6);
         r.clickLine(0);
       },
       {"おはよう。", "おやすみ。"}},
      {"read-along moving on from the sentence clicked before it started",
       [](SorandelRun& r) {
         r.clickLine(0);
         r.backend().click(r.w().全文跟读按钮);
         while (r.recordingsPlayed().size() < 3) r.backend().advance(10);
       },
       {"おはよう。", "ただいま。"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    SorandelRun run;
    run.addLesson1();
    run.start();
    c.act(run);
    EXPECT_EQ(run.underlinedRuns(), c.underlined);
  }
}

// A rebuild during read-along: the walk goes on in the new text, and the old mark is not
// formatted over it (it would turn part of a translation black).
TEST_F(ReadAlongTest, ARebuildDuringReadAlongKeepsTheTranslationsGreen) {
  start();
  backend().click(w().全日文显示单选框);
  backend().click(w().全文跟读按钮);
  while (recordingsPlayed().size() < 2) backend().advance(10);
  ASSERT_THAT(underlinedRuns(), ElementsAre("ただいま。\r\n"));
  backend().click(w().中日文显示单选框);
  EXPECT_EQ(state_.readingMode, 1);
  readToTheEnd();
  EXPECT_THAT(recordingsPlayed(), ElementsAre("s01.mp3", "s02.mp3", "s03.mp3"));
  EXPECT_THAT(underlinedRuns(), ElementsAre("おやすみ。"));
  const platform::RichEditBox& box = w().全文学习内容框;
  for (int line : {1, 4, 7})
    for (int i = box.getLineStart(line); i < box.getLineStart(line + 1); ++i)
      EXPECT_EQ(box.effectiveFormatAt(i).color, 0x8000u) << "translation line " << line;
}

}  // namespace
