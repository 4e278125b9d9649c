#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "content/content_folders.h"
#include "tests/sorandel/sorandel_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using content::ContentFolders;

// What can stand in a program folder under a file's name without being a file.
struct SpecialFile {
  const char* label;
  std::function<void(const std::string& path)> make;
};

const SpecialFile kSpecialFiles[] = {
    {"FIFO", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }},
    {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
    {"link to nothing",
     [](const std::string& path) { std::filesystem::create_symlink(path + ".gone", path); }},
    {"link to /dev/zero",
     [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); }},
    // A link to itself cannot be opened, by root either.
    {"unreadable", [](const std::string& path) { std::filesystem::create_symlink(path, path); }},
};

int linesNaming(const std::string& text, const std::string& path) {
  std::istringstream lines(text);
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line.find(path) != line.npos;
  return count;
}

// Each special file in place of a file the program reads: it starts, a click on a sentence does
// what it can, nothing waits, and one line on stderr names the file.
void expectStartAndClick(std::string_view tail,
                         const std::function<void(SorandelRun&)>& expectAfterClick) {
  for (const SpecialFile& special : kSpecialFiles) {
    SCOPED_TRACE(special.label);
    SorandelRun run;
    run.addLesson1();
    const std::string path = run.folder_.file(tail);
    std::filesystem::remove(path);
    special.make(path);

    ::testing::internal::CaptureStderr();
    run.start();
    run.clickLine(0);
    run.clickLine(0);
    run.runUntilTimerStops();
    const std::string stderrText = ::testing::internal::GetCapturedStderr();

    expectAfterClick(run);
    EXPECT_EQ(linesNaming(stderrText, path), 1) << stderrText;
  }
}

TEST(SpecialFilesTest, SettingsFileIsTakenAsMissing) {
  expectStartAndClick(ContentFolders::settingsFile, [](SorandelRun& run) {
    EXPECT_EQ(run.state_.courseKey, "Lesson1") << "the default course";
    EXPECT_THAT(run.recordingsPlayed(), ElementsAre("s01.mp3", "s01.mp3"));
  });
}

TEST(SpecialFilesTest, ContentDatabaseIsTakenAsMissing) {
  expectStartAndClick(ContentFolders::contentDatabase, [](SorandelRun& run) {
    EXPECT_THAT(run.recordingsPlayed(), IsEmpty());
    EXPECT_THAT(run.underlinedRuns(), IsEmpty());
  });
}

TEST(SpecialFilesTest, RecordingIsTakenAsMissing) {
  expectStartAndClick(ContentFolders::recording("s01"), [](SorandelRun& run) {
    EXPECT_THAT(run.underlinedRuns(), ElementsAre("おはよう。"));
    EXPECT_THAT(run.recordingsPlayed(), IsEmpty());
    EXPECT_EQ(run.w().媒体播放1.getLength(), 0);
  });
}

}  // namespace
