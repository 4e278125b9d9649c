#include <gmock/gmock.h>

#include <filesystem>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "sorandel/program.h"
#include "tests/sorandel/sorandel_fixture.h"

using ::testing::ElementsAre;

namespace {

struct ScreenCase {
  const char* label;
  int screenWidth;
  int screenHeight;
  int windowHeight;
  int skinLeft;
  int skinTop;
};

class StartTest : public SorandelTest {};

TEST_F(StartTest, SizesTheWindowToTheScreenAndCentresTheSkinTruncatingTowardZero) {
  const ScreenCase cases[] = {
      {"1366 x 768", 1366, 768, 738, 242, 27},
      {"1365 wide: 682.5 - 441", 1365, 768, 738, 241, 27},
      {"800 x 600: cut on both sides", 800, 600, 570, -41, -57},
      {"881 wide: -0.5 gives 0", 881, 768, 738, 0, 27},
      {"879 wide: -1.5 gives -1", 879, 768, 738, -1, 27},
  };
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.label);
    SorandelRun run;  // a fresh program per screen
    MainWindow& window = run.start(c.screenWidth, c.screenHeight);
    EXPECT_EQ(window.left(), 0);
    EXPECT_EQ(window.top(), 0);
    EXPECT_EQ(window.width(), c.screenWidth);
    EXPECT_EQ(window.height(), c.windowHeight);
    EXPECT_EQ(window.主容器.left(), c.skinLeft);
    EXPECT_EQ(window.主容器.top(), c.skinTop);
  }
}

TEST_F(StartTest, WithoutSettingsFileShowsTheDefaultCourseAndBuildsItsLesson) {
  addLesson1();
  start();
  EXPECT_EQ(w().课程显示标签.caption(), "Lesson1  家庭问候");
  EXPECT_EQ(state_.courseKey, "Lesson1");
  EXPECT_EQ(state_.lastSqlText, "SELECT * FROM study WHERE id = 'Lesson1基本课文'");
  EXPECT_EQ(lessonLines().front(), "[1S01]日文：おはよう。");
  EXPECT_EQ(state_.repeatCount, 1);
  EXPECT_EQ(state_.redoWrongOnly, 0);
  EXPECT_EQ(folder_.settingsText(), "") << "start-up writes nothing";
  EXPECT_FALSE(folder_.exists(content::ContentFolders::settingsFile));
}

TEST_F(StartTest, ReadsTheCourseFromTheSettingsFileEachKeyWithItsOwnDefault) {
  struct Case {
    const char* settings;
    const char* label;
    const char* courseKey;
    const char* firstLine;
  };
  const Case cases[] = {
      {"[课程选择]\r\n课程名称=Lesson2  出门\r\n课程索引=Lesson2\r\n", "Lesson2  出门", "Lesson2",
       "[2S01]日文：いってきます。"},
      {"[课程选择]\r\n课程索引=Lesson3\r\n", "Lesson1  家庭问候", "Lesson3",
       "[3S01]日文：すみません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    SorandelRun run;
    run.folder_.addItem("Lesson2基本课文", "2S01", "いってきます。", "我出门了。", "l2s01")
        .addItem("Lesson3基本课文", "3S01", "すみません。", "对不起。", "l3s01");
    run.folder_.writeSettings(c.settings);
    MainWindow& window = run.start();
    EXPECT_EQ(window.课程显示标签.caption(), c.label);
    EXPECT_EQ(run.state_.courseName, c.label);
    EXPECT_EQ(run.state_.courseKey, c.courseKey);
    EXPECT_EQ(run.lessonLines().front(), c.firstLine);
  }
}

TEST_F(StartTest, StartValuesOfTheTextFormat) {
  SorandelState fresh;
  initGlobals(fresh);
  EXPECT_EQ(fresh.textFormat.fontName, "宋体");
  EXPECT_EQ(fresh.textFormat.fontSize, 9);
  EXPECT_EQ(fresh.textFormat.reserved, 0);
  EXPECT_EQ(fresh.textFormat.effects, 0);
  EXPECT_EQ(fresh.textFormat.color, platform::kDefaultColor);
  fresh.courseKey = "Lesson2";
  releaseGlobals(fresh);
  EXPECT_EQ(fresh.courseKey, "");
  EXPECT_EQ(fresh.textFormat.fontName, "");
}

TEST_F(StartTest, WindowDesign) {
  start();
  EXPECT_EQ(w().caption(), "Sorandel");
  EXPECT_EQ(w().border(), platform::Border::None);
  EXPECT_EQ(w().backgroundColor(), platform::rgb(0, 0, 0));
  EXPECT_TRUE(w().escCloses());
  EXPECT_TRUE(w().taskbarButton());
  EXPECT_FALSE(w().movable());
  EXPECT_FALSE(w().alwaysOnTop());
  EXPECT_EQ(w().主容器.picture(), assets::mainSkin());
  EXPECT_EQ(w().课程显示标签.textColor(), platform::rgb(247, 208, 0));
  EXPECT_EQ(w().课程显示标签.font(), platform::Font::pixels("新宋体", 14));
  EXPECT_FALSE(w().图片框1.visible());
  EXPECT_FALSE(w().内容暂存框.shown());
  EXPECT_FALSE(w().播放进度时钟.running());
}

// Every image button of the window carries both pictures, a click sound (all but the
// click-to-read mode button) and the hand cursor.
TEST_F(StartTest, EveryImageButtonHasItsPicturesSoundAndHandCursor) {
  start();
  int buttons = 0;
  for (platform::Unit* unit : w().units()) {
    auto* button = dynamic_cast<platform::ImageButton*>(unit);
    if (!button) continue;
    ++buttons;
    SCOPED_TRACE(button->name());
    EXPECT_FALSE(button->picture().empty());
    EXPECT_FALSE(button->hoverPicture().empty());
    EXPECT_NE(button->picture(), button->hoverPicture());
    EXPECT_EQ(button->clickSound().empty(), button == &w().句子点读按钮);
    EXPECT_EQ(button->cursor(), platform::Cursor::Hand);
  }
  EXPECT_EQ(buttons, 14);
  EXPECT_EQ(w().课程选择按钮.clickSound(), assets::buttonClickSound());
  EXPECT_EQ(w().Tavolin按钮.clickSound(), assets::buttonClickSound());
  EXPECT_EQ(w().最小化按钮.clickSound(), assets::buttonClickSound());
  EXPECT_EQ(w().退出软件按钮.clickSound(), assets::exitClickSound());
  EXPECT_LT(assets::exitClickSound().size(), assets::buttonClickSound().size());
}

TEST_F(StartTest, FrameLayout) {
  start();
  MainWindow& m = w();
  expectPlacements({
      {&m.主菜单, &m.主容器, {8, 127, 164, 520}},
      {&m.课程选择按钮, &m.主容器, {8, 92, 100, 28}},
      {&m.课程显示标签, &m.主容器, {336, 98, 304, 16}},
      {&m.Tavolin按钮, &m.主容器, {744, 92, 126, 28}},
      {&m.最小化按钮, &m.主容器, {816, 9, 26, 18}},
      {&m.退出软件按钮, &m.主容器, {848, 9, 26, 18}},
      {&m.课文学习容器, &m.主容器, {179, 123, 696, 525}},
      {&m.入门基础容器, &m.主容器, {179, 123, 696, 525}},
      {&m.全文学习容器, &m.课文学习容器, {0, 0, 696, 525}},
      {&m.句子跟读容器, &m.课文学习容器, {0, 0, 696, 525}},
      {&m.练习容器, &m.课文学习容器, {0, 0, 696, 525}},
      {&m.图片框1, &m, {304, 112, 424, 272}},
  });
  for (platform::Unit* holderUnit :
       {static_cast<platform::Unit*>(&m.媒体播放1), static_cast<platform::Unit*>(&m.播放进度时钟),
        static_cast<platform::Unit*>(&m.搜索内容框),
        static_cast<platform::Unit*>(&m.播放文件名称储存),
        static_cast<platform::Unit*>(&m.焦点停留框), static_cast<platform::Unit*>(&m.内容暂存框),
        static_cast<platform::Unit*>(&m.分组框1),
        static_cast<platform::Unit*>(&m.练习打乱顺序图片框)})
    EXPECT_EQ(holderUnit->parent(), &m.图片框1) << holderUnit->name();
}

TEST_F(StartTest, NavigationBarCaptionsAndIcons) {
  start();
  const auto& groups = w().主菜单.groups();
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].caption, "课文学习");
  EXPECT_EQ(groups[1].caption, "入门基础");
  std::vector<std::string> captions;
  for (const auto& group : groups) {
    ASSERT_EQ(group.items.size(), 5u);
    for (const auto& item : group.items) {
      captions.push_back(item.caption);
      EXPECT_FALSE(item.icon.empty()) << item.caption;
    }
  }
  EXPECT_THAT(captions, ElementsAre("全文学习", "逐句跟读", "听读音辨日文", "按译文选日文",
                                    "按日文选译文", "日语文字和书写", "日语的发音", "声调与语调",
                                    "要注意的发音", "入门基础练习"));
  EXPECT_EQ(w().主菜单.cursor(), platform::Cursor::Hand);
}

TEST_F(StartTest, MinimizeButtonMinimisesAndKeepsTheProgramRunning) {
  start();
  backend().click(w().最小化按钮);
  EXPECT_EQ(w().windowState(), 2);
  EXPECT_TRUE(runtime().running());
}

class ExitTest : public SorandelTest {};

TEST_F(ExitTest, ExitButtonClosesTheDatabaseAndEndsWithZero) {
  addLesson1();
  start();
  ASSERT_TRUE(w().数据库连接1.isOpen());
  backend().click(w().退出软件按钮);
  EXPECT_FALSE(runtime().running());
  EXPECT_EQ(runtime().exitCode(), 0);
  EXPECT_FALSE(w().数据库连接1.isOpen());
  EXPECT_EQ(w().记录集1.recordCount(), 0);
  EXPECT_TRUE(backend().programsStarted().empty());
}

TEST_F(ExitTest, SwitchToTavolinStartsItAndEndsWhetherOrNotItStarted) {
  for (bool tavolinPresent : {true, false}) {
    SCOPED_TRACE(tavolinPresent ? "Tavolin present" : "Tavolin missing");
    SorandelRun run;
    run.addLesson1();
    if (tavolinPresent) {
      run.folder_.putFile("\\Tavolin", "#!/bin/sh\n");
      std::filesystem::permissions(run.folder_.file("\\Tavolin"),
                                   std::filesystem::perms::owner_exec,
                                   std::filesystem::perm_options::add);
    }
    MainWindow& window = run.start();
    run.backend().click(window.Tavolin按钮);
    ASSERT_EQ(run.backend().programsStarted().size(), 1u);
    const auto& started = run.backend().programsStarted()[0];
    EXPECT_EQ(started.file, "Tavolin.exe");
    EXPECT_EQ(started.nativePath.empty(), !tavolinPresent);
    EXPECT_FALSE(run.runtime().running());
    EXPECT_EQ(run.runtime().exitCode(), 0);
    EXPECT_FALSE(window.数据库连接1.isOpen());
  }
}

TEST_F(ExitTest, EscEndsWithZeroWithoutClosingTheDatabase) {
  addLesson1();
  start();
  backend().pressEsc(w());
  EXPECT_FALSE(runtime().running());
  EXPECT_EQ(runtime().exitCode(), 0);
  EXPECT_TRUE(w().数据库连接1.isOpen());
}

TEST_F(ExitTest, ProgramEntryRunsTheMainWindowAndReturnsZero) {
  addLesson1();
  platform::Runtime rt(backend(), folder_.path());
  std::string labelSeen;
  backend().whenWindowOpens<MainWindow>([&](MainWindow& window) {
    labelSeen = window.课程显示标签.caption();
    backend().pressEsc(window);
  });
  EXPECT_EQ(programEntry(rt), 0);
  EXPECT_EQ(labelSeen, "Lesson1  家庭问候");
}

}  // namespace
