#pragma once

#include <cstdint>
#include <optional>

#include "platform/system/regular_file.h"

namespace platform {

// The frames of an MP3 stream, as their headers tell them, without decoding any.
struct Mp3Frames {
  std::int64_t audioFrames = 0;  // frames that decode to sound (an Xing/Info frame is none)
  int samplesPerFrame = 0;
  int sampleRate = 0;
  int channels = 0;
  // The frame count the stream's Xing/Info frame gives, when it has one.
  std::optional<std::int64_t> infoFrameCount;
};

// The frames of a plain stream: ID3v2 tags, then layer III frames one after the other to the
// end, all of one MPEG version, sample rate and channel count (the first may be an Xing/Info
// frame as LAME writes it), then nothing or an ID3v1 tag. Nothing for any other file (junk
// between frames, a frame cut short, a change of format, free format, another layer, a VBRI
// frame, an info frame further on or without a count): what such a file decodes to is only
// known by decoding it.
std::optional<Mp3Frames> readPlainFrames(const RegularFile& file);

}  // namespace platform
