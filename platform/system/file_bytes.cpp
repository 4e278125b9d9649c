#include "platform/system/file_bytes.h"

#include "platform/system/file_io.h"
#include "platform/system/paths.h"

namespace platform {

Bytes readFileBytes(std::string_view file) {
  const auto contents = readWholeFile(nativePath(file));
  if (!contents) return {};
  return Bytes(contents->begin(), contents->end());
}

}  // namespace platform
