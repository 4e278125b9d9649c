#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio_output.h"

namespace platform {

// What a look at an MP3 file tells without decoding it.
struct Mp3Info {
  bool playable = false;  // false for a missing, empty or corrupt file
  std::int64_t lengthMs = 0;
  PcmFormat format;
};

// Reads the frame headers of the file at a native path (no decoding) and gives its exact
// length: the encoder's delay and padding are left out when the file says them.
Mp3Info probeMp3(const std::string& nativePath);

// A decoder of the file as PCM; nullptr when the file cannot be decoded.
std::unique_ptr<PcmSource> openMp3(const std::string& nativePath);

}  // namespace platform
