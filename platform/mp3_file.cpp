#include "platform/mp3_file.h"

#include <mpg123.h>

#include <mutex>
#include <optional>
#include <vector>

#include "platform/mp3_frames.h"
#include "platform/system/regular_file.h"

namespace platform {

namespace {

struct Handle {
  RegularFile file;  // closed after the handle, which reads it
  mpg123_handle* h = nullptr;
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (h != nullptr) {
      mpg123_close(h);
      mpg123_delete(h);
    }
  }
};

// Opens the file and reads up to its first frame; false when it holds no MP3 stream.
bool openStream(Handle& handle, const std::string& path, PcmFormat& format) {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
  int error = MPG123_OK;
  handle.h = mpg123_new(nullptr, &error);
  if (handle.h == nullptr) return false;
  mpg123_param(handle.h, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
  // Always 16-bit samples, at the file's own rate and channel count.
  mpg123_format_none(handle.h);
  const long* rates = nullptr;
  std::size_t count = 0;
  mpg123_rates(&rates, &count);
  for (std::size_t i = 0; i < count; ++i) {
    mpg123_format(handle.h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  handle.file = openRegularFile(path);
  if (!handle.file || mpg123_open_fd(handle.h, handle.file.descriptor()) != MPG123_OK) return false;
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle.h, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
      channels <= 0) {
    return false;
  }
  format.sampleRate = static_cast<int>(rate);
  format.channels = channels;
  // Every later frame comes out in the first one's format: a file whose rate or channel count
  // changes in mid-stream is resampled or remixed rather than played at the wrong speed.
  mpg123_param(handle.h, MPG123_FORCE_RATE, rate, 0);
  mpg123_param(handle.h, MPG123_ADD_FLAGS, channels == 1 ? MPG123_FORCE_MONO : MPG123_FORCE_STEREO,
               0);
  return true;
}

class Mp3Source : public PcmSource {
 public:
  Mp3Source(std::unique_ptr<Handle> handle, PcmFormat format)
      : handle_(std::move(handle)), format_(format) {}

  PcmFormat format() const override { return format_; }

  std::size_t read(std::int16_t* out, std::size_t frames) override {
    if (done_) return 0;
    const std::size_t frameBytes =
        sizeof(std::int16_t) * static_cast<std::size_t>(format_.channels);
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    std::size_t filled = 0;
    while (filled < frames * frameBytes) {
      std::size_t got = 0;
      const int rc = mpg123_read(handle_->h, bytes + filled, frames * frameBytes - filled, &got);
      filled += got;
      if (rc == MPG123_NEW_FORMAT && sameFormat()) continue;
      if (rc != MPG123_OK) {
        // The end, a stream that broke off, or a format the decoder could not turn into ours:
        // what was decoded is played, and never noise.
        done_ = true;
        break;
      }
      if (got == 0) break;
    }
    return filled / frameBytes;
  }

 private:
  bool sameFormat() const {
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    return mpg123_getformat(handle_->h, &rate, &channels, &encoding) == MPG123_OK &&
           rate == format_.sampleRate && channels == format_.channels &&
           encoding == MPG123_ENC_SIGNED_16;
  }

  std::unique_ptr<Handle> handle_;
  PcmFormat format_;
  bool done_ = false;
};

// The length of a plain stream from its frame headers, with no decoding: what the decoder gives
// for it, the encoder's delay and padding left out where the stream's info frame says them.
// Nothing when the headers alone cannot tell.
std::optional<std::int64_t> lengthFromHeaders(const Handle& handle, const PcmFormat& format) {
  const std::optional<Mp3Frames> frames = readPlainFrames(handle.file);
  if (!frames || frames->sampleRate != format.sampleRate || frames->channels != format.channels) {
    return std::nullopt;
  }
  if (!frames->infoFrameCount) {
    const std::int64_t samples = frames->audioFrames * frames->samplesPerFrame;
    return samples > 0 ? std::optional(samples) : std::nullopt;
  }
  // The decoder leaves out the encoder's delay and padding, which the info frame's LAME tag gives,
  // by the info frame's count: a count that is not the stream's (a cut or joined file) makes its
  // end another than the headers show. Without the tag, whether the decoder took the frame for
  // an info frame at all is not known.
  long delay = -1;
  long padding = -1;
  double unused = 0;
  mpg123_getstate(handle.h, MPG123_ENC_DELAY, &delay, &unused);
  mpg123_getstate(handle.h, MPG123_ENC_PADDING, &padding, &unused);
  if (delay < 0 || padding < 0 || *frames->infoFrameCount != frames->audioFrames) {
    return std::nullopt;
  }
  const off_t samples = mpg123_length(handle.h);
  return samples > 0 ? std::optional<std::int64_t>(samples) : std::nullopt;
}

// What the decoder gives, counted by decoding it all.
std::int64_t decodedLength(PcmSource& source) {
  std::vector<std::int16_t> block(4096 * static_cast<std::size_t>(source.format().channels));
  std::int64_t samples = 0;
  while (const std::size_t got = source.read(block.data(), 4096)) {
    samples += static_cast<std::int64_t>(got);
  }
  return samples;
}

}  // namespace

Mp3Info probeMp3(const std::string& nativePath) {
  Mp3Info info;
  auto handle = std::make_unique<Handle>();
  if (!openStream(*handle, nativePath, info.format)) return info;
  // The length is what the decoder gives: a file's tag and frame headers can promise more or
  // less than a damaged or changing stream decodes to, and the player's end must be the sound's.
  // Only a plain stream's headers are taken at their word; any other file is decoded.
  if (const auto samples = lengthFromHeaders(*handle, info.format)) {
    info.samples = *samples;
  } else {
    Mp3Source source(std::move(handle), info.format);
    info.samples = decodedLength(source);
  }
  const std::int64_t rate = info.format.sampleRate;
  info.lengthMs = (info.samples * 1000 + rate / 2) / rate;
  info.playable = info.lengthMs > 0;
  return info;
}

std::unique_ptr<PcmSource> openMp3(const std::string& nativePath) {
  auto handle = std::make_unique<Handle>();
  PcmFormat format;
  if (!openStream(*handle, nativePath, format)) return nullptr;
  return std::make_unique<Mp3Source>(std::move(handle), format);
}

}  // namespace platform
