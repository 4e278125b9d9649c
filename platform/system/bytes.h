#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Raw file contents: pictures, sounds, recordings.
using Bytes = std::vector<std::uint8_t>;

}  // namespace platform
