#include "platform/system/file_bytes.h"

#include <fstream>
#include <iterator>

#include "platform/system/paths.h"

namespace platform {

Bytes readFileBytes(std::string_view file) {
  std::ifstream in(nativePath(file), std::ios::binary);
  if (!in) return {};
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {};
  return bytes;
}

}  // namespace platform
