#include "content/settings_file.h"

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
  return platform::writeIniText(ContentFolders::path(programFolder, ContentFolders::settingsFile),
                                key.section, key.key, value);
}

}  // namespace content
