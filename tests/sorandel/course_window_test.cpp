#include <gmock/gmock.h>
#include <sys/inotify.h>
#include <unistd.h>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/settings_file.h"
#include "course_window/course_select_window.h"
#include "sorandel/program.h"
#include "tests/sorandel/sorandel_fixture.h"

namespace {

using ::testing::ElementsAre;

// A catalogue of three courses with one sentence each.
class CourseRun : public SorandelRun {
 public:
  CourseRun() {
    folder_.addCourse("Lesson1  家庭问候", "Lesson1")
        .addCourse("Lesson2  商店购物", "Lesson2")
        .addCourse("Lesson3  问路", "Lesson3")
        .addItem("Lesson1基本课文", "1S01", "おはよう。", "早上好。", "s01")
        .addItem("Lesson2基本课文", "2S01", "いくらですか。", "多少钱？", "s02")
        .addItem("Lesson3基本课文", "3S01", "駅はどこですか。", "车站在哪里？", "s03");
  }

  void makeLesson2Current() {
    folder_.writeSettings("[课程选择]\r\n课程名称=Lesson2  商店购物\r\n课程索引=Lesson2\r\n");
  }

  // Opens the course window from the main window's button and runs `script` in it.
  void inCourseWindow(std::function<void(CourseSelectWindow&)> script) {
    backend_.whenWindowOpens<CourseSelectWindow>(std::move(script));
    ASSERT_TRUE(backend_.click(w().课程选择按钮));
    EXPECT_EQ(runtime().openWindows().size(), 1u) << "the course window has closed";
  }

  static std::vector<std::string> names(const CourseSelectWindow& dialog) {
    std::vector<std::string> rows;
    for (int r = 0; r < dialog.课程列表框.getRowCount(); ++r)
      rows.push_back(dialog.课程列表框.getCellText(r, 0) + "|" +
                     dialog.课程列表框.getCellText(r, 1));
    return rows;
  }

  std::string stored(const content::SettingsKey& key) {
    return content::SettingsFile::read(folder_.path(), key);
  }
};

class CourseWindowTest : public ::testing::Test, public CourseRun {};

// Counts the times the settings file is replaced (a new file renamed over it) while this lives.
class SettingsFileReplacements {
 public:
  explicit SettingsFileReplacements(const std::string& folder)
      : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    // With the temporary files' moves in between, no two moves onto the file are merged into
    // one event.
    EXPECT_GE(::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_FROM | IN_MOVED_TO), 0);
  }
  ~SettingsFileReplacements() { ::close(fd_); }

  int count() {
    alignas(inotify_event) char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd_, buffer, sizeof buffer)) > 0) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if ((event->mask & IN_MOVED_TO) && event->len > 0 &&
            std::string_view(event->name) == "setting.ini") {
          ++count_;
        }
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return count_;
  }

 private:
  int fd_;
  int count_ = 0;
};

TEST_F(CourseWindowTest, OpensModalWithTheCatalogueInDatabaseOrderAndTheCurrentCourse) {
  folder_.execute(content::ContentFolders::contentDatabase,
                  "INSERT INTO kecheng (kecheng, kb) VALUES ('Lesson0  发音', 'Lesson0')");
  makeLesson2Current();
  start();
  inCourseWindow([&](CourseSelectWindow& dialog) {
    EXPECT_THAT(names(dialog), ElementsAre("Lesson1  家庭问候|Lesson1", "Lesson2  商店购物|Lesson2",
                                           "Lesson3  问路|Lesson3", "Lesson0  发音|Lesson0"));
    EXPECT_EQ(dialog.课程列表框.selectedRow(), -1);
    EXPECT_EQ(dialog.课程标签.caption(), "Lesson2  商店购物");
    EXPECT_EQ(dialog.kb标签.caption(), "Lesson2") << "the key of the name shown";
    EXPECT_FALSE(dialog.kb标签.shown());
    EXPECT_EQ(state_.lastSqlText, "SELECT * FROM kecheng");
    EXPECT_EQ(w().课程选择按钮.inputState(), platform::InputResult::Blocked);
    EXPECT_EQ(dialog.left(), (1366 - 350) / 2);
    EXPECT_EQ(dialog.top(), (768 - 467) / 2);
    backend_.click(dialog.取消按钮);
  });
  EXPECT_THAT(backend_.windowsOpened(), ElementsAre("mainWindow", "courseSelectWindow"));
}

TEST_F(CourseWindowTest, WindowDesign) {
  start();
  inCourseWindow([&](CourseSelectWindow& d) {
    EXPECT_EQ(d.caption(), "");
    EXPECT_EQ(d.width(), 350);
    EXPECT_EQ(d.height(), 467);
    EXPECT_EQ(d.border(), platform::Border::None);
    EXPECT_TRUE(d.dragAnywhere());
    EXPECT_TRUE(d.taskbarButton());
    EXPECT_FALSE(d.alwaysOnTop());
    EXPECT_TRUE(d.escCloses());
    expectPlacements({
        {&d.课程选择图片框, &d, {0, 0, 350, 467}},
        {&d.标签1, &d.课程选择图片框, {24, 64, 64, 24}},
        {&d.课程标签, &d, {96, 64, 240, 24}},
        {&d.课程列表框, &d.课程选择图片框, {16, 96, 312, 328}},
        {&d.确定按钮, &d.课程选择图片框, {168, 432, 70, 24}},
        {&d.取消按钮, &d, {256, 432, 70, 24}},
        {&d.退出软件按钮, &d.课程选择图片框, {312, 6, 26, 18}},
        {&d.图片框1, &d.课程选择图片框, {152, 168, 160, 120}},
        {&d.kb标签, &d.图片框1, {8, 72, 136, 24}},
    });
    EXPECT_EQ(d.课程选择图片框.picture(), assets::courseWindowSkin());
    EXPECT_EQ(d.标签1.caption(), "选定课程：");
    for (const platform::Label* label : {&d.标签1, &d.课程标签, &d.kb标签}) {
      EXPECT_EQ(label->textColor(), platform::rgb(0, 0, 0));
      EXPECT_EQ(label->backgroundColor(), platform::rgb(0xD2, 0xEB, 0xF0));
    }
    ASSERT_EQ(d.课程列表框.columns().size(), 2u);
    EXPECT_EQ(d.课程列表框.columns()[0].caption, "列表");
    EXPECT_EQ(d.课程列表框.columns()[0].width, 312);
    EXPECT_EQ(d.课程列表框.columns()[1].caption, "kb");
    EXPECT_EQ(d.课程列表框.columns()[1].width, 1);
    EXPECT_EQ(d.课程列表框.fillColumn(), 0);
    EXPECT_EQ(d.课程列表框.font(), platform::Font::pixels("宋体", 14));
    EXPECT_EQ(d.确定按钮.picture(), assets::courseOkButton());
    EXPECT_EQ(d.取消按钮.hoverPicture(), assets::courseCancelButtonHover());
    EXPECT_EQ(d.退出软件按钮.picture(), assets::courseCloseButton());
    EXPECT_EQ(d.确定按钮.clickSound(), assets::buttonClickSound());
    EXPECT_EQ(d.取消按钮.clickSound(), assets::buttonClickSound());
    EXPECT_TRUE(d.退出软件按钮.clickSound().empty()) << "Sorandel's close button is silent";
    backend_.pressEsc(d);
  });
}

TEST_F(CourseWindowTest, TwoChoicesThenOkStoreTheSecondRowAndApplyItBeforeTheWindowCloses) {
  // Records what the main window shows at the moment the course window closes.
  class ClosingBackend : public platform::HeadlessBackend {
   public:
    void windowClosed(platform::Window& window) override {
      if (window.name() == "courseSelectWindow") labelAtClose = main->课程显示标签.caption();
    }
    MainWindow* main = nullptr;
    std::string labelAtClose;
  } backend;
  platform::Runtime rt(backend, folder_.path());
  MainWindow& m = rt.start<MainWindow>(state_);
  backend.main = &m;
  backend.whenWindowOpens<CourseSelectWindow>([&](CourseSelectWindow& dialog) {
    backend.selectRow(dialog.课程列表框, 2);
    EXPECT_EQ(dialog.课程标签.caption(), "Lesson3  问路");
    EXPECT_EQ(dialog.kb标签.caption(), "Lesson3");
    backend.selectRow(dialog.课程列表框, 1);
    backend.click(dialog.确定按钮);
  });
  backend.click(m.课程选择按钮);
  EXPECT_EQ(backend.labelAtClose, "Lesson2  商店购物");
  EXPECT_EQ(stored(content::SettingsFile::courseName), "Lesson2  商店购物");
  EXPECT_EQ(stored(content::SettingsFile::courseKey), "Lesson2");
  EXPECT_EQ(folder_.settingsText(),
            "[课程选择]\r\n课程名称=Lesson2  商店购物\r\n课程索引=Lesson2\r\n");
  EXPECT_EQ(state_.courseKey, "Lesson2");
  EXPECT_EQ(splitLines(m.全文学习内容框.content()).front(), "[2S01]日文：いくらですか。");
  EXPECT_EQ(m.主菜单.currentItem(), 0);
}

// A crash after OK leaves either the old course or the new one: name and key reach the file in one
// replacement of it, whose bytes are those of the name written first and the key after it.
TEST_F(CourseWindowTest, OkStoresNameAndKeyInOneChangeOfTheFile) {
  const struct {
    const char* label;
    const char* before;  // nullptr: no settings file
    const char* after;
  } cases[] = {
      {"no settings file", nullptr,
       "[课程选择]\r\n课程名称=Lesson2  商店购物\r\n课程索引=Lesson2\r\n"},
      {"both keys after the basics topic",
       "[入门基础]\r\n当前选项=日语的发音\r\n[课程选择]\r\n课程名称=Lesson1  家庭问候\r\n"
       "课程索引=Lesson1\r\n",
       "[入门基础]\r\n当前选项=日语的发音\r\n[课程选择]\r\n课程名称=Lesson2  商店购物\r\n"
       "课程索引=Lesson2\r\n"},
      {"only the key, the name added after it", "[课程选择]\r\n课程索引=Lesson3\r\n",
       "[课程选择]\r\n课程索引=Lesson2\r\n课程名称=Lesson2  商店购物\r\n"},
      {"LF line breaks, no course section", "[入门基础]\n当前选项=声调与语调\n",
       "[入门基础]\n当前选项=声调与语调\n[课程选择]\n课程名称=Lesson2  商店购物\n"
       "课程索引=Lesson2\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    CourseRun run;
    if (c.before) run.folder_.writeSettings(c.before);
    run.start();
    SettingsFileReplacements replacements(run.folder_.file("\\setting"));
    run.inCourseWindow([&](CourseSelectWindow& d) {
      run.backend_.selectRow(d.课程列表框, 1);
      run.backend_.click(d.确定按钮);
    });
    EXPECT_EQ(replacements.count(), 1);
    EXPECT_EQ(run.folder_.settingsText(), c.after);
  }
}

TEST_F(CourseWindowTest, CancelCloseButtonAndEscChangeNothing) {
  const std::function<void(platform::HeadlessBackend&, CourseSelectWindow&)> ways[] = {
      [](auto& b, CourseSelectWindow& d) { b.click(d.取消按钮); },
      [](auto& b, CourseSelectWindow& d) { b.click(d.退出软件按钮); },
      [](auto& b, CourseSelectWindow& d) { b.pressEsc(d); },
  };
  const char* labels[] = {"Cancel", "close button", "Esc"};
  makeLesson2Current();
  start();
  const std::string settingsBefore = folder_.settingsText();
  const std::vector<std::string> linesBefore = lessonLines();
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(labels[i]);
    const int shutters = shutterSounds();
    inCourseWindow([&](CourseSelectWindow& d) {
      backend_.selectRow(d.课程列表框, 2);
      ways[i](backend_, d);
    });
    EXPECT_EQ(folder_.settingsText(), settingsBefore);
    EXPECT_EQ(w().课程显示标签.caption(), "Lesson2  商店购物");
    EXPECT_EQ(state_.courseKey, "Lesson2");
    EXPECT_EQ(lessonLines(), linesBefore);
    EXPECT_EQ(shutterSounds(), shutters) << "no navigation ran";
    inCourseWindow([&](CourseSelectWindow& d) {
      EXPECT_EQ(d.课程列表框.getRowCount(), 3) << "every course listed once";
      EXPECT_EQ(d.课程列表框.selectedRow(), -1);
      EXPECT_EQ(d.课程标签.caption(), "Lesson2  商店购物");
      backend_.click(d.取消按钮);
    });
  }
}

// The window opens with the key of the name it shows, so OK without a choice keeps the course.
TEST_F(CourseWindowTest, OkWithoutAChoiceKeepsTheCurrentCourse) {
  struct Case {
    const char* label;
    bool lesson2Current;
    const char* name;
    const char* key;
    const char* firstLine;
  };
  const Case cases[] = {
      {"defaults, no settings file", false, "Lesson1  家庭问候", "Lesson1",
       "[1S01]日文：おはよう。"},
      {"the second course of the catalogue", true, "Lesson2  商店购物", "Lesson2",
       "[2S01]日文：いくらですか。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CourseRun run;
    if (c.lesson2Current) run.makeLesson2Current();
    run.start();
    run.inCourseWindow([&](CourseSelectWindow& d) { run.backend_.click(d.确定按钮); });
    EXPECT_EQ(run.stored(content::SettingsFile::courseName), c.name);
    EXPECT_EQ(run.stored(content::SettingsFile::courseKey), c.key);
    EXPECT_EQ(run.w().课程显示标签.caption(), c.name);
    EXPECT_EQ(run.state_.courseKey, c.key);
    EXPECT_EQ(run.lessonLines().front(), c.firstLine);
  }
}

TEST_F(CourseWindowTest, ARowWithoutANameLeavesBothLabels) {
  folder_.execute(content::ContentFolders::contentDatabase,
                  "INSERT INTO kecheng (kecheng, kb) VALUES ('', 'Lesson9')");
  start();
  inCourseWindow([&](CourseSelectWindow& d) {
    backend_.selectRow(d.课程列表框, 2);
    backend_.selectRow(d.课程列表框, 3);
    EXPECT_EQ(d.课程列表框.selectedRow(), 3);
    EXPECT_EQ(d.课程标签.caption(), "Lesson3  问路");
    EXPECT_EQ(d.kb标签.caption(), "Lesson3");
    backend_.click(d.确定按钮);
  });
  EXPECT_EQ(stored(content::SettingsFile::courseKey), "Lesson3");
}

TEST_F(CourseWindowTest, AnEmptyOrUnopenableCatalogueGivesAnEmptyListAndTheCurrentName) {
  const char* labels[] = {"empty kecheng", "data.mdb not a database"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(labels[i]);
    CourseRun run;
    run.makeLesson2Current();
    if (i == 0) {
      run.folder_.execute(content::ContentFolders::contentDatabase, "DELETE FROM kecheng");
    } else {
      run.folder_.putFile(content::ContentFolders::contentDatabase, "not a database file");
    }
    run.start();
    const std::string settingsBefore = run.folder_.settingsText();
    run.inCourseWindow([&](CourseSelectWindow& d) {
      EXPECT_EQ(d.课程列表框.getRowCount(), 0);
      EXPECT_EQ(d.课程列表框.userSelectRow(0), platform::InputResult::NotApplicable);
      EXPECT_EQ(d.课程标签.caption(), "Lesson2  商店购物");
      run.backend_.click(d.取消按钮);
    });
    EXPECT_EQ(run.folder_.settingsText(), settingsBefore);
    EXPECT_EQ(run.w().课程显示标签.caption(), "Lesson2  商店购物");
  }
}

}  // namespace
