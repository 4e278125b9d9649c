#include "platform/mp3_file.h"

#include <mpg123.h>

#include <mutex>

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
      if (rc == MPG123_NEW_FORMAT) continue;
      if (rc != MPG123_OK) {
        // The end, or a stream that broke off: what was decoded is played.
        done_ = true;
        break;
      }
      if (got == 0) break;
    }
    return filled / frameBytes;
  }

 private:
  std::unique_ptr<Handle> handle_;
  PcmFormat format_;
  bool done_ = false;
};

}  // namespace

Mp3Info probeMp3(const std::string& nativePath) {
  Mp3Info info;
  Handle handle;
  if (!openStream(handle, nativePath, info.format)) return info;
  if (mpg123_scan(handle.h) != MPG123_OK) return info;
  const off_t samples = mpg123_length(handle.h);
  if (samples <= 0) return info;
  const std::int64_t rate = info.format.sampleRate;
  info.lengthMs = (static_cast<std::int64_t>(samples) * 1000 + rate / 2) / rate;
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
