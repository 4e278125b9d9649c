#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// GBK (code page 936) is used only where a file on disk is fixed to it; inside, text is UTF-8.

// Empty when the text holds a character that GBK cannot encode (or is not valid UTF-8).
std::optional<std::string> utf8ToGbk(std::string_view utf8);

// Bytes that are not valid GBK become U+FFFD, so nothing after them is lost.
std::string gbkToUtf8(std::string_view gbk);

bool isValidUtf8(std::string_view text);

// Text in another encoding (an iconv name such as "CP932" or "UTF-16LE") made UTF-8: empty when
// the bytes are not valid in it.
std::optional<std::string> decodeStrictly(std::string_view bytes, const char* encoding);
// As above, but each sequence that is not valid becomes U+FFFD; `unit` is the size of one code
// unit of the encoding (1, or 2 for UTF-16), skipped at each bad place.
std::string decodeReplacing(std::string_view bytes, const char* encoding, size_t unit);

}  // namespace platform
