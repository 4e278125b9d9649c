#include "content/content_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "content/keys.h"

namespace {

using content::ContentFolders;

TEST(ContentFolders, HoldsEveryFixedPathAndNoOther) {
  std::set<std::string> paths = {
      std::string(ContentFolders::settingsFile),
      std::string(ContentFolders::contentDatabase),
      std::string(ContentFolders::exerciseDatabase),
      std::string(ContentFolders::shutterSound),
      std::string(ContentFolders::rightAnswerSound),
      std::string(ContentFolders::wrongAnswerSound),
      std::string(ContentFolders::clickSound),
      std::string(ContentFolders::rightMarkPicture),
      std::string(ContentFolders::wrongMarkPicture),
      std::string(ContentFolders::listenChooseJapaneseTitle),
      std::string(ContentFolders::chineseChooseJapaneseTitle),
      std::string(ContentFolders::japaneseChooseChineseTitle),
  };
  for (std::string_view page : ContentFolders::basicsPages) paths.emplace(page);

  const std::set<std::string> expected = {
      "\\setting\\setting.ini",    "\\data\\data.mdb",           "\\data\\lianxi.mdb",
      "\\效果\\快门.wav",          "\\效果\\WordRight.wav",      "\\效果\\wrong.wav",
      "\\效果\\click.wav",         "\\图片\\输入正确.jpg",       "\\图片\\输入错误.jpg",
      "\\图片\\听读音辨日文.gif",  "\\图片\\按译文选日文.gif",   "\\图片\\按日文选译文.gif",
      "\\flash\\wushiyin.swf",     "\\flash\\yuanyin.swf",       "\\flash\\fuyin.swf",
      "\\flash\\aoyin.swf",        "\\flash\\bccy.swf",          "\\flash\\wailai.swf",
      "\\flash\\riyudehanzi.swf",  "\\flash\\jiamingbishun.swf", "\\flash\\jiamingyoulai.swf",
      "\\flash\\riyuhanzi.swf",    "\\flash\\changyinsx.swf",    "\\flash\\biaodian.swf",
      "\\flash\\shengdiao.swf",    "\\flash\\yudiao.swf",        "\\flash\\diyizu.swf",
      "\\flash\\dierzu.swf",       "\\flash\\kandu.swf",         "\\flash\\tingxuan.swf",
      "\\flash\\zuhewushiyin.swf", "\\flash\\fenzulianxi.swf",
  };
  EXPECT_EQ(paths, expected);
  EXPECT_EQ(ContentFolders::basicsPages.size(), 20u) << "no page listed twice";
}

TEST(ContentFolders, RecordingsAndFullPathsArePlainConcatenations) {
  EXPECT_EQ(ContentFolders::recording("s001"), "\\music\\s001.mp3");
  EXPECT_EQ(ContentFolders::recording(""), "\\music\\.mp3");
  EXPECT_EQ(ContentFolders::path("/opt/sorandel", ContentFolders::contentDatabase),
            "/opt/sorandel\\data\\data.mdb");
  EXPECT_EQ(ContentFolders::sorandelProgram, "Sorandel.exe");
  EXPECT_EQ(ContentFolders::tavolinProgram, "Tavolin.exe");
}

TEST(Keys, AreJoinedWithoutSeparators) {
  EXPECT_EQ(content::lessonKey("Lesson1", content::sentenceTheme), "Lesson1基本课文");
  EXPECT_EQ(content::lessonKey("Lesson2", content::wordTheme), "Lesson2单词");
  EXPECT_EQ(content::practiceSetId("Lesson1", content::japaneseChooseChinese, content::wordKind),
            "Lesson1日选中单词");
  EXPECT_EQ(content::practiceSetId("Lesson1", content::listenChooseJapanese, content::sentenceKind),
            "Lesson1音选日句子");
  EXPECT_EQ(
      content::practiceSetId("Lesson3", content::chineseChooseJapanese, content::sentenceKind),
      "Lesson3中选日句子");
  EXPECT_EQ(content::lessonKey("", content::wordTheme), "单词");
}

}  // namespace
