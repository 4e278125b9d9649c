#include <gmock/gmock.h>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "tests/support/placements.h"
#include "tests/tavolin/tavolin_fixture.h"

namespace {

using ::testing::ElementsAre;

class ReadingTest : public TavolinTest {
 protected:
  ReadingTest() { addCourses(); }
};

TEST_F(ReadingTest, StartsAtTheTopLeftOnTopReadingTheFirstSentenceOfLesson1WithoutSettings) {
  start();
  EXPECT_EQ(w().left(), 0);
  EXPECT_EQ(w().top(), 0);
  EXPECT_EQ(w().width(), 629);
  EXPECT_EQ(w().height(), 80);
  EXPECT_TRUE(w().alwaysOnTop());
  EXPECT_FALSE(w().taskbarButton());
  EXPECT_EQ(state_.courseKey, "Lesson1");
  EXPECT_EQ(state_.studyTheme, "基本课文");
  EXPECT_EQ(state_.drillLessonKey, "Lesson1基本课文");
  EXPECT_EQ(state_.drillCount, 3);
  EXPECT_EQ(state_.lastSqlText, "SELECT * FROM study WHERE biaoshi = '1S01'");
  EXPECT_EQ(shownItem(), "おはよう。 / 早上好。");
  EXPECT_EQ(w().媒体播放1.getState(), platform::MediaPlayer::kPlaying);
  EXPECT_EQ(recordingsPlayed().size(), 1u);
  EXPECT_EQ(recordingsPlayed()[0].sound, "s01");
  EXPECT_EQ(w().逐句跟读自动下一题时钟.interval(), 1500);
  EXPECT_EQ(folder_.settingsText(), "") << "start-up writes nothing";
}

TEST_F(ReadingTest, WindowDesign) {
  start();
  CompactWindow& m = w();
  EXPECT_EQ(m.caption(), "");
  EXPECT_EQ(m.border(), platform::Border::None);
  EXPECT_EQ(m.outline(), platform::Outline::RoundedRectangle);
  EXPECT_TRUE(m.dragAnywhere());
  EXPECT_TRUE(m.escCloses());
  EXPECT_EQ(m.Tavolin图片框.picture(), assets::tavolinBarSkin());
  expectPlacements({
      {&m.Tavolin图片框, &m, {0, 0, 629, 80}},
      {&m.日文显示标签, &m.Tavolin图片框, {72, 8, 540, 32}},
      {&m.中文显示标签, &m.Tavolin图片框, {72, 40, 540, 32}},
      {&m.分组框1, &m, {136, 8, 448, 144}},
      {&m.分组框2, &m.分组框1, {32, 48, 472, 216}},
      {&m.逐句跟读顺序列表框, &m.分组框2, {16, 24, 104, 136}},
  });
  EXPECT_EQ(m.日文显示标签.textColor(), platform::rgb(0xeb, 0x65, 0x1e));
  EXPECT_EQ(m.中文显示标签.textColor(), platform::rgb(0x00, 0x4e, 0x7e));
  for (const platform::Label* label : {&m.日文显示标签, &m.中文显示标签}) {
    EXPECT_EQ(label->backgroundColor(), platform::rgb(0xe5, 0xf3, 0xff));
    EXPECT_EQ(label->font(), platform::Font::pixels("宋体", 16));
  }
  EXPECT_FALSE(m.分组框1.visible());
  EXPECT_FALSE(m.逐句跟读顺序列表框.shown());
  EXPECT_EQ(m.分组框2.caption(), "逐句跟读");
  ASSERT_EQ(m.逐句跟读顺序列表框.columns().size(), 1u);
  EXPECT_EQ(m.逐句跟读顺序列表框.columns()[0].caption, "顺序对照表");
  EXPECT_EQ(m.逐句跟读顺序列表框.columns()[0].width, 100);
}

TEST_F(ReadingTest, EachRecordingIsFollowedAtTheFirstPollAfterItEnded) {
  struct Case {
    const char* fixture;
    std::int64_t nextAtMs;
  };
  const Case cases[] = {{"tone_400ms.mp3", 1500}, {"tone_3200ms.mp3", 4500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    TavolinRun run;
    run.addCourses();
    run.putRecording("s01", c.fixture);
    run.start();
    run.backend_.advance(c.nextAtMs - 1);
    EXPECT_EQ(run.recordingsPlayed().size(), 1u);
    run.backend_.advance(1);
    ASSERT_EQ(run.recordingsPlayed().size(), 2u);
    EXPECT_EQ(run.recordingsPlayed()[1].atMs, c.nextAtMs);
    EXPECT_EQ(run.recordingsPlayed()[1].sound, "s02");
  }
}

TEST_F(ReadingTest, TheListEndsOnItsLastItemWithoutRepeatingItAndKeepsTheQueryOrder) {
  folder_.addItem("Lesson3基本课文", "3S09", "いち", "一", "s01")
      .addItem("Lesson3基本课文", "3S02", "に", "二", "s02")
      .addItem("Lesson3基本课文", "3S05", "さん", "三", "s03");
  folder_.writeSettings("[课程选择]\r\n课程索引=Lesson3\r\n");
  start();
  backend_.advance(20000);
  EXPECT_THAT(soundsPlayed(), ElementsAre("s01", "s02", "s03"));
  EXPECT_EQ(w().逐句跟读顺序列表框.getCellText(0, 0), "3S09");
  EXPECT_EQ(w().逐句跟读顺序列表框.getCellText(2, 0), "3S05");
  EXPECT_EQ(state_.drillIndex, 2);
  EXPECT_EQ(shownItem(), "さん / 三");
  EXPECT_FALSE(runtime().nextTimerDue()) << "an ended reading wakes up never";
}

TEST_F(ReadingTest, AnUnopenableRecordingMovesOnAtTheNextPoll) {
  folder_.removeFile(content::ContentFolders::recording("s02"));
  start();
  backend_.advance(1500);
  EXPECT_EQ(shownItem(), "ただいま。 / 我回来了。");
  EXPECT_THAT(soundsPlayed(), ElementsAre("s01")) << "nothing to hear";
  backend_.advance(1500);
  ASSERT_THAT(soundsPlayed(), ElementsAre("s01", "s03"));
  EXPECT_EQ(recordingsPlayed()[1].atMs, 3000);
}

TEST_F(ReadingTest, AnEmptyListOrAnUnopenableDatabaseStopsThePollOnItsFirstTick) {
  const char* labels[] = {"a course without rows", "data.mdb not a database"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(labels[i]);
    TavolinRun run;
    run.addCourses();
    if (i == 0) {
      run.folder_.writeSettings("[课程选择]\r\n课程索引=Lesson9\r\n");
    } else {
      run.folder_.putFile(content::ContentFolders::contentDatabase, "not a database file");
    }
    run.start();
    EXPECT_EQ(run.state_.drillCount, 0);
    EXPECT_TRUE(run.w().逐句跟读自动下一题时钟.running());
    run.backend_.advance(1500);
    EXPECT_FALSE(run.w().逐句跟读自动下一题时钟.running());
    EXPECT_EQ(run.state_.drillIndex, 0);
    EXPECT_EQ(run.w().逐句跟读顺序列表框.getRowCount(), 0);
  }
}

}  // namespace
