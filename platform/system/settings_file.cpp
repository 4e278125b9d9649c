#include "platform/system/settings_file.h"

#include <optional>

#include "platform/system/diagnostics.h"
#include "platform/system/file_io.h"
#include "platform/system/ini_document.h"
#include "platform/system/paths.h"

namespace platform {

std::string readIniText(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
  const auto bytes = readWholeFile(nativePath(file));
  if (!bytes) return std::string(defaultValue);
  return IniDocument::valueIn(*bytes, section, key).value_or(std::string(defaultValue));
}

bool writeIniText(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) {
  const IniEntry entry{section, key, value};
  return writeIniTexts(file, {&entry, 1});
}

bool writeIniTexts(std::string_view file, std::span<const IniEntry> entries) {
  const std::string path = nativePath(file);
  return changeFileContents(path, [&](const std::string& existing) -> std::optional<std::string> {
    IniDocument document = IniDocument::parse(existing);
    for (const IniEntry& entry : entries) {
      if (!document.set(entry.section, entry.key, entry.value)) {
        reportFailure(path, "not a section and key name: [" + std::string(entry.section) + "] " +
                                std::string(entry.key));
        return std::nullopt;
      }
    }
    return document.bytes();
  });
}

}  // namespace platform
