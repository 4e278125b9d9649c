#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 to code points; a byte that starts no valid sequence becomes U+FFFD.
std::u32string toCodePoints(std::string_view utf8);
void appendUtf8(std::string& out, char32_t c);

// Line breaks as the rich edit box keeps them: CR LF, a lone CR and a lone LF become '\n'.
std::u32string toBoxText(std::string_view utf8);
// '\n' as CR LF, appended to `out`.
void appendWithCrLf(std::string& out, std::u32string_view text);

}  // namespace platform
