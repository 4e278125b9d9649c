#include "platform/system/settings_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>

#include "platform/system/file_io.h"
#include "platform/system/gbk.h"
#include "tests/support/program_folder.h"

namespace {

using test_support::ProgramFolder;

constexpr std::string_view kSettings = "\\setting\\setting.ini";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string settings() const { return folder.path() + std::string(kSettings); }
  std::string read(std::string_view section, std::string_view key,
                   std::string_view fallback = "<default>") const {
    return platform::readIniText(settings(), section, key, fallback);
  }
  std::string rawFile() const {
    return platform::readWholeFile(folder.file(kSettings)).value_or("");
  }

  ProgramFolder folder;
};

struct ReadCase {
  const char* label;
  const char* file;  // UTF-8 here, stored in GBK
  const char* section;
  const char* key;
  const char* expected;
};

TEST_F(SettingsFileTest, ReadsAsWindowsProfileFilesDo) {
  const ReadCase cases[] = {
      {"plain value", "[课程选择]\r\n课程索引=Lesson3\r\n", "课程选择", "课程索引", "Lesson3"},
      {"LF line breaks", "[课程选择]\n课程索引=Lesson3\n", "课程选择", "课程索引", "Lesson3"},
      {"no final line break", "[课程选择]\r\n课程索引=Lesson3", "课程选择", "课程索引", "Lesson3"},
      {"section name ignores ASCII case", "[Course]\r\nkey=v\r\n", "COURSE", "key", "v"},
      {"key name ignores ASCII case", "[s]\r\nKeY=v\r\n", "s", "kEy", "v"},
      {"spaces around section name", "  [ 课程选择 ]  \r\nk=v\r\n", "课程选择", "k", "v"},
      {"spaces around key and value", "[s]\r\n  课程名称 \t=  Lesson1  家庭问候  \r\n", "s",
       "课程名称", "Lesson1  家庭问候"},
      {"inner spaces of value kept", "[s]\r\nk=a  b\r\n", "s", "k", "a  b"},
      {"double quotes stripped", "[s]\r\nk=\" padded \"\r\n", "s", "k", " padded "},
      {"single quotes stripped", "[s]\r\nk='x'\r\n", "s", "k", "x"},
      {"unmatched quotes kept", "[s]\r\nk=\"x'\r\n", "s", "k", "\"x'"},
      {"lone quote kept", "[s]\r\nk=\"\r\n", "s", "k", "\""},
      {"empty value is empty text", "[s]\r\nk=\r\n", "s", "k", ""},
      {"value with equals sign", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
      {"first of duplicate keys wins", "[s]\r\nk=first\r\nk=second\r\n", "s", "k", "first"},
      {"first of duplicate sections wins", "[s]\r\nk=first\r\n[s]\r\nk=second\r\n", "s", "k",
       "first"},
      {"key only in a later duplicate section", "[s]\r\na=1\r\n[s]\r\nk=v\r\n", "s", "k",
       "<default>"},
      {"missing section", "[other]\r\nk=v\r\n", "s", "k", "<default>"},
      {"missing key", "[s]\r\nother=v\r\n", "s", "k", "<default>"},
      {"key of another section", "[a]\r\nk=1\r\n[b]\r\nx=2\r\n", "b", "k", "<default>"},
      {"key before any section", "k=v\r\n[s]\r\n", "s", "k", "<default>"},
      {"carriage return left at the file's end", "[s]\r\nk=v\r", "s", "k", "v"},
      {"doubled carriage return", "[s]\r\nk=v\r\r\n", "s", "k", "v"},
      {"comment line is no key", "[s]\r\n;k=v\r\n", "s", "k", "<default>"},
      {"line without equals sign is no key", "[s]\r\nk\r\n", "s", "k", "<default>"},
      {"full-width text compared exactly", "[入门基础]\r\n当前选项=日语的发音\r\n", "入门基础",
       "当前选项", "日语的发音"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.label);
    folder.writeSettings(c.file);
    EXPECT_EQ(read(c.section, c.key), c.expected);
  }
}

TEST_F(SettingsFileTest, MissingFileOrFolderGivesTheDefault) {
  EXPECT_EQ(read("课程选择", "课程名称", "Lesson1  家庭问候"), "Lesson1  家庭问候");
  folder.removeFile("\\setting");
  EXPECT_EQ(read("课程选择", "课程索引", "Lesson1"), "Lesson1");
}

TEST_F(SettingsFileTest, FolderInPlaceOfTheFileIsLeftAlone) {
  std::filesystem::create_directories(folder.file(kSettings));
  EXPECT_EQ(read("课程选择", "课程索引", "Lesson1"), "Lesson1");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::writeIniText(settings(), "课程选择", "课程索引", "Lesson2"));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("setting.ini"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(folder.file(kSettings)));
}

TEST_F(SettingsFileTest, StoresTheFileInGbk) {
  ASSERT_TRUE(platform::writeIniText(settings(), "课程选择", "课程名称", "Lesson2  自我介绍"));
  EXPECT_EQ(rawFile(), *platform::utf8ToGbk("[课程选择]\r\n课程名称=Lesson2  自我介绍\r\n"));
  EXPECT_EQ(read("课程选择", "课程名称"), "Lesson2  自我介绍");
}

struct WriteCase {
  const char* label;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST_F(SettingsFileTest, WriteChangesOnlyItsOwnLine) {
  const WriteCase cases[] = {
      {"replaces the value, keeps the key's spelling", "[S]\r\n Key = old \r\nz=1\r\n", "s", "KEY",
       "new", "[S]\r\nKey=new\r\nz=1\r\n"},
      {"adds a key after the last key of its section", "; note\r\n[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
       "a", "k", "v", "; note\r\n[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
      {"adds a key to an empty section", "[a]\r\n[b]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[b]\r\n"},
      {"adds a missing section at the end", "[a]\r\nx=1\r\n", "b", "k", "v",
       "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
      {"ends an unterminated last line first", "[a]\r\nx=1", "a", "k", "v",
       "[a]\r\nx=1\r\nk=v\r\n"},
      {"follows the file's LF line breaks", "[a]\nx=1\n", "a", "k", "v", "[a]\nx=1\nk=v\n"},
      {"writes into the first duplicate section", "[a]\r\nk=1\r\n[a]\r\nk=2\r\n", "a", "k", "3",
       "[a]\r\nk=3\r\n[a]\r\nk=2\r\n"},
      {"writes the first duplicate key", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "3",
       "[a]\r\nk=3\r\nk=2\r\n"},
      {"keeps comments, blank lines and odd lines", "[a]\r\n;c\r\n\r\nodd line\r\nk=1\r\n", "a",
       "k", "2", "[a]\r\n;c\r\n\r\nodd line\r\nk=2\r\n"},
      {"trims the names written", "", " a ", " k ", "v", "[a]\r\nk=v\r\n"},
      {"stores an empty value", "[a]\r\nk=1\r\n", "a", "k", "", "[a]\r\nk=\r\n"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.label);
    folder.writeSettings(c.before);
    ASSERT_TRUE(platform::writeIniText(settings(), c.section, c.key, c.value));
    EXPECT_EQ(folder.settingsText(), c.after);
  }
}

TEST_F(SettingsFileTest, EveryValueReadsBackAsWritten) {
  const char* values[] = {"Lesson1  家庭问候",
                          "",
                          " leading and trailing ",
                          "\"quoted\"",
                          "'single'",
                          "\"",
                          "a=b",
                          ";not a comment",
                          "[not a section]"};
  for (const char* value : values) {
    SCOPED_TRACE(value);
    ASSERT_TRUE(platform::writeIniText(settings(), "课程选择", "课程名称", value));
    EXPECT_EQ(read("课程选择", "课程名称"), value);
  }
}

TEST_F(SettingsFileTest, ValueWithLineBreaksStaysOnOneLine) {
  ASSERT_TRUE(platform::writeIniText(settings(), "a", "k", "one\r\ntwo\nthree"));
  ASSERT_TRUE(platform::writeIniText(settings(), "a", "later", "x"));
  EXPECT_EQ(folder.settingsText(), "[a]\r\nk=one two three\r\nlater=x\r\n");
  EXPECT_EQ(read("a", "k"), "one two three");
}

TEST_F(SettingsFileTest, CreatesTheFileOnlyWhenItsFolderExists) {
  ASSERT_TRUE(platform::writeIniText(settings(), "入门基础", "当前选项", "日语的发音"));
  EXPECT_EQ(read("入门基础", "当前选项"), "日语的发音");

  folder.removeFile("\\setting");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::writeIniText(settings(), "入门基础", "当前选项", "日语的发音"));
  const std::string diagnostics = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(folder.exists("\\setting"));
  EXPECT_NE(diagnostics.find("setting.ini"), std::string::npos) << diagnostics;
  EXPECT_EQ(read("入门基础", "当前选项"), "<default>");
}

TEST_F(SettingsFileTest, NamesThatCannotStandInTheFileAreRefused) {
  folder.writeSettings("[a]\r\nk=1\r\n");
  const std::pair<const char*, const char*> refused[] = {
      {"", "k"}, {"a", ""}, {"a]", "k"}, {"a", "k=x"}, {"a\nb", "k"}, {"a", "k\r\n"}, {"a", ";k"}};
  ::testing::internal::CaptureStderr();
  for (const auto& [section, key] : refused) {
    SCOPED_TRACE(std::string(section) + "/" + key);
    EXPECT_FALSE(platform::writeIniText(settings(), section, key, "v"));
  }
  // Several values at once are stored all or none.
  const platform::IniEntry oneRefused[] = {{"a", "k", "2"}, {"a", "k=x", "v"}};
  EXPECT_FALSE(platform::writeIniTexts(settings(), oneRefused));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(folder.settingsText(), "[a]\r\nk=1\r\n");
}

TEST_F(SettingsFileTest, TextGbkCannotHoldTurnsTheFileIntoUtf8WithBom) {
  folder.writeSettings("[课程选择]\r\n课程索引=Lesson1\r\n");
  ASSERT_TRUE(platform::writeIniText(settings(), "课程选择", "课程名称", "Lesson9  한국어 ・ 😀"));
  EXPECT_EQ(rawFile(), std::string(kBom) +
                           "[课程选择]\r\n课程索引=Lesson1\r\n课程名称=Lesson9  한국어 ・ 😀\r\n");
  EXPECT_EQ(read("课程选择", "课程名称"), "Lesson9  한국어 ・ 😀");
  EXPECT_EQ(read("课程选择", "课程索引"), "Lesson1");

  // Once UTF-8, later writes keep it so, also for text GBK could hold.
  ASSERT_TRUE(platform::writeIniText(settings(), "入门基础", "当前选项", "声调与语调"));
  EXPECT_TRUE(rawFile().starts_with(kBom));
  EXPECT_EQ(read("入门基础", "当前选项"), "声调与语调");
}

TEST_F(SettingsFileTest, BytesThatAreNotGbkSurviveAWriteElsewhere) {
  const std::string odd = "[x]\r\nodd=\xFF\xFE\x80\r\n";
  folder.putFile(kSettings, odd + "[a]\r\nk=1\r\n");
  ASSERT_TRUE(platform::writeIniText(settings(), "a", "k", "2"));
  EXPECT_EQ(rawFile(), odd + "[a]\r\nk=2\r\n");
}

TEST_F(SettingsFileTest, WriteReplacesTheFileByRenameKeepingItsMode) {
  folder.writeSettings("[a]\r\nk=1\r\n");
  const std::string file = folder.file(kSettings);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);

  ASSERT_TRUE(platform::writeIniText(settings(), "a", "k", "2"));
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino) << "written in place, not replaced";
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("\\setting")),
                          std::filesystem::directory_iterator()),
            1)
      << "a temporary file was left behind";
}

TEST_F(SettingsFileTest, WriteThroughASymbolicLinkReplacesTheFileItPointsAt) {
  const std::string target = folder.file("\\data\\shared.ini");
  folder.putFile("\\data\\shared.ini", "[a]\r\nk=1\r\n");
  std::filesystem::create_symlink(target, folder.file(kSettings));

  ASSERT_TRUE(platform::writeIniText(settings(), "a", "k", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file(kSettings))) << "the link was replaced";
  EXPECT_EQ(platform::readIniText(target, "a", "k", ""), "2");
}

TEST_F(SettingsFileTest, WriteInterruptedBeforeTheRenameLeavesTheOldFileIntact) {
  folder.writeSettings("[课程选择]\r\n课程名称=Lesson1  家庭问候\r\n课程索引=Lesson1\r\n");
  const std::string before = rawFile();

  bool interrupted = false;
  const bool replaced =
      platform::replaceFileContents(folder.file(kSettings), "[课程选择]\r\n", [&] {
        interrupted = true;
        return false;
      });
  EXPECT_TRUE(interrupted);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(rawFile(), before);
  EXPECT_EQ(read("课程选择", "课程索引"), "Lesson1");

  // The leftover temporary file does not stand in the way of the next write, which removes it.
  ASSERT_TRUE(platform::writeIniText(settings(), "课程选择", "课程索引", "Lesson2"));
  EXPECT_EQ(read("课程选择", "课程索引"), "Lesson2");
  EXPECT_EQ(read("课程选择", "课程名称"), "Lesson1  家庭问候");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("\\setting")), {}), 1);
}

TEST_F(SettingsFileTest, WriteAfterAWriteThatWasKilledLeavesNoTemporaryFile) {
  folder.writeSettings("[s]\r\nk=1\r\n");
  const auto filesInFolder = [&] {
    return std::distance(std::filesystem::directory_iterator(folder.file("\\setting")), {});
  };
  const pid_t writer = ::fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    platform::replaceFileContents(folder.file(kSettings), "[s]\r\nk=killed\r\n", [] {
      ::raise(SIGKILL);
      return true;
    });
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(writer, &status, 0), writer);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(filesInFolder(), 2) << "the killed write left its temporary file";

  ASSERT_TRUE(platform::writeIniText(settings(), "s", "k", "2"));
  EXPECT_EQ(filesInFolder(), 1);
  EXPECT_EQ(read("s", "k"), "2");
}

TEST_F(SettingsFileTest, WriteRemovesOnlyTheTemporaryFilesOfInterruptedWritesOfTheSameFile) {
  folder.writeSettings("[s]\r\nk=1\r\n");
  const struct {
    const char* name;
    bool removed;
  } cases[] = {
      {"setting.ini.a1B2c3", true}, {"setting.ini.ZZZZZZ", true},   {"setting.ini.bak", false},
      {"setting.ini.a1B2c", false}, {"setting.ini.a1B2c3d", false}, {"setting.ini.a1-2c3", false},
      {"other.ini.a1B2c3", false},  {"setting.ini.in_use", false},
  };
  for (const auto& c : cases) folder.putFile(std::string("\\setting\\") + c.name, "partial");
  // Another program's write going on: its temporary file is locked until its rename.
  const std::string inUse = folder.file("\\setting\\setting.ini.Wr1te5");
  folder.putFile("\\setting\\setting.ini.Wr1te5", "partial");
  const int lock = ::open(inUse.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);

  ASSERT_TRUE(platform::writeIniText(settings(), "s", "k", "2"));
  ::close(lock);
  for (const auto& c : cases) {
    EXPECT_EQ(folder.exists(std::string("\\setting\\") + c.name), !c.removed) << c.name;
  }
  EXPECT_TRUE(std::filesystem::exists(inUse));
  EXPECT_EQ(read("s", "k"), "2");
}

// Two programs writing one settings file at once: the lock every write holds from its read to
// its rename keeps each from putting back a file read before the other's write.
TEST_F(SettingsFileTest, TwoProcessesWritingAtOnceLoseNoWrite) {
  constexpr int kWrites = 200;
  folder.writeSettings("[s]\r\n");
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  const auto writer = [&](const char* key) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::close(start[1]);
    char go;
    [[maybe_unused]] const ssize_t eof = ::read(start[0], &go, 1);
    int lost = 0;
    for (int i = 1; i <= kWrites; ++i) {
      // Only this process writes its key: any other value than its last write is one lost.
      if (read("s", key, "0") != std::to_string(i - 1)) ++lost;
      if (!platform::writeIniText(settings(), "s", key, std::to_string(i))) ::_exit(100);
      if (read("s", key, "0") != std::to_string(i)) ++lost;
    }
    ::_exit(std::min(lost, 99));
  };
  const std::array<pid_t, 2> writers = {writer("one"), writer("two")};
  ::close(start[0]);
  ::close(start[1]);
  for (const pid_t pid : writers) {
    ASSERT_GT(pid, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "writes lost (100: a write failed)";
  }
  EXPECT_EQ(read("s", "one"), std::to_string(kWrites));
  EXPECT_EQ(read("s", "two"), std::to_string(kWrites));
}

}  // namespace
