#include "content/statements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/content_folders.h"
#include "content/keys.h"
#include "content/schema.h"
#include "platform/system/database.h"
#include "tests/support/program_folder.h"
#include "tests/support/record_walk.h"

namespace {

using content::Statement;
using test_support::ProgramFolder;

struct StatementCase {
  const char* label;
  Statement statement;
  const char* text;
  const char* sql;
  std::vector<std::string> params;
};

TEST(Statements, HaveTheirExactTextAndABoundForm) {
  const std::string redoSet =
      content::practiceSetId("Lesson1", content::listenChooseJapanese, content::sentenceKind);
  const StatementCase cases[] = {
      {"course list",
       content::selectAllCourses(),
       "SELECT * FROM kecheng",
       "SELECT * FROM kecheng",
       {}},
      {"lesson items",
       content::selectLessonItems("Lesson2单词"),
       "SELECT * FROM study WHERE id = 'Lesson2单词'",
       "SELECT * FROM study WHERE id = ?",
       {"Lesson2单词"}},
      {"one item",
       content::selectLessonItem("a001"),
       "SELECT * FROM study WHERE biaoshi = 'a001'",
       "SELECT * FROM study WHERE biaoshi = ?",
       {"a001"}},
      {"practice set",
       content::selectPracticeSet("Lesson1日选中单词"),
       "SELECT * FROM lianxi WHERE id = 'Lesson1日选中单词'",
       "SELECT * FROM lianxi WHERE id = ?",
       {"Lesson1日选中单词"}},
      {"wrong answers",
       content::selectWrongAnswers(redoSet),
       "SELECT * FROM lianxi WHERE id = 'Lesson1音选日句子' AND nin = '错误'",
       "SELECT * FROM lianxi WHERE id = ? AND nin = '错误'",
       {"Lesson1音选日句子"}},
      {"one question",
       content::selectQuestion("q001"),
       "SELECT * FROM lianxi WHERE biaoshi = 'q001'",
       "SELECT * FROM lianxi WHERE biaoshi = ?",
       {"q001"}},
      {"key with a quote is put unchanged",
       content::selectLessonItems("it's"),
       "SELECT * FROM study WHERE id = 'it's'",
       "SELECT * FROM study WHERE id = ?",
       {"it's"}},
      {"empty key",
       content::selectQuestion(""),
       "SELECT * FROM lianxi WHERE biaoshi = ''",
       "SELECT * FROM lianxi WHERE biaoshi = ?",
       {""}},
  };
  for (const StatementCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(c.statement.text, c.text);
    EXPECT_EQ(c.statement.sql, c.sql);
    EXPECT_EQ(c.statement.params, c.params);
  }
}

class StatementsOnContent : public ::testing::Test {
 protected:
  std::vector<std::string> run(std::string_view database, const Statement& statement,
                               std::string_view field) {
    connection.open(folder.path() + std::string(database), "");
    records.attachConnection(connection);
    content::openQuery(records, statement);
    return test_support::readColumn(records, field);
  }

  ProgramFolder folder;
  platform::DatabaseConnection connection;
  platform::RecordSet records;
};

TEST_F(StatementsOnContent, CourseListComesInTableOrderUnsorted) {
  folder.addCourse("Lesson3  买东西", "Lesson3")
      .addCourse("Lesson1  家庭问候", "Lesson1")
      .addCourse("Lesson2  自我介绍", "Lesson2");
  EXPECT_EQ(run(content::ContentFolders::contentDatabase, content::selectAllCourses(),
                content::kecheng::kb),
            (std::vector<std::string>{"Lesson3", "Lesson1", "Lesson2"}));
}

TEST_F(StatementsOnContent, BoundKeysFindTheirRowsEvenWithAQuote) {
  folder.addItem("Lesson1基本课文", "a001", "おはよう。", "早上好。", "s001")
      .addItem("Lesson1单词", "w001", "家族", "家人", "w001")
      .addItem("O'Brien单词", "o001", "オブライエン", "奥布赖恩", "o001");
  const auto db = content::ContentFolders::contentDatabase;
  EXPECT_EQ(run(db, content::selectLessonItems("Lesson1基本课文"), content::study::jp),
            (std::vector<std::string>{"おはよう。"}));
  EXPECT_EQ(run(db, content::selectLessonItems("O'Brien单词"), content::study::biaoshi),
            (std::vector<std::string>{"o001"}));
  EXPECT_EQ(run(db, content::selectLessonItem("w001"), content::study::cn),
            (std::vector<std::string>{"家人"}));
}

TEST_F(StatementsOnContent, WrongAnswerFilterSelectsOnlyWrongRowsOfTheSet) {
  folder.addQuestion({.id = "Lesson1音选日句子", .biaoshi = "q001", .nin = "错误"})
      .addQuestion({.id = "Lesson1音选日句子", .biaoshi = "q002", .nin = "正确"})
      .addQuestion({.id = "Lesson1音选日句子", .biaoshi = "q003", .nin = "错误"})
      .addQuestion({.id = "Lesson1中选日句子", .biaoshi = "q004", .nin = "错误"})
      .addQuestion({.id = "Lesson2音选日句子", .biaoshi = "q005"});
  const auto db = content::ContentFolders::exerciseDatabase;
  EXPECT_EQ(run(db, content::selectWrongAnswers("Lesson1音选日句子"), content::lianxi::biaoshi),
            (std::vector<std::string>{"q001", "q003"}));
  EXPECT_TRUE(
      run(db, content::selectWrongAnswers("Lesson2音选日句子"), content::lianxi::biaoshi).empty())
      << "a set never answered has no wrong rows";
  EXPECT_EQ(run(db, content::selectPracticeSet("Lesson1音选日句子"), content::lianxi::nin),
            (std::vector<std::string>{"错误", "正确", "错误"}));
  EXPECT_EQ(run(db, content::selectQuestion("q004"), content::lianxi::id),
            (std::vector<std::string>{"Lesson1中选日句子"}));
}

}  // namespace
