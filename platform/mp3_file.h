#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio_output.h"

namespace platform {

// What an MP3 file holds, as the player needs it before it plays.
struct Mp3Info {
  bool playable = false;     // false for a missing, empty or corrupt file
  std::int64_t samples = 0;  // a channel's, as the decoder gives them
  std::int64_t lengthMs = 0;
  PcmFormat format;
};

// The file at a native path and its exact length: what the decoder gives, with the encoder's
// delay and padding left out when the file says them. A plain stream's length comes from its
// frame headers, any other's from decoding it.
Mp3Info probeMp3(const std::string& nativePath);

// A decoder of the file as PCM; nullptr when the file cannot be decoded.
std::unique_ptr<PcmSource> openMp3(const std::string& nativePath);

}  // namespace platform
