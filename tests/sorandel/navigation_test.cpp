#include <gmock/gmock.h>

#include "content/content_folders.h"
#include "platform/system/file_bytes.h"
#include "platform/system/settings_file.h"
#include "sorandel/basics_window.h"
#include "tests/sorandel/sorandel_fixture.h"

namespace {

class NavigationTest : public SorandelTest {
 protected:
  NavigationTest() {
    addLesson1();
    folder_.putFile(content::ContentFolders::listenChooseJapaneseTitle, "GIF89a listen");
    folder_.putFile(content::ContentFolders::chineseChooseJapaneseTitle, "GIF89a chinese");
    folder_.putFile(content::ContentFolders::japaneseChooseChineseTitle, "GIF89a japanese");
  }

  // Which of the panels, views and sound buttons a user sees, as one line.
  std::string visibleViews() {
    std::string seen;
    for (platform::Unit* unit : {static_cast<platform::Unit*>(&w().课文学习容器),
                                 static_cast<platform::Unit*>(&w().入门基础容器),
                                 static_cast<platform::Unit*>(&w().全文学习容器),
                                 static_cast<platform::Unit*>(&w().句子跟读容器),
                                 static_cast<platform::Unit*>(&w().练习容器),
                                 static_cast<platform::Unit*>(&w().逐句跟读声音播放按钮),
                                 static_cast<platform::Unit*>(&w().练习声音播放按钮)}) {
      if (!unit->shown()) continue;
      if (!seen.empty()) seen += " ";
      seen += unit->name();
    }
    return seen;
  }

  std::string storedTopic() {
    return platform::readIniText(
        content::ContentFolders::path(folder_.path(), content::ContentFolders::settingsFile),
        "入门基础", "当前选项", "(none)");
  }
};

TEST_F(NavigationTest, StartShowsTheTextViewInClickToReadWithTheFirstItemHighlighted) {
  start();
  EXPECT_EQ(shutterSounds(), 1);
  EXPECT_EQ(visibleViews(), "课文学习容器 全文学习容器");
  EXPECT_EQ(w().主菜单.currentGroup(), 0);
  EXPECT_EQ(w().主菜单.currentItem(), 0);
  EXPECT_EQ(state_.readingMode, 0);
  EXPECT_TRUE(w().全文跟读按钮.visible());
  EXPECT_FALSE(w().句子点读按钮.visible());
}

TEST_F(NavigationTest, EachItemShowsItsViewAfterOneShutterSound) {
  struct Case {
    int group;
    int item;
    const char* views;
    const char* practiceMode;
    std::string_view titlePicture;
  };
  const Case cases[] = {
      {0, 1, "课文学习容器 句子跟读容器 逐句跟读声音播放按钮", "", {}},
      {0, 2, "课文学习容器 练习容器 练习声音播放按钮", "音选日",
       content::ContentFolders::listenChooseJapaneseTitle},
      {0, 3, "课文学习容器 练习容器", "中选日",
       content::ContentFolders::chineseChooseJapaneseTitle},
      {0, 4, "课文学习容器 练习容器", "日选中",
       content::ContentFolders::japaneseChooseChineseTitle},
      {0, 0, "课文学习容器 全文学习容器", "日选中", {}},
  };
  start();
  int shutters = shutterSounds();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "item " << c.group << "," << c.item);
    ASSERT_TRUE(backend().clickItem(w().主菜单, c.group, c.item));
    EXPECT_EQ(shutterSounds(), ++shutters);
    EXPECT_EQ(visibleViews(), c.views);
    EXPECT_EQ(w().主菜单.currentGroup(), c.group);
    EXPECT_EQ(w().主菜单.currentItem(), c.item);
    if (!c.titlePicture.empty()) {
      EXPECT_EQ(w().练习标题图片框.picture(),
                platform::readFileBytes(folder_.file(c.titlePicture)));
      EXPECT_EQ(state_.practiceModeText, c.practiceMode);
    }
  }
}

TEST_F(NavigationTest, BasicsItemsWriteTheirTopicWithYuForHe) {
  const char* topics[] = {"日语文字与书写", "日语的发音", "声调与语调", "要注意的发音",
                          "入门基础练习"};
  start();
  for (int item = 0; item < 5; ++item) {
    SCOPED_TRACE(topics[item]);
    std::string topicWhenOpen;
    backend().whenWindowOpens<BasicsWindow>([&](BasicsWindow& basics) {
      topicWhenOpen = storedTopic();
      backend().pressEsc(basics);
    });
    ASSERT_TRUE(backend().clickItem(w().主菜单, 1, item));
    EXPECT_EQ(topicWhenOpen, topics[item]);
    EXPECT_EQ(storedTopic(), topics[item]);
    EXPECT_EQ(visibleViews(), "入门基础容器");
    EXPECT_EQ(shutterSounds(), item + 2);
  }
}

TEST_F(NavigationTest, TheSameItemTwiceRebuildsTheTextEachTime) {
  start();
  clickLine(0);
  ASSERT_EQ(underlinedRuns().size(), 1u);
  backend().clickItem(w().主菜单, 0, 0);
  EXPECT_TRUE(underlinedRuns().empty());
  backend().clickItem(w().主菜单, 0, 0);
  EXPECT_EQ(shutterSounds(), 3);
  EXPECT_EQ(lessonLines().size(), 10u);
}

// The course window's OK writes the course and then applies it.
TEST_F(NavigationTest, ApplyingACourseReReadsItAndMovesTheHighlightHome) {
  folder_.addItem("Lesson2基本课文", "2S01", "いってきます。", "我出门了。", "l2s01");
  start();
  backend().clickItem(w().主菜单, 0, 3);
  state_.repeatCount = 4;
  folder_.writeSettings("[课程选择]\r\n课程名称=Lesson2  出门\r\n课程索引=Lesson2\r\n");
  w().navigation.applyCurrentCourse();
  EXPECT_EQ(shutterSounds(), 3);
  EXPECT_EQ(w().课程显示标签.caption(), "Lesson2  出门");
  EXPECT_EQ(state_.currentKey, "Lesson2基本课文");
  EXPECT_EQ(state_.repeatCount, 1);
  EXPECT_EQ(lessonLines().front(), "[2S01]日文：いってきます。");
  EXPECT_EQ(visibleViews(), "课文学习容器 全文学习容器");
  EXPECT_EQ(w().主菜单.currentGroup(), 0);
  EXPECT_EQ(w().主菜单.currentItem(), 0);
}

TEST_F(NavigationTest, StudyThemeRadiosReReadTheCourseFromTheSettingsFile) {
  folder_.addItem("Lesson2单词", "2W01", "駅", "车站", "l2w01");
  start();
  state_.repeatCount = 4;
  folder_.writeSettings("[课程选择]\r\n课程名称=Lesson2  出门\r\n课程索引=Lesson2\r\n");
  ASSERT_TRUE(backend().click(w().课文单词单选框));
  EXPECT_EQ(shutterSounds(), 2);
  EXPECT_EQ(w().课程显示标签.caption(), "Lesson2  出门");
  EXPECT_EQ(state_.currentKey, "Lesson2单词");
  EXPECT_EQ(state_.repeatCount, 1);
  EXPECT_EQ(lessonLines().front(), "[2W01]日文：駅");
}

TEST_F(NavigationTest, BasicsItemDuringReadAlongStopsTheSoundAndReturnsToClickToRead) {
  start();
  backend().click(w().全文跟读按钮);
  ASSERT_EQ(state_.readingMode, 1);
  ASSERT_NE(w().媒体播放1.getState(), platform::MediaPlayer::kNotPlaying);
  backend().whenWindowOpens<BasicsWindow>([&](BasicsWindow& basics) {
    EXPECT_EQ(w().媒体播放1.getState(), platform::MediaPlayer::kNotPlaying);
    backend().pressEsc(basics);
  });
  backend().clickItem(w().主菜单, 1, 2);
  EXPECT_EQ(w().媒体播放1.getState(), platform::MediaPlayer::kNotPlaying);
  EXPECT_EQ(state_.readingMode, 0);
  EXPECT_TRUE(w().全文跟读按钮.visible());
  EXPECT_FALSE(w().句子点读按钮.visible());
  EXPECT_EQ(w().提示标签.caption(), "当前为【句子点读】模式，点击某句日文，自动朗读该句日文");
}

}  // namespace
