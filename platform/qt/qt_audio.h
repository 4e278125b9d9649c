#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_output.h"

class QThread;

namespace platform::qt {

// Sound to the default output device: one sink, opened once on an audio thread of its own with
// a short buffer, mixes every sound that plays (recordings and effects, which may overlap), so
// a new sound is heard as soon as the sink next asks for data, without opening a device.
//
// Without a device (or when silent) nothing is heard, nothing fails and nothing waits: a
// recording's position then follows the clock, so that what polls it behaves as with sound.
class QtAudioOutput : public AudioOutput {
 public:
  using Clock = std::function<std::int64_t()>;
  QtAudioOutput(Clock clock, bool silent);
  ~QtAudioOutput() override;
  QtAudioOutput(const QtAudioOutput&) = delete;
  QtAudioOutput& operator=(const QtAudioOutput&) = delete;

  std::unique_ptr<AudioStream> play(std::unique_ptr<PcmSource> source,
                                    std::int64_t lengthMs) override;
  // A sound effect: plays to its end unless the output goes away first.
  void playEffect(std::unique_ptr<PcmSource> source);

  // False until the device has been opened, and when there is none.
  bool hasDevice() const;
  // Runs on the audio thread whenever the first frames of a sound go to the sink (benchmarks).
  void setFirstFrameObserver(std::function<void()> observer);

  struct Voice;
  struct Shared;

 private:
  std::shared_ptr<Voice> start(std::unique_ptr<PcmSource> source, std::int64_t lengthMs);

  Clock clock_;
  std::shared_ptr<Shared> shared_;
  QThread* thread_ = nullptr;
};

}  // namespace platform::qt
