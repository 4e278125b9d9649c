#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/system/file_io.h"
#include "platform/system/settings_file.h"
#include "tests/support/program_folder.h"

namespace {

using test_support::ProgramFolder;

TEST(RegularFileTest, AMissingFileIsQuietAndAFileTooLargeIsReportedOnce) {
  ProgramFolder folder;
  const std::string missing = folder.file("\\missing.ini");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(platform::readWholeFile(missing), std::nullopt);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  // Sparse: as large as it says without taking the disk.
  const std::string huge = folder.file("\\huge.jpg");
  folder.putFile("\\huge.jpg", "");
  std::filesystem::resize_file(huge, platform::kLargestWholeFile + 1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(platform::readWholeFile(huge), std::nullopt);
  EXPECT_EQ(errno, EFBIG);
  EXPECT_EQ(platform::readWholeFile(huge), std::nullopt);
  const std::string reported = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(reported.find(huge), std::string::npos);
  EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
}

TEST(RegularFileTest, SettingsWriteLeavesAFifoInPlaceOfTheFileAlone) {
  ProgramFolder folder;
  const std::string settings = folder.file("\\setting\\setting.ini");
  std::filesystem::remove(settings);
  ASSERT_EQ(::mkfifo(settings.c_str(), 0644), 0);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(platform::readIniText(settings, "课程选择", "课程索引", "Lesson1"), "Lesson1");
  EXPECT_FALSE(platform::writeIniText(settings, "课程选择", "课程索引", "Lesson2"));
  ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(std::filesystem::is_fifo(settings));
}

}  // namespace
