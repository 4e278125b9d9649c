#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// Signed 16-bit interleaved PCM.
struct PcmFormat {
  int sampleRate = 0;
  int channels = 0;
};

// Decoded sound, pulled frame by frame. It shares nothing with the player that made it, so a
// backend may read it on its own audio thread (one thread at a time).
class PcmSource {
 public:
  virtual ~PcmSource() = default;
  virtual PcmFormat format() const = 0;
  // Fills up to `frames` frames (frames x channels samples); returns how many, 0 at the end.
  virtual std::size_t read(std::int16_t* out, std::size_t frames) = 0;
};

// One sound being played.
class AudioStream {
 public:
  virtual ~AudioStream() = default;
  // Milliseconds played so far.
  virtual std::int64_t playedMs() const = 0;
  // True once the whole sound has been played (or the stream failed); a stopped stream too.
  virtual bool finished() const = 0;
  // Silences the stream at once.
  virtual void stop() = 0;
};

// Where recordings are heard: the Qt backend plays to the sound card, the headless backend
// plays on the virtual clock.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Starts playing at once, in the background. `lengthMs` is the sound's exact length.
  virtual std::unique_ptr<AudioStream> play(std::unique_ptr<PcmSource> source,
                                            std::int64_t lengthMs) = 0;
};

}  // namespace platform
