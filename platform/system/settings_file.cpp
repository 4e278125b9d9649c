#include "platform/system/settings_file.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/system/diagnostics.h"
#include "platform/system/file_io.h"
#include "platform/system/ini_document.h"
#include "platform/system/paths.h"

namespace platform {

namespace {

// The file's bytes; "" when there is no file; nothing when it exists but cannot be read (a
// write must then leave it alone rather than replace it by a file without its other keys).
std::optional<std::string> readExisting(const std::string& path) {
  auto bytes = readWholeFile(path);
  if (!bytes && errno == ENOENT) return std::string();
  return bytes;
}

}  // namespace

std::string readIniText(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
  const auto bytes = readExisting(nativePath(file));
  if (!bytes) return std::string(defaultValue);
  return IniDocument::valueIn(*bytes, section, key).value_or(std::string(defaultValue));
}

bool writeIniText(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) {
  const std::string path = nativePath(file);
  const auto existing = readExisting(path);
  if (!existing) {
    reportFailure(path, std::string("cannot read: ") + std::strerror(errno));
    return false;
  }
  IniDocument document = IniDocument::parse(*existing);
  if (!document.set(section, key, value)) {
    reportFailure(path,
                  "not a section and key name: [" + std::string(section) + "] " + std::string(key));
    return false;
  }
  return replaceFileContents(path, document.bytes());
}

}  // namespace platform
