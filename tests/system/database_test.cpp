#include "platform/system/database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/program_folder.h"
#include "tests/support/record_walk.h"

namespace {

using platform::DatabaseConnection;
using platform::RecordSet;
using test_support::ProgramFolder;
using test_support::Question;

constexpr std::string_view kData = "\\data\\data.mdb";
constexpr std::string_view kLianxi = "\\data\\lianxi.mdb";

class DatabaseTest : public ::testing::Test {
 protected:
  DatabaseTest() {
    folder.addCourse("Lesson1  家庭问候", "Lesson1")
        .addCourse("Lesson2  自我介绍", "Lesson2")
        .addItem("Lesson1基本课文", "a001", "おはよう。", "早上好。", "s001")
        .addItem("Lesson1基本课文", "a002", "こんにちは。", "你好。", "s002")
        .addItem("Lesson1单词", "w001", "家族", "家人", "w001");
    folder.addQuestion({.id = "Lesson1音选日句子",
                        .biaoshi = "q001",
                        .a = "おはよう。",
                        .b = "こんにちは。",
                        .daan = "おはよう。"});
    folder.addQuestion({.id = "Lesson1音选日句子", .biaoshi = "q002", .nin = "错误"});
  }

  // Opens the file and attaches the record set, as every loader does.
  bool openOn(std::string_view tail) {
    const bool opened = connection.open(folder.path() + std::string(tail), "");
    records.attachConnection(connection);
    return opened;
  }

  std::string field(std::string_view name) const {
    std::string value = "<unchanged>";
    records.readField(name, value);
    return value;
  }

  ProgramFolder folder;
  DatabaseConnection connection;
  RecordSet records;
};

TEST_F(DatabaseTest, QueryCountsAndWalksItsRowsInTableOrder) {
  ASSERT_TRUE(openOn(kData));
  ASSERT_TRUE(records.openQuery("SELECT * FROM study WHERE id = ?", {"Lesson1基本课文"}, 1));
  EXPECT_EQ(records.recordCount(), 2);
  EXPECT_EQ(test_support::readColumn(records, "jp"),
            (std::vector<std::string>{"おはよう。", "こんにちは。"}));
  EXPECT_TRUE(records.endOfRecords());
  records.moveNext();
  EXPECT_TRUE(records.endOfRecords());

  records.moveFirst();
  EXPECT_FALSE(records.endOfRecords());
  EXPECT_EQ(field("SOUND"), "s001") << "field names ignore ASCII case";
}

TEST_F(DatabaseTest, EmptyResultHasNoCurrentRow) {
  ASSERT_TRUE(openOn(kData));
  ASSERT_TRUE(records.openQuery("SELECT * FROM study WHERE id = ?", {"Lesson9单词"}, 1));
  EXPECT_EQ(records.recordCount(), 0);
  records.moveFirst();
  EXPECT_TRUE(records.endOfRecords());
  EXPECT_EQ(field("jp"), "");
}

TEST_F(DatabaseTest, FieldReadsGiveEmptyTextWhereThereIsNothing) {
  folder.execute(kData, "INSERT INTO study VALUES ('Lesson3单词', 'n001', NULL, '', 'x')");
  ASSERT_TRUE(openOn(kData));
  ASSERT_TRUE(records.openQuery("SELECT * FROM study WHERE biaoshi = 'n001'", 1));
  std::string value = "old";
  EXPECT_TRUE(records.readField("jp", value));
  EXPECT_EQ(value, "") << "Null";
  EXPECT_TRUE(records.readField("cn", value));
  EXPECT_EQ(value, "");
  value = "old";
  EXPECT_FALSE(records.readField("no_such_field", value));
  EXPECT_EQ(value, "");

  records.moveNext();
  value = "old";
  EXPECT_FALSE(records.readField("sound", value));
  EXPECT_EQ(value, "") << "past the last row";
}

TEST_F(DatabaseTest, SecondQueryReplacesTheFirstAndCloseIsHarmless) {
  RecordSet unused;
  unused.close();
  EXPECT_EQ(unused.recordCount(), 0);
  EXPECT_TRUE(unused.endOfRecords());
  DatabaseConnection never;
  never.close();

  ASSERT_TRUE(openOn(kData));
  ASSERT_TRUE(records.openQuery("SELECT * FROM kecheng", 1));
  EXPECT_EQ(records.recordCount(), 2);
  ASSERT_TRUE(records.openQuery("SELECT * FROM study WHERE biaoshi = ?", {"w001"}, 1));
  EXPECT_EQ(records.recordCount(), 1);
  EXPECT_EQ(field("cn"), "家人");

  records.close();
  records.close();
  EXPECT_EQ(records.recordCount(), 0);
  EXPECT_TRUE(records.endOfRecords());
}

TEST_F(DatabaseTest, ReopeningTheConnectionPointsQueriesAtTheNewFile) {
  ASSERT_TRUE(openOn(kData));
  ASSERT_TRUE(openOn(kLianxi));
  ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE biaoshi = ?", {"q001"}, 1));
  EXPECT_EQ(field("daan"), "おはよう。");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(records.openQuery("SELECT * FROM kecheng", 1));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(records.recordCount(), 0);
}

TEST_F(DatabaseTest, UpdateStoresTheRowAtOnceAndStaysOnIt) {
  ASSERT_TRUE(openOn(kLianxi));
  ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE id = ?", {"Lesson1音选日句子"}, 1));
  records.moveFirst();
  ASSERT_TRUE(records.writeField("nin", "正确"));
  ASSERT_TRUE(records.writeField("shuru", "おはよう。"));
  EXPECT_EQ(field("nin"), "正确") << "a written field reads back before the update";
  ASSERT_TRUE(records.update());

  // Read through another connection, as the results window does right after.
  Question expected = *folder.question("q001");
  EXPECT_EQ(expected.nin, "正确");
  EXPECT_EQ(expected.shuru, "おはよう。");
  EXPECT_EQ(expected.daan, "おはよう。") << "unwritten fields are kept";

  records.moveNext();
  EXPECT_EQ(field("biaoshi"), "q002") << "moveNext goes on from the updated row";
  ASSERT_TRUE(records.writeField("shuru", ""));
  ASSERT_TRUE(records.writeField("nin", "您未做此题"));
  ASSERT_TRUE(records.update());
  EXPECT_EQ(folder.question("q002")->shuru, "");
  EXPECT_EQ(folder.question("q002")->nin, "您未做此题");
  EXPECT_EQ(folder.question("q001")->nin, "正确");
}

// Updates in a transaction reach the file at its commit, and only then.
TEST_F(DatabaseTest, UpdatesInATransactionAreStoredAtTheCommitOrNotAtAll) {
  const auto clearBoth = [&] {
    ASSERT_TRUE(connection.beginTransaction());
    ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE id = ?", {"Lesson1音选日句子"}, 1));
    for (records.moveFirst(); !records.endOfRecords(); records.moveNext()) {
      ASSERT_TRUE(records.writeField("nin", "正确"));
      ASSERT_TRUE(records.update());
    }
    EXPECT_EQ(folder.question("q002")->nin, "错误")
        << "seen by another connection before the commit";
  };
  const std::vector<Question> before = folder.questions();
  const struct {
    const char* label;
    std::function<void()> end;
    bool stored;
  } cases[] = {
      {"rolled back", [&] { connection.rollbackTransaction(); }, false},
      {"connection closed first", [&] { connection.close(); }, false},
      {"committed", [&] { EXPECT_TRUE(connection.commitTransaction()); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(openOn(kLianxi));
    clearBoth();
    c.end();
    EXPECT_EQ(folder.question("q001")->nin, c.stored ? "正确" : before[0].nin);
    EXPECT_EQ(folder.question("q002")->nin, c.stored ? "正确" : "错误");
  }
}

TEST_F(DatabaseTest, UpdateWritesTheCurrentRowOnlyAmongEqualRows) {
  folder.addQuestion({.id = "same", .biaoshi = "dup"})
      .addQuestion({.id = "same", .biaoshi = "dup"});
  ASSERT_TRUE(openOn(kLianxi));
  ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE id = ?", {"same"}, 1));
  records.moveFirst();
  records.moveNext();
  records.writeField("nin", "错误");
  ASSERT_TRUE(records.update());
  const auto rows = folder.questions();
  EXPECT_EQ(rows[2].nin, "您未做此题");
  EXPECT_EQ(rows[3].nin, "错误");
}

TEST_F(DatabaseTest, WritesNotUpdatedAreDroppedWhenTheRowMoves) {
  ASSERT_TRUE(openOn(kLianxi));
  ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE id = ?", {"Lesson1音选日句子"}, 1));
  records.writeField("nin", "正确");
  records.moveNext();
  records.moveFirst();
  EXPECT_EQ(field("nin"), "您未做此题");
  EXPECT_TRUE(records.update()) << "nothing left to store";
  EXPECT_EQ(folder.question("q001")->nin, "您未做此题");
}

TEST_F(DatabaseTest, KeyWithASingleQuoteFindsItsRows) {
  folder.addItem("Let's go单词", "x001", "行こう", "走吧", "x001");
  ASSERT_TRUE(openOn(kData));
  ASSERT_TRUE(records.openQuery("SELECT * FROM study WHERE id = ?", {"Let's go单词"}, 1));
  EXPECT_EQ(records.recordCount(), 1);
  EXPECT_EQ(field("jp"), "行こう");
}

struct OpenFailure {
  const char* label;
  const char* fileContents;  // nullptr: no file at all
};

TEST_F(DatabaseTest, FilesThatAreNotDatabasesFailQuietlyWithOneLineOnStderr) {
  const OpenFailure cases[] = {
      {"missing file", nullptr},
      {"empty file", ""},
      {"not a database", "Standard Jet DB: this is no SQLite file at all, just some bytes"},
  };
  for (const OpenFailure& c : cases) {
    SCOPED_TRACE(c.label);
    folder.removeFile("\\data\\broken.mdb");
    if (c.fileContents) folder.putFile("\\data\\broken.mdb", c.fileContents);

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(openOn("\\data\\broken.mdb"));
    EXPECT_FALSE(records.openQuery("SELECT * FROM kecheng", 1));
    const std::string diagnostics = ::testing::internal::GetCapturedStderr();

    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(records.recordCount(), 0);
    records.moveFirst();
    EXPECT_TRUE(records.endOfRecords());
    EXPECT_EQ(field("kb"), "");
    EXPECT_NE(diagnostics.find("broken.mdb"), std::string::npos) << diagnostics;
    EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 2)
        << "one line for the open, one for the query: " << diagnostics;
    EXPECT_EQ(folder.exists("\\data\\broken.mdb"), c.fileContents != nullptr)
        << "open must never create a file";
  }
}

TEST_F(DatabaseTest, RejectedStatementsGiveNoRowsAndSayWhy) {
  ASSERT_TRUE(openOn(kData));
  ASSERT_TRUE(records.openQuery("SELECT * FROM kecheng", 1));
  const char* rejected[] = {"SELECT * FROM nowhere", "SELECT * FROM study WHERE id = 'it's'",
                            "SELECT nonsense FROM study"};
  for (const char* sql : rejected) {
    SCOPED_TRACE(sql);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(records.openQuery(sql, 1));
    const std::string diagnostics = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(records.recordCount(), 0) << "the earlier result is gone";
    EXPECT_TRUE(records.endOfRecords());
    EXPECT_NE(diagnostics.find("data.mdb"), std::string::npos) << diagnostics;
    EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 1) << diagnostics;
  }
}

TEST_F(DatabaseTest, QueriesWithoutAnOpenConnectionGiveNoRows) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(records.openQuery("SELECT * FROM kecheng", 1)) << "never attached";
  {
    DatabaseConnection shortLived;
    shortLived.open(folder.file(kData));
    records.attachConnection(shortLived);
  }
  EXPECT_FALSE(records.openQuery("SELECT * FROM kecheng", 1)) << "connection destroyed";
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(records.recordCount(), 0);
}

TEST_F(DatabaseTest, UpdateAfterTheConnectionMovedOnStoresNothing) {
  ASSERT_TRUE(openOn(kLianxi));
  ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE biaoshi = ?", {"q001"}, 1));
  connection.open(folder.file(kLianxi));  // reopened without querying again
  records.writeField("nin", "错误");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(records.update());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("lianxi.mdb"), std::string::npos);
  EXPECT_EQ(folder.question("q001")->nin, "您未做此题");
}

TEST_F(DatabaseTest, WritesWithoutARowOrToAMissingFieldFail) {
  ASSERT_TRUE(openOn(kLianxi));
  ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE biaoshi = ?", {"none"}, 1));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(records.writeField("nin", "正确"));
  EXPECT_FALSE(records.update());
  ASSERT_TRUE(records.openQuery("SELECT * FROM lianxi WHERE biaoshi = ?", {"q001"}, 1));
  EXPECT_FALSE(records.writeField("no_such_field", "x"));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(folder.question("q001")->nin, "您未做此题");
  EXPECT_EQ(folder.question("q001")->shuru, "");
}

}  // namespace
