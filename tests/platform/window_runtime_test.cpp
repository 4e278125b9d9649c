#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/platform/test_windows.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Windows : public PlatformTest {
 protected:
  EventLog log;
};

TEST_P(Windows, TheStartWindowsCreatedHandlerRunsInsideTheBuildingAndClosingEndsWithZero) {
  FormWindow& w = rt().start<FormWindow>(log);
  EXPECT_THAT(log, ElementsAre("created"));
  EXPECT_TRUE(w.isOpen());
  EXPECT_TRUE(rt().running());
  d().pressEsc(w);
  EXPECT_TRUE(rt().running()) << "this design does not close on Esc";
  d().closeWindow(w);
  EXPECT_FALSE(rt().running());
  EXPECT_EQ(rt().exitCode(), 0);
}

TEST_P(Windows, RunHandlesEventsUntilTheStartWindowClosesAndReturnsZero) {
  d().whenWindowOpens<FormWindow>([this](FormWindow& w) {
    EXPECT_THAT(log, ElementsAre("created"));
    d().click(w.按钮1);
    d().closeWindow(w);
  });
  EXPECT_EQ(rt().run<FormWindow>(log), 0);
  EXPECT_THAT(log, ElementsAre("created", "按钮1.clicked"));
  EXPECT_FALSE(rt().running());
}

TEST_P(Windows, EndingTheProgramFromAHandlerClosesEveryWindowWithTheCode) {
  FormWindow& w = rt().start<FormWindow>(log);
  w.时钟1.setInterval(100);
  w.按钮1.onClicked = [this] { rt().open<DialogWindow>(log); };
  d().whenWindowOpens<DialogWindow>([this](DialogWindow& dialog) {
    dialog.确定按钮.onClicked = [this] { rt().exit(3); };
    d().click(dialog.确定按钮);
    EXPECT_TRUE(dialog.isClosed());
  });
  d().click(w.按钮1);
  EXPECT_FALSE(rt().running());
  EXPECT_EQ(rt().exitCode(), 3);
  EXPECT_TRUE(w.isClosed());
  EXPECT_FALSE(w.时钟1.running());
  // Once ended, nothing more opens or shows.
  rt().open<DialogWindow>(log);
  EXPECT_NE(rt().showMessageBox("late", 1, "x"), 0);
  EXPECT_THAT(d().messageBoxes(), IsEmpty());
}

TEST_P(Windows, OpenIsModalBuiltAfreshAndReturnsWhenTheWindowCloses) {
  FormWindow& w = rt().start<FormWindow>(log);
  int opened = 0;
  w.按钮1.onClicked = [&] {
    rt().open<DialogWindow>(log);
    log.push_back("open returned");
  };
  const auto script = [&](DialogWindow& dialog) {
    ++opened;
    EXPECT_EQ(dialog.列表.getRowCount(), 1);
    // Nothing of the earlier opening survives.
    dialog.标签.setCaption("changed");
    dialog.选择框.setChecked(true);
    // The other windows take no user input, but code may still write them.
    EXPECT_EQ(w.标签1.userClick(), platform::InputResult::Blocked);
    w.标签1.setCaption("written while modal");
    d().click(dialog.确定按钮);
  };
  d().whenWindowOpens<DialogWindow>(script);
  d().whenWindowOpens<DialogWindow>(script);
  log.clear();
  d().click(w.按钮1);
  d().click(w.按钮1);
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(w.标签1.caption(), "written while modal");
  EXPECT_THAT(log, ElementsAre("dialog.created rows 0 caption design check 0", "dialog.ok",
                               "open returned", "dialog.created rows 0 caption design check 0",
                               "dialog.ok", "open returned"));
}

TEST_P(Windows, EscClosesAWindowWhoseDesignSaysSo) {
  FormWindow& w = rt().start<FormWindow>(log);
  w.按钮1.onClicked = [this] { rt().open<DialogWindow>(log); };
  d().whenWindowOpens<DialogWindow>([this](DialogWindow& dialog) { d().pressEsc(dialog); });
  d().click(w.按钮1);
  EXPECT_TRUE(rt().running());
  EXPECT_EQ(rt().openWindows().size(), 1u);
}

TEST_P(Windows, AnUnexpectedWindowOrBoxFailsTheTestClearly) {
  FormWindow& w = rt().start<FormWindow>(log);
  w.按钮1.onClicked = [this] { rt().open<DialogWindow>(log); };
  EXPECT_NONFATAL_FAILURE(d().click(w.按钮1), "dialogWindow");
  EXPECT_NONFATAL_FAILURE(rt().showMessageBox("意外", 1, "标题"), "意外");
  EXPECT_EQ(rt().openWindows().size(), 1u);
}

TEST_P(Windows, WritingTheSizeRaisesSizeChangedMovingDoesNot) {
  FormWindow& w = rt().start<FormWindow>(log);
  log.clear();
  w.setWidth(1366);
  w.setHeight(768 - 30);
  w.move(0, 0);
  w.move(5, 5, 640);
  EXPECT_THAT(log, ElementsAre("sizeChanged", "sizeChanged", "sizeChanged"));
  EXPECT_EQ(w.rect().left, 5);
  EXPECT_EQ(w.width(), 640);
  EXPECT_EQ(w.height(), 738);
  w.setWindowState(2);
  w.setAlwaysOnTop(true);
  EXPECT_EQ(w.windowState(), 2);
  EXPECT_TRUE(w.alwaysOnTop());
}

// A window whose design starts it centred (or at its design place); its created handler notes
// where the window is and may then place it itself, as a start window that fills the screen does.
class PlacedWindow : public platform::Window {
 public:
  PlacedWindow(platform::Runtime& rt, EventLog& log, bool centred, bool moveToCorner)
      : Window(rt, "placedWindow", {40, 30, 300, 200}) {
    setCentred(centred);
    onCreated = [this, &log, moveToCorner] {
      log.push_back("created at " + std::to_string(left()) + "," + std::to_string(top()));
      if (moveToCorner) move(0, 0);
    };
  }
};

std::string middleOfScreen(const platform::Runtime& rt, int width, int height) {
  return std::to_string((rt.getScreenWidth() - width) / 2) + "," +
         std::to_string((rt.getScreenHeight() - height) / 2);
}

std::string placeOf(const platform::Window& w) {
  return std::to_string(w.left()) + "," + std::to_string(w.top());
}

TEST_P(Windows, ACentredStartWindowIsInTheMiddleOfTheScreenWhenItsCreatedHandlerRuns) {
  d().setScreen(1366, 768);
  PlacedWindow& w = rt().start<PlacedWindow>(log, true, false);
  EXPECT_THAT(log, ElementsAre("created at " + middleOfScreen(rt(), 300, 200)));
  EXPECT_EQ(placeOf(w), middleOfScreen(rt(), 300, 200));
}

TEST_P(Windows, AModalWindowIsCentredBeforeItsCreatedHandlerWhichMayPlaceItItself) {
  d().setScreen(1366, 768);
  FormWindow& form = rt().start<FormWindow>(log);
  EXPECT_EQ(placeOf(form), "0,0") << "a design that is not centred keeps its place";
  const std::string middle = middleOfScreen(rt(), 300, 200);
  const struct {
    const char* label;
    bool centred;
    bool moveToCorner;
    std::string seenInCreated;
    std::string shownAt;
  } cases[] = {
      {"centred", true, false, middle, middle},
      {"centred, placed by its handler", true, true, middle, "0,0"},
      {"at its design place", false, false, "40,30", "40,30"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EventLog seen;
    form.按钮1.onClicked = [&] { rt().open<PlacedWindow>(seen, c.centred, c.moveToCorner); };
    d().whenWindowOpens<PlacedWindow>([&](PlacedWindow& w) {
      EXPECT_EQ(placeOf(w), c.shownAt);
      w.close();
    });
    d().click(form.按钮1);
    EXPECT_THAT(seen, ElementsAre("created at " + c.seenInCreated));
  }
}

TEST_P(Windows, ScreenSizeComesFromTheBackend) {
  d().setScreen(1280, 720);
  EXPECT_EQ(rt().getScreenWidth(), 1280);
  EXPECT_EQ(rt().getScreenHeight(), 720);
}

TEST_P(Windows, MessageBoxStylesAndResults) {
  rt().start<FormWindow>(log);
  d().answerNextMessageBox(0);
  d().answerNextMessageBox(2);  // Esc or the close box
  EXPECT_EQ(rt().showMessageBox("已经是最后一题", 0), 0);
  EXPECT_NE(rt().showMessageBox("确定要提交吗？", 1, "提示"), 0);
  const auto boxes = d().messageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "已经是最后一题");
  EXPECT_EQ(boxes[0].style, 0);
  EXPECT_EQ(boxes[0].caption, "Form") << "an omitted caption shows the window's";
  EXPECT_EQ(boxes[1].style, 1);
  EXPECT_EQ(boxes[1].caption, "提示");
}

TEST_P(Windows, PlaySoundFileHearsFilesThatExist) {
  rt().start<FormWindow>(log);
  folder().putFile("\\效果\\click.wav", "RIFF");
  rt().playSoundFile(folder().path() + "\\效果\\click.wav");
  rt().playSoundFile(folder().path() + "\\效果\\missing.wav");
  const auto sounds = d().soundsPlayed();
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_TRUE(sounds[0].heard);
  EXPECT_FALSE(sounds[1].heard);
  EXPECT_EQ(sounds[0].file, folder().path() + "\\效果\\click.wav");
}

void putExecutable(const std::string& path) {
  std::ofstream(path) << "#!/bin/sh\n";
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST_P(Windows, StartFileFindsABareNameInTheWorkingFolderAndTheLinuxNameOfAnExe) {
  namespace fs = std::filesystem;
  putExecutable(folder().file("\\Tavolin"));
  putExecutable(folder().file("\\Other.exe"));
  folder().putFile("\\NotRunnable.exe", "MZ");
  const struct {
    const char* file;
    const char* found;  // file name in the folder, "" = nothing started
  } cases[] = {
      {"Tavolin.exe", "Tavolin"}, {"Other.exe", "Other.exe"}, {"Sorandel.exe", ""},
      {"NotRunnable.exe", ""},    {"..\\Tavolin", ""},
  };
  for (const auto& c : cases) rt().startFile(c.file, folder().path());
  const auto starts = d().programsStarted();
  ASSERT_EQ(starts.size(), std::size(cases));
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::string expected =
        *cases[i].found ? (fs::path(folder().path()) / cases[i].found).string() : "";
    EXPECT_EQ(starts[i].nativePath, expected) << cases[i].file;
    EXPECT_EQ(starts[i].file, cases[i].file);
    EXPECT_EQ(starts[i].workingFolder, folder().path());
  }
}

PLATFORM_TEST_SUITE(Windows);

}  // namespace

namespace {

TEST(HeadlessHarness, AnswersAndScriptsNeverUsedFailTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        platform::HeadlessBackend b;
        b.answerNextMessageBox(0);
      },
      "never asked for");
  EXPECT_NONFATAL_FAILURE(
      {
        platform::HeadlessBackend b;
        b.whenWindowOpens<DialogWindow>([](DialogWindow&) {});
      },
      "never used");
}

TEST(HeadlessHarness, TypingIntoAUnitThatTakesNoTextFailsTheTest) {
  platform::HeadlessBackend b;
  platform::Runtime rt(b, "/nonexistent");
  EventLog log;
  FormWindow& w = rt.start<FormWindow>(log);
  EXPECT_EQ(w.标签1.userType("x"), platform::InputResult::NotApplicable);
  EXPECT_NONFATAL_FAILURE(b.type(w.标签1, "x"), "标签1");
  EXPECT_NONFATAL_FAILURE(b.paste(w.按钮1, "x"), "按钮1");
  EXPECT_TRUE(b.type(w.编辑框1, "x"));
  EXPECT_EQ(w.编辑框1.content(), "x");
}

}  // namespace
