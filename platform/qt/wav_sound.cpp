#include "platform/qt/wav_sound.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform::qt {

namespace {

class MemorySource : public PcmSource {
 public:
  MemorySource(PcmFormat format, std::vector<std::int16_t> samples)
      : format_(format), samples_(std::move(samples)) {}
  PcmFormat format() const override { return format_; }
  std::size_t read(std::int16_t* out, std::size_t frames) override {
    const auto channels = static_cast<std::size_t>(format_.channels);
    const std::size_t left = (samples_.size() - next_) / channels;
    const std::size_t n = std::min(frames, left);
    std::copy_n(samples_.data() + next_, n * channels, out);
    next_ += n * channels;
    return n;
  }

 private:
  PcmFormat format_;
  std::vector<std::int16_t> samples_;
  std::size_t next_ = 0;
};

std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool tagIs(const std::uint8_t* p, std::string_view tag) {
  return std::memcmp(p, tag.data(), 4) == 0;
}

}  // namespace

std::unique_ptr<PcmSource> decodeWav(const Bytes& bytes) {
  const std::size_t size = bytes.size();
  const std::uint8_t* d = bytes.data();
  if (size < 12 || !tagIs(d, "RIFF") || !tagIs(d + 8, "WAVE")) return nullptr;
  int format = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  const std::uint8_t* data = nullptr;
  std::size_t dataSize = 0;
  std::size_t at = 12;
  while (at + 8 <= size) {
    const std::uint8_t* chunk = d + at;
    const std::size_t length = le32(chunk + 4);
    const std::size_t body = std::min(length, size - at - 8);
    if (tagIs(chunk, "fmt ") && body >= 16) {
      format = le16(chunk + 8);
      channels = le16(chunk + 10);
      rate = static_cast<int>(le32(chunk + 12));
      bits = le16(chunk + 22);
      // WAVE_FORMAT_EXTENSIBLE names its sample format in the sub-format's first two bytes.
      if (format == 0xFFFE && body >= 26) format = le16(chunk + 32);
    } else if (tagIs(chunk, "data")) {
      data = chunk + 8;
      dataSize = body;
    }
    at += 8 + length + (length & 1);
  }
  const int bytesPerSample = bits / 8;
  if (format != 1 || data == nullptr || channels < 1 || channels > 8 || rate < 1000 ||
      rate > 384000 || bits % 8 != 0 || bytesPerSample < 1 || bytesPerSample > 4) {
    return nullptr;
  }
  const std::size_t count = dataSize / static_cast<std::size_t>(bytesPerSample * channels) *
                            static_cast<std::size_t>(channels);
  std::vector<std::int16_t> samples(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* s = data + i * static_cast<std::size_t>(bytesPerSample);
    // 8-bit samples are unsigned; wider ones are signed, little-endian: keep the top 16 bits.
    if (bytesPerSample == 1) {
      samples[i] = static_cast<std::int16_t>((s[0] - 128) << 8);
    } else {
      samples[i] = static_cast<std::int16_t>(s[bytesPerSample - 2] | (s[bytesPerSample - 1] << 8));
    }
  }
  return std::make_unique<MemorySource>(PcmFormat{rate, channels}, std::move(samples));
}

}  // namespace platform::qt
