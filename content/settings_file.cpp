#include "content/settings_file.h"

#include <vector>

#include "content/content_folders.h"
#include "platform/system/settings_file.h"

namespace content {

// The path is built anew for every call: nothing caches the settings file.
std::string SettingsFile::read(std::string_view programFolder, const SettingsKey& key) {
  return platform::readIniText(ContentFolders::path(programFolder, ContentFolders::settingsFile),
                               key.section, key.key, key.defaultValue);
}

bool SettingsFile::write(std::string_view programFolder, const SettingsKey& key,
                         std::string_view value) {
  return write(programFolder, {{key, value}});
}

bool SettingsFile::write(std::string_view programFolder,
                         std::initializer_list<SettingsEntry> entries) {
  std::vector<platform::IniEntry> iniEntries;
  for (const SettingsEntry& entry : entries) {
    iniEntries.push_back({entry.key.section, entry.key.key, entry.value});
  }
  return platform::writeIniTexts(ContentFolders::path(programFolder, ContentFolders::settingsFile),
                                 iniEntries);
}

}  // namespace content
