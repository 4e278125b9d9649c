#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace content {

// One key of the settings file with the default used when the file, section or key is missing.
struct SettingsKey {
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;
};

// A value to store under a key.
struct SettingsEntry {
  const SettingsKey& key;
  std::string_view value;
};

// The settings file (program folder + ContentFolders::settingsFile): these three keys are all
// it holds and the only state the two programs pass to each other.
struct SettingsFile {
  // Display name of the current course (a `kecheng` value); two spaces in the default.
  static constexpr SettingsKey courseName{"课程选择", "课程名称", "Lesson1  家庭问候"};
  // Course key of the current course (a `kb` value).
  static constexpr SettingsKey courseKey{"课程选择", "课程索引", "Lesson1"};
  // Topic on which the basics window opens.
  static constexpr SettingsKey basicsTopic{"入门基础", "当前选项", "入门基础练习"};

  // The values the navigation bar writes to basicsTopic.
  static constexpr std::array<std::string_view, 5> basicsTopics = {
      "日语文字与书写", "日语的发音", "声调与语调", "要注意的发音", "入门基础练习"};

  static std::string read(std::string_view programFolder, const SettingsKey& key);
  static bool write(std::string_view programFolder, const SettingsKey& key, std::string_view value);
  // Several keys as one change of the file: it holds all of the new values or none.
  static bool write(std::string_view programFolder, std::initializer_list<SettingsEntry> entries);
};

}  // namespace content
