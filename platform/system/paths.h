#pragma once

#include <string>
#include <string_view>

namespace platform {

// The programs name every file as the program folder plus a backslash-separated tail
// ("\setting\setting.ini"); every file boundary passes the name through here.
std::string nativePath(std::string_view path);

// Folder of the running executable, without a trailing separator.
std::string executableFolder();

}  // namespace platform
