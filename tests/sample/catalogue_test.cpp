// The course catalogue and lesson items of data\data.mdb, and the item keys of both databases.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "content/content_folders.h"
#include "content/keys.h"
#include "content/schema.h"
#include "sample_content.h"

namespace {

using sample::Row;

TEST(SampleSchema, TablesAreTheOnesTheProgramsRead) {
  EXPECT_EQ(sample::schemaOf(content::ContentFolders::contentDatabase),
            content::contentDatabaseSchema);
  EXPECT_EQ(sample::schemaOf(content::ContentFolders::exerciseDatabase),
            content::exerciseDatabaseSchema);
}

TEST(SampleCatalogue, FirstCourseIsTheSettingsDefault) {
  auto courses = sample::contentTable("kecheng");
  ASSERT_FALSE(courses.empty());
  EXPECT_EQ(courses[0].at("kecheng"), "Lesson1  家庭问候");
  EXPECT_EQ(courses[0].at("kb"), "Lesson1");
}

TEST(SampleCatalogue, CoursesAreNumberedLessonsWithATheme) {
  auto courses = sample::contentTable("kecheng");
  ASSERT_GE(courses.size(), 5u);
  for (std::size_t i = 0; i < courses.size(); ++i) {
    const std::string key = "Lesson" + std::to_string(i + 1);
    const std::string& name = courses[i].at("kecheng");
    SCOPED_TRACE(name);
    EXPECT_EQ(courses[i].at("kb"), key);
    ASSERT_GT(name.size(), key.size() + 2);
    EXPECT_EQ(name.substr(0, key.size() + 2), key + "  ");
    EXPECT_NE(name[key.size() + 2], ' ');
  }
}

TEST(SampleLessons, EveryLessonOfEveryCourseHasItsItems) {
  std::multiset<std::string> lessonKeys;
  for (const Row& item : sample::contentTable("study")) lessonKeys.insert(item.at("id"));

  std::size_t rowsOfCourses = 0;
  for (const Row& course : sample::contentTable("kecheng")) {
    const std::string sentences = content::lessonKey(course.at("kb"), content::sentenceTheme);
    const std::string words = content::lessonKey(course.at("kb"), content::wordTheme);
    SCOPED_TRACE(course.at("kb"));
    EXPECT_GE(lessonKeys.count(sentences), 8u);
    EXPECT_LE(lessonKeys.count(sentences), 12u);
    EXPECT_GE(lessonKeys.count(words), 10u);
    EXPECT_LE(lessonKeys.count(words), 15u);
    rowsOfCourses += lessonKeys.count(sentences) + lessonKeys.count(words);
  }
  EXPECT_EQ(rowsOfCourses, lessonKeys.size()) << "items outside every course's lessons";
}

// A line of the lesson text that opens with "[" would start a new block.
bool someLineOpensABlock(const std::string& text) {
  for (std::size_t start = 0; start <= text.size();) {
    if (start < text.size() && text[start] == '[') return true;
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

TEST(SampleLessons, ItemTextsKeepTheLessonTextGrammar) {
  EXPECT_TRUE(someLineOpensABlock("[x"));
  EXPECT_TRUE(someLineOpensABlock("a\r\n[x"));
  EXPECT_FALSE(someLineOpensABlock("a[x"));

  for (const Row& item : sample::contentTable("study")) {
    SCOPED_TRACE(item.at("biaoshi"));
    for (const char* column : {"jp", "cn", "sound"})
      EXPECT_FALSE(item.at(column).empty()) << column;
    EXPECT_FALSE(someLineOpensABlock(item.at("jp")));
    EXPECT_FALSE(someLineOpensABlock(item.at("cn")));
  }
}

TEST(SampleKeys, ItemKeysAreFourCharactersAndUniqueAcrossBothDatabases) {
  std::set<std::string> seen;
  auto check = [&seen](const Row& row) {
    const std::string& key = row.at("biaoshi");
    EXPECT_EQ(sample::characterCount(key), 4u) << key;
    EXPECT_TRUE(seen.insert(key).second) << key << " is used twice";
  };
  for (const Row& item : sample::contentTable("study")) check(item);
  for (const Row& question : sample::exerciseTable("lianxi")) check(question);
  EXPECT_FALSE(seen.empty());
}

TEST(SampleKeys, NoKeyHoldsASingleQuote) {
  auto expectNoQuote = [](const std::string& key) {
    EXPECT_EQ(key.find('\''), std::string::npos) << key;
  };
  for (const Row& course : sample::contentTable("kecheng")) expectNoQuote(course.at("kb"));
  for (const Row& item : sample::contentTable("study")) {
    expectNoQuote(item.at("id"));
    expectNoQuote(item.at("biaoshi"));
  }
  for (const Row& question : sample::exerciseTable("lianxi")) {
    expectNoQuote(question.at("id"));
    expectNoQuote(question.at("biaoshi"));
  }
}

}  // namespace
