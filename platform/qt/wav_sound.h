#pragma once

#include <memory>

#include "platform/audio_output.h"
#include "platform/system/bytes.h"

namespace platform::qt {

// The sound of a RIFF WAVE file with PCM samples of 8, 16, 24 or 32 bits, as 16-bit PCM;
// nullptr for anything else (no sound rather than noise).
std::unique_ptr<PcmSource> decodeWav(const Bytes& bytes);

}  // namespace platform::qt
