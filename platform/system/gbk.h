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

}  // namespace platform
