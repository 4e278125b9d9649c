#pragma once

#include <string_view>

namespace platform {

// Section, key and field names match without regard to ASCII case, whatever the process locale;
// every other byte (the UTF-8 of a Chinese name) must be equal.
inline char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool sameNameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace platform
