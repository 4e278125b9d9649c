#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/audio_output.h"

namespace platform {

// A device stream the mixer writes to: 16-bit stereo frames at the rate it was opened with.
class MixerSink {
 public:
  virtual ~MixerSink() = default;
  // Opens a new stream; false when there is no device to open.
  virtual bool open() = 0;
  virtual int sampleRate() const = 0;
  // Frames the stream takes now without waiting; -1 once the stream has failed.
  virtual std::int64_t framesFree() = 0;
  virtual void write(const std::int16_t* frames, std::size_t count) = 0;
  virtual void close() = 0;
};

// Mixes every sound that plays (recordings and effects, which may overlap) into one sink that
// is open only while there is something to hear, so that an idle program and sound server both
// sleep:
// - a sound that starts opens the sink if it is closed and fills its buffer at once, the sound's
//   first frame first;
// - while sounds play, the buffer is topped up often enough that it never runs dry;
// - the sink closes after a silence, so sounds a moment apart share one stream;
// - a sink that fails is closed, and the next sound opens a new one.
class AudioMixer {
 public:
  // How often the sink's buffer is topped up while sounds play: well inside the buffer's length.
  static constexpr std::int64_t kTopUpEveryMs = 10;
  // The silence after which the sink closes.
  static constexpr std::int64_t kCloseAfterSilenceMs = 1500;

  // One sound. Its counters are read by any thread; the rest belongs to the mixer.
  struct Voice {
    std::unique_ptr<PcmSource> source;
    PcmFormat format;
    std::atomic<std::int64_t> framesPlayed{0};
    // Every frame has gone to the sink, or the sound could not be played.
    std::atomic<bool> ended{false};
    std::atomic<bool> stopped{false};
    // No device took the sound (none there, or it failed while the sound played).
    std::atomic<bool> unheard{false};

    std::vector<std::int16_t> chunk;
    std::size_t chunkFrames = 0;
    std::size_t chunkNext = 0;
    double phase = 0;
    std::int16_t a[2] = {0, 0};
    std::int16_t b[2] = {0, 0};
    bool primed = false;
    bool sourceDone = false;
    bool mixedOnce = false;

    bool nextFrame(std::int16_t out[2]);
    void holdLast();
    // Adds up to `frames` frames at `rate` into `mix`, resampling linearly.
    void mixInto(std::int32_t* mix, std::size_t frames, int rate);
  };

  explicit AudioMixer(MixerSink& sink) : sink_(sink) {}
  ~AudioMixer();
  AudioMixer(const AudioMixer&) = delete;
  AudioMixer& operator=(const AudioMixer&) = delete;

  // Adds a sound (any thread); it is heard from the next run(). A source without a playable
  // format gives a voice that has already ended.
  std::shared_ptr<Voice> add(std::unique_ptr<PcmSource> source);
  // Opens, fills, tops up and closes the sink as the rules above say (the audio thread). Returns
  // when to run next; nothing when only a new sound needs a run.
  std::optional<std::int64_t> run(std::int64_t nowMs);
  bool sinkOpen() const { return open_; }
  // True while some sound has frames left to play (any thread).
  bool busy();
  // Called (audio thread) whenever the first frames of a sound go to the sink.
  void setFirstFrameObserver(std::function<void()> observer);

 private:
  void fail(const std::vector<std::shared_ptr<Voice>>& voices);

  MixerSink& sink_;
  std::mutex mutex_;
  std::vector<std::shared_ptr<Voice>> voices_;
  std::function<void()> firstFrame_;
  bool open_ = false;
  std::int64_t lastSoundMs_ = 0;
  std::vector<std::int32_t> mix_;
  std::vector<std::int16_t> out_;
};

}  // namespace platform
