#include <gmock/gmock.h>

#include <functional>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/settings_file.h"
#include "course_window/course_select_window.h"
#include "tests/tavolin/tavolin_fixture.h"

namespace {

using ::testing::ElementsAre;

class MenuTest : public TavolinTest {
 protected:
  MenuTest() { addCourses(); }

  // The menu as a user sees it: one line per item, submenu items indented, "[x]" for a mark.
  static std::vector<std::string> describe(platform::MenuItem& holder) {
    std::vector<std::string> lines;
    for (platform::MenuItem* item : holder.items()) {
      const std::string indent(static_cast<std::size_t>(item->level() - 2) * 2, ' ');
      lines.push_back(indent + (item->checked() ? "[x]" : "") + item->caption());
      for (const std::string& line : describe(*item)) lines.push_back(line);
    }
    return lines;
  }

  std::string displayMarks() {
    std::string marks;
    for (platform::MenuItem* item : {&w().仅显示日文, &w().仅显示中文, &w().显示中日文})
      marks += item->checked() ? "x" : "-";
    return marks;
  }
};

TEST_F(MenuTest, ARightPressOnTheBarOrItsLinesOpensTheMenuWithItsStartMarks) {
  start();
  EXPECT_FALSE(w().Tavolin.visible());
  for (platform::Unit* unit : {static_cast<platform::Unit*>(&w().Tavolin图片框),
                               static_cast<platform::Unit*>(&w().日文显示标签),
                               static_cast<platform::Unit*>(&w().中文显示标签)}) {
    SCOPED_TRACE(unit->name());
    ASSERT_TRUE(backend_.rightClick(*unit));
    EXPECT_EQ(backend_.openMenu(), &w().Tavolin);
    backend_.dismissMenu();
  }
  EXPECT_THAT(
      describe(w().Tavolin),
      ElementsAre("开始朗读", "暂停朗读", "重新开始", "-", "学习主题", "  [x]课文句子",
                  "  课文单词", "显示主题", "  仅显示日文", "  仅显示中文", "  [x]显示中日文",
                  "选择课程", "-", "[x]总在最前面", "-", "返回主窗口", "退出软件"));
}

TEST_F(MenuTest, DisplayItemsShowTheirLinesWithOneMarkAndLabelsFollowTheReadingWhileHidden) {
  start();
  const struct {
    platform::MenuItem* item;
    const char* marks;
    bool japanese;
    bool chinese;
  } cases[] = {
      {&w().仅显示日文, "x--", true, false},
      {&w().仅显示中文, "-x-", false, true},
      {&w().显示中日文, "--x", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item->name());
    chooseFromMenu(*c.item);
    EXPECT_EQ(displayMarks(), c.marks);
    EXPECT_EQ(w().日文显示标签.visible(), c.japanese);
    EXPECT_EQ(w().中文显示标签.visible(), c.chinese);
    EXPECT_EQ(w().中文显示标签.top(), 40) << "no line moves";
  }
  chooseFromMenu(w().仅显示中文);
  backend_.advance(1500);
  EXPECT_EQ(w().日文显示标签.caption(), "ただいま。") << "the hidden line got the next item";
  chooseFromMenu(w().显示中日文);
  EXPECT_EQ(shownItem(), "ただいま。 / 我回来了。");
}

TEST_F(MenuTest, AlwaysOnTopSwitchesOffAndBackOn) {
  start();
  chooseFromMenu(w().总在最前面);
  EXPECT_FALSE(w().总在最前面.checked());
  EXPECT_FALSE(w().alwaysOnTop());
  chooseFromMenu(w().总在最前面);
  EXPECT_TRUE(w().总在最前面.checked());
  EXPECT_TRUE(w().alwaysOnTop());
}

TEST_F(MenuTest, PauseStopsAtOnceAndStartPlaysTheSameItemAgainThenReadsOn) {
  start();
  backend_.advance(200);
  chooseFromMenu(w().暂停朗读);
  EXPECT_EQ(w().媒体播放1.getState(), platform::MediaPlayer::kNotPlaying);
  EXPECT_FALSE(w().逐句跟读自动下一题时钟.running());
  EXPECT_FALSE(runtime().nextTimerDue()) << "a paused bar wakes up never";
  backend_.advance(10000);
  EXPECT_THAT(soundsPlayed(), ElementsAre("s01")) << "nothing advances while paused";
  chooseFromMenu(w().开始朗读);
  EXPECT_THAT(soundsPlayed(), ElementsAre("s01", "s01"));
  backend_.advance(1500);
  EXPECT_THAT(soundsPlayed(), ElementsAre("s01", "s01", "s02"));
}

TEST_F(MenuTest, StartAfterTheEndPlaysTheLastItemOnceMoreAndEndsAgain) {
  folder_.writeSettings("[课程选择]\r\n课程索引=Lesson2\r\n");
  start();
  backend_.advance(10000);
  EXPECT_THAT(soundsPlayed(), ElementsAre("t01", "t02"));
  EXPECT_FALSE(w().逐句跟读自动下一题时钟.running());
  chooseFromMenu(w().开始朗读);
  EXPECT_TRUE(w().逐句跟读自动下一题时钟.running());
  backend_.advance(10000);
  EXPECT_THAT(soundsPlayed(), ElementsAre("t01", "t02", "t02"));
  EXPECT_FALSE(w().逐句跟读自动下一题时钟.running());
  EXPECT_EQ(shownItem(), "これをください。 / 请给我这个。");
}

TEST_F(MenuTest, ThemeItemsAndRestartReloadFromTheFirstItemReplacingTheOnePlaying) {
  start();
  backend_.advance(1600);  // the second sentence is playing
  chooseFromMenu(w().课文单词);
  EXPECT_TRUE(w().课文单词.checked());
  EXPECT_FALSE(w().课文句子.checked());
  EXPECT_EQ(state_.drillLessonKey, "Lesson1单词");
  EXPECT_EQ(shownItem(), "家族 / 家人");
  backend_.advance(1600);
  chooseFromMenu(w().课文单词);  // marked already: starts over all the same
  chooseFromMenu(w().重新开始);
  chooseFromMenu(w().课文句子);
  EXPECT_TRUE(w().课文句子.checked());
  EXPECT_FALSE(w().课文单词.checked());
  EXPECT_THAT(soundsPlayed(), ElementsAre("s01", "s02", "w01", "w02", "w01", "w01", "s01"));
  EXPECT_EQ(recordingsPlayed().back().atMs, 3200);
  backend_.advance(1499);
  EXPECT_EQ(soundsPlayed().size(), 7u) << "the poll started anew with the reload";
  backend_.advance(1);
  EXPECT_EQ(soundsPlayed().back(), "s02");
}

class CourseWindowInTavolinTest : public MenuTest {
 protected:
  void inCourseWindow(std::function<void(CourseSelectWindow&)> script) {
    backend_.whenWindowOpens<CourseSelectWindow>(std::move(script));
    chooseFromMenu(w().选择课程);
    EXPECT_EQ(runtime().openWindows().size(), 1u) << "the course window has closed";
  }
};

TEST_F(CourseWindowInTavolinTest, OpensWithItsCaptionAndTheCourseOfTheSettingsFile) {
  folder_.writeSettings("[课程选择]\r\n课程名称=Lesson2  商店购物\r\n课程索引=Lesson2\r\n");
  start();
  inCourseWindow([&](CourseSelectWindow& d) {
    EXPECT_EQ(d.caption(), "课程选择");
    EXPECT_EQ(d.border(), platform::Border::None);
    EXPECT_EQ(d.退出软件按钮.clickSound(), assets::exitClickSound());
    EXPECT_EQ(d.课程标签.caption(), "Lesson2  商店购物");
    EXPECT_EQ(d.kb标签.caption(), "Lesson2");
    EXPECT_EQ(d.课程列表框.getRowCount(), 2);
    EXPECT_EQ(state_.lastSqlText, "SELECT * FROM kecheng");
    EXPECT_EQ(w().Tavolin图片框.inputState(), platform::InputResult::Blocked);
    backend_.advance(1500);
    EXPECT_EQ(soundsPlayed().size(), 2u) << "the reading goes on behind the window";
    backend_.click(d.退出软件按钮);
  });
  EXPECT_EQ(backend_.clickSoundsPlayed().back().file, "退出软件按钮");
}

TEST_F(CourseWindowInTavolinTest, CancelCloseAndEscChangeNothing) {
  const std::function<void(platform::HeadlessBackend&, CourseSelectWindow&)> ways[] = {
      [](auto& b, CourseSelectWindow& d) { b.click(d.取消按钮); },
      [](auto& b, CourseSelectWindow& d) { b.click(d.退出软件按钮); },
      [](auto& b, CourseSelectWindow& d) { b.pressEsc(d); },
  };
  start();
  chooseFromMenu(w().课文单词);
  for (const auto& way : ways) {
    const std::size_t played = soundsPlayed().size();
    inCourseWindow([&](CourseSelectWindow& d) {
      backend_.selectRow(d.课程列表框, 1);
      way(backend_, d);
    });
    EXPECT_EQ(state_.courseKey, "Lesson1");
    EXPECT_EQ(state_.drillLessonKey, "Lesson1单词");
    EXPECT_EQ(soundsPlayed().size(), played) << "no reload";
    EXPECT_FALSE(folder_.exists(content::ContentFolders::settingsFile));
  }
}

TEST_F(CourseWindowInTavolinTest, OkStoresTheRowAndReadsItsFirstItemInTheCurrentTheme) {
  start();
  chooseFromMenu(w().课文单词);
  folder_.addItem("Lesson2单词", "2W01", "店", "商店", "t01");
  inCourseWindow([&](CourseSelectWindow& d) {
    backend_.selectRow(d.课程列表框, 1);
    backend_.click(d.确定按钮);
  });
  EXPECT_EQ(folder_.settingsText(),
            "[课程选择]\r\n课程名称=Lesson2  商店购物\r\n课程索引=Lesson2\r\n");
  EXPECT_EQ(state_.courseKey, "Lesson2");
  EXPECT_EQ(state_.drillLessonKey, "Lesson2单词");
  EXPECT_EQ(shownItem(), "店 / 商店");
  EXPECT_EQ(soundsPlayed().back(), "t01");
}

// The window opens with the key of the name it shows, so OK without a choice keeps the course.
TEST_F(CourseWindowInTavolinTest, OkWithoutAChoiceKeepsTheStoredCourse) {
  folder_.writeSettings("[课程选择]\r\n课程名称=Lesson2  商店购物\r\n课程索引=Lesson2\r\n");
  start();
  inCourseWindow([&](CourseSelectWindow& d) { backend_.click(d.确定按钮); });
  EXPECT_EQ(content::SettingsFile::read(folder_.path(), content::SettingsFile::courseKey),
            "Lesson2");
  EXPECT_EQ(state_.courseKey, "Lesson2");
  EXPECT_EQ(shownItem(), "いくらですか。 / 多少钱？");
}

TEST_F(MenuTest, EveryWayToEndEndsWithExitCode0) {
  const struct {
    const char* label;
    std::function<void(TavolinRun&)> end;
    bool clickSound;
    bool databaseClosed;
    bool sorandelStarted;
  } cases[] = {
      {"退出软件", [](TavolinRun& r) { r.chooseFromMenu(r.w().退出软件); }, true, true, false},
      {"返回主窗口", [](TavolinRun& r) { r.chooseFromMenu(r.w().返回主窗口); }, false, false, true},
      {"Esc", [](TavolinRun& r) { r.backend_.pressEsc(r.w()); }, false, false, false},
      {"close", [](TavolinRun& r) { r.backend_.closeWindow(r.w()); }, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TavolinRun run;
    run.addCourses();
    run.start();
    c.end(run);
    EXPECT_FALSE(run.runtime().running());
    EXPECT_EQ(run.runtime().exitCode(), 0);
    const std::string click =
        content::ContentFolders::path(run.folder_.path(), content::ContentFolders::clickSound);
    EXPECT_EQ(run.backend_.soundFilesHeard() == std::vector<std::string>{click}, c.clickSound);
    EXPECT_EQ(!run.w().数据库连接1.isOpen(), c.databaseClosed);
    ASSERT_EQ(run.backend_.programsStarted().size(), c.sorandelStarted ? 1u : 0u);
    if (c.sorandelStarted) {
      EXPECT_EQ(run.backend_.programsStarted()[0].file, "Sorandel.exe");
      EXPECT_EQ(run.backend_.programsStarted()[0].workingFolder, run.folder_.path());
    }
  }
}

}  // namespace
