// Any bytes as an effect sound, decoded as the desktop backend plays it. Nothing may crash or
// read outside the bytes; a decoded sound is in a format the mixer takes, is read in whole
// frames to its end and holds no more samples than the file has bytes; and a PCM file made of
// the input's bytes decodes to exactly those samples.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/qt/wav_sound.h"

namespace {

void put16(platform::Bytes& bytes, unsigned value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(platform::Bytes& bytes, std::uint32_t value) {
  put16(bytes, value & 0xffff);
  put16(bytes, value >> 16);
}

// A canonical PCM file of these samples' bytes.
platform::Bytes wavFile(int channels, int bits, std::string_view data) {
  platform::Bytes bytes = {'R', 'I', 'F', 'F'};
  put32(bytes, static_cast<std::uint32_t>(36 + data.size()));
  bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(bytes, 16);
  put16(bytes, 1);
  put16(bytes, static_cast<unsigned>(channels));
  put32(bytes, 11025);
  put32(bytes, static_cast<std::uint32_t>(11025 * channels * bits / 8));
  put16(bytes, static_cast<unsigned>(channels * bits / 8));
  put16(bytes, static_cast<unsigned>(bits));
  bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
  put32(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

// Every sample of the sound, read in pieces of changing size as the mixer's buffer asks.
std::vector<std::int16_t> readAll(platform::PcmSource& source) {
  const auto channels = static_cast<std::size_t>(source.format().channels);
  std::vector<std::int16_t> samples;
  constexpr std::size_t kLargestRead = 97;
  std::vector<std::int16_t> block(kLargestRead * channels);
  for (std::size_t ask = 1;; ask = ask % kLargestRead + 1) {
    const std::size_t got = source.read(block.data(), ask);
    fuzz::check(got <= ask, "a read fills no more than it was asked for");
    if (got == 0) break;
    samples.insert(samples.end(), block.begin(), block.begin() + got * channels);
  }
  return samples;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::Bytes bytes(data, data + size);
  if (auto source = platform::qt::decodeWav(bytes)) {
    const platform::PcmFormat format = source->format();
    fuzz::check(format.channels >= 1 && format.channels <= 8 && format.sampleRate >= 1000 &&
                    format.sampleRate <= 384000,
                "a decoded sound has a format the mixer takes");
    fuzz::check(readAll(*source).size() <= size, "a sound holds no more samples than its bytes");
  }

  fuzz::Input input(data, size);
  const int channels = input.text().size() % 2 + 1;
  const std::string_view pcm = input.rest();
  for (const int bits : {8, 16}) {
    const std::size_t frameBytes = static_cast<std::size_t>(channels * bits / 8);
    const std::string_view whole = pcm.substr(0, pcm.size() / frameBytes * frameBytes);
    auto source = platform::qt::decodeWav(wavFile(channels, bits, whole));
    fuzz::check(source != nullptr, "a PCM file decodes");
    const std::vector<std::int16_t> samples = readAll(*source);
    fuzz::check(samples.size() * static_cast<std::size_t>(bits / 8) == whole.size(),
                "a PCM file gives every sample it holds");
    for (std::size_t i = 0; i < samples.size(); ++i) {
      const auto* b = reinterpret_cast<const std::uint8_t*>(whole.data()) + i * (bits / 8);
      const int expected =
          bits == 8 ? (b[0] - 128) * 256 : static_cast<std::int16_t>(b[0] | b[1] << 8);
      fuzz::check(samples[i] == expected, "a PCM file gives its samples unchanged");
    }
  }
  return 0;
}
