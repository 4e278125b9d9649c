#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/system/database.h"
#include "platform/system/file_io.h"
#include "platform/system/jet_import.h"
#include "platform/system/jet_text.h"
#include "tests/support/jet_test_file.h"
#include "tests/support/program_folder.h"
#include "tests/support/record_walk.h"

namespace {

namespace fs = std::filesystem;
using platform::DatabaseConnection;
using platform::ImportStep;
using platform::RecordSet;
using test_support::Jet4TestFile;
using test_support::Memo;
using test_support::ProgramFolder;

constexpr std::string_view kJet4 = "testUnicodeCompV2003.mdb";  // table "Table": ID, Unicode
constexpr std::string_view kJet3 = "charsetGBK.mdb";            // table table1: ID, field1
constexpr std::string_view kData = "\\data\\data.mdb";

std::string fixture(std::string_view name) {
  const auto bytes = platform::readWholeFile(std::string(JET_FIXTURES) + "/" + std::string(name));
  if (!bytes) throw std::runtime_error("missing fixture " + std::string(name));
  return *bytes;
}

// U+0001 to U+00FF, the last row of the Jet 4 fixture.
std::string firstCodePoints() {
  std::string text;
  for (unsigned c = 1; c < 0x100; ++c) {
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

int lineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class JetImportTest : public ::testing::Test {
 protected:
  ~JetImportTest() override {
    platform::import_testing::setStepHook({});
    platform::import_testing::setTimeLimit(std::chrono::seconds(20));
  }

  void place(std::string_view name, std::string_view tail = kData) {
    folder.putFile(tail, fixture(name));
  }

  // Opens the file and attaches the record set, with what the open wrote on stderr.
  bool openOn(std::string& diagnostics, std::string_view tail = kData) {
    ::testing::internal::CaptureStderr();
    const bool opened = connection.open(folder.path() + std::string(tail), "");
    diagnostics = ::testing::internal::GetCapturedStderr();
    records.attachConnection(connection);
    return opened;
  }

  // Whether the file holds exactly these bytes (compared here: a file's bytes make no message).
  bool holds(std::string_view tail, std::string_view bytes) const {
    return platform::readWholeFile(folder.file(tail)) == bytes;
  }

  // The data folder's files other than the one SQLite file of the fresh program folder.
  std::vector<std::string> dataFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(folder.file(kData)).parent_path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::vector<std::string> column(const std::string& sql, std::string_view name) {
    EXPECT_TRUE(records.openQuery(sql, 1)) << sql;
    return test_support::readColumn(records, name);
  }

  ProgramFolder folder;
  DatabaseConnection connection;
  RecordSet records;
};

TEST_F(JetImportTest, Jet4TextArrivesExactlyCompressedOrNot) {
  place(kJet4);
  std::string diagnostics;
  ASSERT_TRUE(openOn(diagnostics)) << diagnostics;
  EXPECT_EQ(column("SELECT * FROM \"Table\"", "Unicode"),
            (std::vector<std::string>{"only ascii chars", "ääkkösiä", "Мир",
                                      "\u03f0\u03b1\u1f76 \u03c4\u1f79\u03c4' \u1f10\u03b3\u1f7c "
                                      "\u039a\u1f7b\u03f0\u03bb\u03c9\u03c0\u03b1",
                                      "漢字仮名交じり文",
                                      "3L9\x1d"
                                      "52\x02_AB(¥\x05!!V",
                                      "ümlaut", firstCodePoints()}));
  EXPECT_EQ(column("SELECT * FROM \"Table\"", "ID"),
            (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_EQ(lineCount(diagnostics), 1) << diagnostics;
  EXPECT_NE(diagnostics.find("data.mdb.jet"), std::string::npos) << diagnostics;
}

TEST_F(JetImportTest, Jet3TextIsReadAsGbkWhateverItsHeaderSays) {
  place(kJet3);
  std::string diagnostics;
  ASSERT_TRUE(openOn(diagnostics)) << diagnostics;
  EXPECT_EQ(column("SELECT * FROM table1", "field1"), std::vector<std::string>{"GBK编码"});
  EXPECT_EQ(lineCount(diagnostics), 1) << diagnostics;
  EXPECT_NE(diagnostics.find("code page 936"), std::string::npos) << diagnostics;
}

TEST_F(JetImportTest, Jet3NamesAreReadAsGbkToo) {
  std::string file = fixture(kJet3);
  const size_t name = file.find(
      "\x06"
      "field1");  // the column's name in the table definition
  ASSERT_NE(name, std::string::npos);
  file.replace(name + 1, 6,
               "\xB1\xE0\xC2\xEB"
               "11");  // 编码11
  folder.putFile(kData, file);
  std::string diagnostics;
  ASSERT_TRUE(openOn(diagnostics)) << diagnostics;
  EXPECT_EQ(column("SELECT * FROM table1", "编码11"), std::vector<std::string>{"GBK编码"});
}

// The catalogue's property blobs are no part of the copy: one whose last record says it is
// empty (on which libmdb's reading of them never ends) leaves the tables to be copied at once.
TEST_F(JetImportTest, ADamagedPropertyBlobOfTheCatalogueIsPassedOver) {
  platform::import_testing::setTimeLimit(std::chrono::seconds(3));
  std::string file = fixture(kJet3);
  const size_t blob = file.rfind(std::string("KKD\0", 4));
  ASSERT_NE(blob, std::string::npos);
  file.replace(blob + 4, 4, std::string(4, '\0'));  // the first record's length
  folder.putFile(kData, file);
  std::string diagnostics;
  ASSERT_TRUE(openOn(diagnostics)) << diagnostics;
  EXPECT_EQ(column("SELECT * FROM table1", "field1"), std::vector<std::string>{"GBK编码"});
}

TEST_F(JetImportTest, ImportKeepsTheOriginalAndLaterOpensUseTheSqliteFileForAnswers) {
  place(kJet3);
  std::string diagnostics;
  ASSERT_TRUE(openOn(diagnostics));
  EXPECT_TRUE(holds("\\data\\data.mdb.jet", fixture(kJet3))) << "original kept, byte for byte";
  EXPECT_TRUE(platform::readWholeFile(folder.file(kData))
                  ->starts_with(std::string_view("SQLite format 3\0", 16)));
  EXPECT_EQ(dataFiles(), (std::vector<std::string>{"data.mdb", "data.mdb.jet", "lianxi.mdb"}));

  // A program folder whose database came as a Jet file stores an answer like any other.
  ASSERT_TRUE(records.openQuery("SELECT * FROM table1 WHERE ID = ?", {"2"}, 1));
  ASSERT_TRUE(records.writeField("field1", "答案"));
  ASSERT_TRUE(records.update());

  DatabaseConnection later;
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(later.open(folder.file(kData)));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "no second import";
  RecordSet reader;
  reader.attachConnection(later);
  ASSERT_TRUE(reader.openQuery("SELECT * FROM table1", 1));
  EXPECT_EQ(test_support::readColumn(reader, "field1"), std::vector<std::string>{"答案"});
  EXPECT_TRUE(holds("\\data\\data.mdb.jet", fixture(kJet3))) << "the original is never written";
}

// UTF-16 little-endian, as Jet 4 stores text that it does not compress.
std::string utf16(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// A long text with numbered lines, so a piece lost, doubled or out of order shows.
struct LongText {
  std::string utf8;
  std::u16string utf16;
};

LongText numberedLines(int lines) {
  LongText text;
  for (int i = 0; i < lines; ++i) {
    const std::string number = std::to_string(i);
    text.utf8 += "第" + number + "行：漢字仮名交じり文。";
    text.utf16 += u"第";
    text.utf16.append(number.begin(), number.end());
    text.utf16 += u"行：漢字仮名交じり文。";
  }
  return text;
}

TEST_F(JetImportTest, MemoFieldsArriveWholeWhereverTheyLie) {
  const LongText onePage = numberedLines(100);  // about 3 KB
  const LongText chain = numberedLines(2000);   // about 60 KB, 15 rows of a chain
  folder.putFile(kData, Jet4TestFile()
                            .withMemos({{std::nullopt},
                                        {"\xFF\xFEshort, compressed"},
                                        {utf16(onePage.utf16), Memo::Place::OnePage},
                                        {utf16(chain.utf16), Memo::Place::Chain}})
                            .bytes());
  std::string diagnostics;
  ASSERT_TRUE(openOn(diagnostics)) << diagnostics;
  const auto memos = column("SELECT * FROM \"Table\"", "Unicode");
  ASSERT_EQ(memos.size(), 4u);
  EXPECT_EQ(memos[0], "");
  EXPECT_EQ(memos[1], "short, compressed");
  EXPECT_TRUE(memos[2] == onePage.utf8) << memos[2].size() << " bytes";
  EXPECT_TRUE(memos[3] == chain.utf8) << memos[3].size() << " of " << chain.utf8.size() << " bytes";
}

std::string jetHeaderThenRandomBytes(size_t size) {
  std::string bytes = fixture(kJet4).substr(0, 0x80);
  std::mt19937 random(16);
  while (bytes.size() < size) bytes += static_cast<char>(random());
  return bytes;
}

struct BadFile {
  const char* label;
  std::string bytes;
};

TEST_F(JetImportTest, BadJetFilesAreRefusedWithoutLeftoversAndStayUnchanged) {
  const BadFile cases[] = {
      {"Jet 4 cut after its header page", fixture(kJet4).substr(0, 4096)},
      {"Jet 4 cut in its data", fixture(kJet4).substr(0, 200000)},
      {"Jet 3 cut in its data", fixture(kJet3).substr(0, 42719)},
      {"Jet 3 cut after its tables", fixture(kJet3).substr(0, 30000)},
      {"Jet 3 cut at a page boundary in its data", fixture(kJet3).substr(0, 2048 * 20)},
      {"Jet header and random bytes", jetHeaderThenRandomBytes(65536)},
      {"Jet header only", fixture(kJet4).substr(0, 0x15)},
      {"Jet 4 whose memo lost the last page of its chain",
       [] {
         const std::string file =
             Jet4TestFile().withMemos({{std::string(9000, 'x'), Memo::Place::Chain}}).bytes();
         return file.substr(0, file.size() - 4096);
       }()},
  };
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.label);
    folder.putFile(kData, c.bytes);
    std::string diagnostics;
    EXPECT_FALSE(openOn(diagnostics));
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(lineCount(diagnostics), 1) << diagnostics;
    EXPECT_NE(diagnostics.find("data.mdb"), std::string::npos) << diagnostics;
    EXPECT_TRUE(holds(kData, c.bytes));
    EXPECT_EQ(dataFiles(), (std::vector<std::string>{"data.mdb", "lianxi.mdb"}));
  }
}

struct ReaderFault {
  const char* label;
  int signal;
  std::chrono::milliseconds timeLimit;
  const char* reported;
  bool nextOpenImports;  // a reader that had to be stopped is not tried again in this run
};

TEST_F(JetImportTest, AReaderThatCrashesOrHangsFailsOnlyTheOpen) {
  const ReaderFault cases[] = {
      // SIGKILL: no handler (a sanitizer's included) turns the crash into an ordinary exit.
      {"crash", SIGKILL, std::chrono::seconds(20), "signal 9", true},
      {"hang", SIGSTOP, std::chrono::milliseconds(300), "was stopped", false},
  };
  for (const ReaderFault& c : cases) {
    SCOPED_TRACE(c.label);
    ProgramFolder own;
    own.putFile(kData, fixture(kJet4));
    platform::import_testing::setStepHook([&c](ImportStep step) {
      if (step == ImportStep::Copying) ::raise(c.signal);
    });
    platform::import_testing::setTimeLimit(c.timeLimit);
    DatabaseConnection faulty;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(faulty.open(own.file(kData)));
    const std::string diagnostics = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(diagnostics.find(c.reported), std::string::npos) << diagnostics;
    EXPECT_TRUE(platform::readWholeFile(own.file(kData)) == fixture(kJet4));
    EXPECT_FALSE(own.exists("\\data\\data.mdb.importing"));
    EXPECT_FALSE(own.exists("\\data\\data.mdb.jet"));

    platform::import_testing::setStepHook({});
    platform::import_testing::setTimeLimit(std::chrono::seconds(20));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(faulty.open(own.file(kData)), c.nextOpenImports);
    ::testing::internal::GetCapturedStderr();
  }
}

TEST_F(JetImportTest, AKillDuringTheImportLeavesAStateTheNextOpenCompletes) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const ImportStep killedAt : {ImportStep::CopyFinished, ImportStep::OriginalKept}) {
    SCOPED_TRACE(static_cast<int>(killedAt));
    place(kJet4);
    folder.removeFile("\\data\\data.mdb.jet");
    EXPECT_EXIT(
        {
          platform::import_testing::setStepHook([killedAt](ImportStep step) {
            if (step == killedAt) ::raise(SIGKILL);
          });
          DatabaseConnection dying;
          dying.open(folder.file(kData));
        },
        ::testing::KilledBySignal(SIGKILL), "");
    EXPECT_TRUE(holds(kData, fixture(kJet4))) << "the original is still in place";

    std::string diagnostics;
    ASSERT_TRUE(openOn(diagnostics)) << diagnostics;
    EXPECT_EQ(column("SELECT * FROM \"Table\" WHERE ID = 5", "Unicode"),
              std::vector<std::string>{"漢字仮名交じり文"});
    EXPECT_TRUE(holds("\\data\\data.mdb.jet", fixture(kJet4)));
    EXPECT_EQ(dataFiles(), (std::vector<std::string>{"data.mdb", "data.mdb.jet", "lianxi.mdb"}));
  }
}

struct Unwritable {
  const char* label;
  const char* blocker;  // what stands in the import's way beside the file
};

TEST_F(JetImportTest, WhereNothingCanBeWrittenBesideItTheImportServesTheRunFromMemory) {
  const Unwritable cases[] = {
      {"temporary name taken by a folder", "\\data\\data.mdb.importing\\x"},
      {"another file under the original's name", "\\data\\data.mdb.jet"},
  };
  for (const Unwritable& c : cases) {
    SCOPED_TRACE(c.label);
    ProgramFolder own;
    own.putFile(kData, fixture(kJet3));
    own.putFile(c.blocker, "someone else's");
    DatabaseConnection first;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(first.open(own.file(kData)));
    const std::string diagnostics = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(lineCount(diagnostics), 1) << diagnostics;
    EXPECT_NE(diagnostics.find("memory"), std::string::npos) << diagnostics;

    RecordSet writer;
    writer.attachConnection(first);
    ASSERT_TRUE(writer.openQuery("SELECT * FROM table1", 1));
    ASSERT_TRUE(writer.writeField("field1", "答案"));
    ASSERT_TRUE(writer.update());

    // The results window reads through a connection of its own.
    DatabaseConnection second;
    ASSERT_TRUE(second.open(own.file(kData)));
    RecordSet reader;
    reader.attachConnection(second);
    ASSERT_TRUE(reader.openQuery("SELECT * FROM table1", 1));
    EXPECT_EQ(test_support::readColumn(reader, "field1"), std::vector<std::string>{"答案"});
    EXPECT_TRUE(platform::readWholeFile(own.file(kData)) == fixture(kJet3)) << "the file stays";
    EXPECT_EQ(platform::readWholeFile(own.file(c.blocker)), "someone else's");
  }
}

TEST_F(JetImportTest, AFileReplacedDuringTheRunIsImportedAgainBesideTheOthersKeptInMemory) {
  ProgramFolder first, second;
  for (const auto& [own, name] : {std::pair{&first, kJet3}, std::pair{&second, kJet4}}) {
    own->putFile(kData, fixture(name));
    own->putFile("\\data\\data.mdb.jet", "someone else's");
  }
  const auto tables = [](const ProgramFolder& own) {
    DatabaseConnection connection;
    RecordSet reader;
    connection.open(own.file(kData));
    reader.attachConnection(connection);
    reader.openQuery("SELECT * FROM sqlite_master", 1);
    return test_support::readColumn(reader, "name");
  };
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(tables(first), std::vector<std::string>{"table1"});
  EXPECT_EQ(tables(second), std::vector<std::string>{"Table"});
  first.putFile(kData, fixture(kJet3));  // a new file under the same name
  EXPECT_EQ(tables(first), std::vector<std::string>{"table1"});
  EXPECT_EQ(tables(second), std::vector<std::string>{"Table"}) << "kept apart from the new import";
  ::testing::internal::GetCapturedStderr();
}

struct Jet3Case {
  const char* label;
  std::string_view bytes;
  const char* text;
  const char* summary;
};

TEST(Jet3TextTest, GbkFirstThenTheHeadersCodePageThenShiftJis) {
  const Jet3Case cases[] = {
      {"GBK", "GBK\xB1\xE0\xC2\xEB", "GBK编码", "text read as code page 936"},
      {"not GBK, but the header's 1252", "caf\xE9", "café",
       "text read as code page 936, 1 value(s) as code page 1252"},
      {"neither, but 932", "\xB1\x81\xA0", "ｱ□",
       "text read as code page 936, 1 value(s) as code page 932"},
      {"none of them", "ok\x81", "ok\xEF\xBF\xBD",
       "text read as code page 936, 1 value(s) valid in none, with U+FFFD"},
  };
  for (const Jet3Case& c : cases) {
    SCOPED_TRACE(c.label);
    platform::Jet3Text text(1252);
    EXPECT_EQ(text.toUtf8(c.bytes), c.text);
    EXPECT_EQ(text.summary(), c.summary);
  }
}

TEST(JetUnicodeTextTest, CompressedRunsAndSurrogatePairs) {
  using namespace std::string_view_literals;
  EXPECT_EQ(platform::jetUnicodeToUtf8("\xFF\xFE"
                                       "ab\0\x22\x6F\x57\x5B\0cd"sv),
            "ab漢字cd");
  EXPECT_EQ(platform::jetUnicodeToUtf8("\x3D\xD8\x00\xDE"sv), "😀");
  EXPECT_EQ(platform::jetUnicodeToUtf8("\x00\xD8x\x00"sv), "\xEF\xBF\xBDx") << "lone surrogate";
  EXPECT_EQ(platform::jetUnicodeToUtf8(""sv), "");
}

}  // namespace
