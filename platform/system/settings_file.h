#pragma once

#include <span>
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
// exists; every other line is kept as it was. The file is replaced atomically, and two writers of
// one file, in one program or in two, never undo each other's writes. Returns false (and says
// why on stderr) when nothing could be stored.
bool writeIniText(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value);

struct IniEntry {
  std::string_view section;
  std::string_view key;
  std::string_view value;
};

// Stores several values, in order, as one replacement of the file: a crash leaves either all of
// them stored or none. The file's bytes are those the single writes one after another would give.
// Stores nothing when one of the names cannot stand in the file.
bool writeIniTexts(std::string_view file, std::span<const IniEntry> entries);

}  // namespace platform
