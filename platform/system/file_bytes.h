#pragma once

#include <string_view>

#include "platform/system/bytes.h"

namespace platform {

// The whole file; empty bytes when it cannot be read.
Bytes readFileBytes(std::string_view file);

}  // namespace platform
