#pragma once

#include <string>
#include <string_view>

namespace platform {

// A Windows profile (INI) file, in GBK, or in UTF-8 when it starts with a byte order mark.
// Section and key names match without regard to ASCII case; spaces around names and values are
// trimmed; a value in matching quotes loses them; the first of duplicate sections or keys wins.

// The key's value, or `defaultValue` when the file, the section or the key is missing.
std::string readIniText(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view defaultValue);

// Stores the value, creating the section and the key as needed and the file when its folder
// exists; every other line is kept as it was. The file is replaced atomically. Returns false
// (and says why on stderr) when nothing could be stored.
bool writeIniText(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value);

}  // namespace platform
