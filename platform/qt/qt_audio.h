#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/audio_mixer.h"
#include "platform/audio_output.h"

class QThread;
class QObject;
class QTimer;

namespace platform::qt {

class QtMixerSink;

// Sound to the default output device through one mixer on an audio thread of its own. The
// device stream is open only while something plays (see AudioMixer), so an idle program costs
// the sound server nothing.
//
// Without a device (or when silent) nothing is heard, nothing fails and nothing waits: a
// recording's position then follows the clock, so that what polls it behaves as with sound.
class QtAudioOutput : public AudioOutput {
 public:
  using Clock = std::function<std::int64_t()>;
  // Makes the device stream; empty for the one of the audio output library beside the program.
  using SinkFactory = std::function<std::unique_ptr<MixerSink>()>;
  QtAudioOutput(Clock clock, bool silent, SinkFactory sinkFactory = {});
  ~QtAudioOutput() override;
  QtAudioOutput(const QtAudioOutput&) = delete;
  QtAudioOutput& operator=(const QtAudioOutput&) = delete;

  std::unique_ptr<AudioStream> play(std::unique_ptr<PcmSource> source,
                                    std::int64_t lengthMs) override;
  // A sound effect: plays to its end unless the output goes away first.
  void playEffect(std::unique_ptr<PcmSource> source);

  // Loads the sound device's library and connects to the sound server, on the audio thread, so
  // that the first sound need not wait for them. The first sound loads them itself if nothing
  // did before, and plays from its first frame once the device is there.
  void warmUp();
  // True while the device stream is open, that is while sounds play and for a moment after.
  bool hasDevice() const;
  // Runs on the audio thread whenever the first frames of a sound go to the sink (benchmarks).
  void setFirstFrameObserver(std::function<void()> observer);

 private:
  std::shared_ptr<AudioMixer::Voice> start(std::unique_ptr<PcmSource> source);
  // Runs the mixer on the audio thread and arms its timer for the next run.
  void runMixer();
  // The audio thread's: loads the device library once.
  void load();

  Clock clock_;
  bool silent_;
  QThread* thread_ = nullptr;
  QObject* owner_ = nullptr;
  QTimer* timer_ = nullptr;
  std::unique_ptr<QtMixerSink> sink_;
  std::unique_ptr<AudioMixer> mixer_;
  std::atomic<bool> open_{false};
  // The audio thread's: the device library is loaded.
  bool warm_ = false;
};

}  // namespace platform::qt
