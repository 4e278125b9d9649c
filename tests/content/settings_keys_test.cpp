#include <gtest/gtest.h>

#include "content/settings_file.h"
#include "tests/support/program_folder.h"

namespace {

using content::SettingsFile;
using test_support::ProgramFolder;

TEST(SettingsFile, DefaultsWithoutASettingsFile) {
  ProgramFolder folder;
  EXPECT_EQ(SettingsFile::read(folder.path(), SettingsFile::courseName), "Lesson1  家庭问候");
  EXPECT_EQ(SettingsFile::read(folder.path(), SettingsFile::courseKey), "Lesson1");
  EXPECT_EQ(SettingsFile::read(folder.path(), SettingsFile::basicsTopic), "入门基础练习");
}

TEST(SettingsFile, EachCourseKeyFallsBackOnItsOwnDefault) {
  ProgramFolder folder;
  folder.writeSettings("[课程选择]\r\n课程索引=Lesson4\r\n");
  EXPECT_EQ(SettingsFile::read(folder.path(), SettingsFile::courseKey), "Lesson4");
  EXPECT_EQ(SettingsFile::read(folder.path(), SettingsFile::courseName), "Lesson1  家庭问候");
}

TEST(SettingsFile, FirstWriteCreatesTheFileWithTheKeysInTheirSections) {
  ProgramFolder folder;
  ASSERT_TRUE(SettingsFile::write(folder.path(), SettingsFile::courseName, "Lesson2  自我介绍"));
  ASSERT_TRUE(SettingsFile::write(folder.path(), SettingsFile::courseKey, "Lesson2"));
  ASSERT_TRUE(SettingsFile::write(folder.path(), SettingsFile::basicsTopic, "声调与语调"));
  EXPECT_EQ(folder.settingsText(),
            "[课程选择]\r\n课程名称=Lesson2  自我介绍\r\n课程索引=Lesson2\r\n"
            "[入门基础]\r\n当前选项=声调与语调\r\n");
  EXPECT_EQ(SettingsFile::read(folder.path(), SettingsFile::courseName), "Lesson2  自我介绍");
}

TEST(SettingsFile, BasicsTopicsAreTheFiveTexts) {
  EXPECT_EQ(SettingsFile::basicsTopics,
            (std::array<std::string_view, 5>{"日语文字与书写", "日语的发音", "声调与语调",
                                             "要注意的发音", "入门基础练习"}));
}

}  // namespace
