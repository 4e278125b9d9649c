// Any bytes as a recording: probed as the player opens it, then decoded to the end as the mixer
// plays it. Nothing may crash or hang; the decoder gives sound in the probed format only, and a
// playable recording decodes to exactly the probed length, whether the probe read it from the
// frame headers or decoded it.
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/mp3_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFolder scratch;
  const std::string path = scratch.path() + "/recording.mp3";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  const platform::Mp3Info info = platform::probeMp3(path);
  std::unique_ptr<platform::PcmSource> source = platform::openMp3(path);
  if (source == nullptr) {
    fuzz::check(!info.playable, "a playable recording can be decoded");
    return 0;
  }
  const platform::PcmFormat format = source->format();
  fuzz::check(format.sampleRate > 0 && format.channels >= 1 && format.channels <= 2,
              "the decoder gives a real format");
  std::vector<std::int16_t> block(4096 * static_cast<std::size_t>(format.channels));
  std::int64_t frames = 0;
  while (const std::size_t got = source->read(block.data(), 4096)) {
    fuzz::check(got <= 4096, "a read fills no more than it was asked for");
    frames += static_cast<std::int64_t>(got);
  }
  if (!info.playable) return 0;
  fuzz::check(
      info.format.sampleRate == format.sampleRate && info.format.channels == format.channels,
      "the decoder gives the probed format");
  fuzz::check(info.samples == frames, "the probed length is what is decoded");
  return 0;
}
