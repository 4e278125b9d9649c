#include "platform/qt/qt_audio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <limits>

namespace platform::qt {

namespace {

constexpr int kOutputChannels = 2;
// The sink's buffer: short, so that a click is heard within a few tens of milliseconds.
constexpr int kBufferMs = 30;
// A sound whose end the device has not reported this long after its length is taken as ended,
// so that a stalled device cannot hold up what waits for the end.
constexpr std::int64_t kEndGraceMs = 2000;
constexpr std::size_t kChunkFrames = 1024;

enum DeviceState { kProbing = 0, kOpen = 1, kNone = -1 };

}  // namespace

struct QtAudioOutput::Voice {
  std::unique_ptr<PcmSource> source;
  PcmFormat format;
  std::int64_t lengthMs = 0;
  std::int64_t startedAtMs = 0;
  std::atomic<std::int64_t> framesPlayed{0};
  std::atomic<bool> ended{false};
  std::atomic<bool> stopped{false};

  // Mixer side only.
  std::vector<std::int16_t> chunk;
  std::size_t chunkFrames = 0;
  std::size_t chunkNext = 0;
  double phase = 0;
  std::int16_t a[2] = {0, 0};
  std::int16_t b[2] = {0, 0};
  bool primed = false;
  bool mixedOnce = false;

  bool nextFrame(std::int16_t out[2]) {
    if (chunkNext == chunkFrames) {
      const auto channels = static_cast<std::size_t>(format.channels);
      chunk.resize(kChunkFrames * channels);
      chunkFrames = source->read(chunk.data(), kChunkFrames);
      chunkNext = 0;
      if (chunkFrames == 0) return false;
    }
    const std::int16_t* f = chunk.data() + chunkNext * static_cast<std::size_t>(format.channels);
    out[0] = f[0];
    out[1] = format.channels > 1 ? f[1] : f[0];
    ++chunkNext;
    return true;
  }

  // Adds up to `frames` frames at `rate` into `mix`, resampling linearly.
  void mixInto(std::int32_t* mix, std::size_t frames, int rate) {
    if (!primed) {
      primed = true;
      if (!nextFrame(a) || !nextFrame(b)) {
        ended = true;
        return;
      }
    }
    const double step = static_cast<double>(format.sampleRate) / rate;
    std::int64_t played = framesPlayed.load(std::memory_order_relaxed);
    for (std::size_t i = 0; i < frames; ++i) {
      while (phase >= 1.0) {
        phase -= 1.0;
        a[0] = b[0];
        a[1] = b[1];
        ++played;
        if (!nextFrame(b)) {
          framesPlayed.store(played, std::memory_order_relaxed);
          ended = true;
          return;
        }
      }
      mix[2 * i] += static_cast<std::int32_t>(a[0] + (b[0] - a[0]) * phase);
      mix[2 * i + 1] += static_cast<std::int32_t>(a[1] + (b[1] - a[1]) * phase);
      phase += step;
    }
    framesPlayed.store(played, std::memory_order_relaxed);
  }
};

struct QtAudioOutput::Shared {
  std::mutex mutex;
  std::vector<std::shared_ptr<Voice>> voices;
  std::function<void()> firstFrame;
  std::atomic<int> device{kProbing};
};

namespace {

// What the sink pulls: the sum of every voice, silence when none plays.
class MixerDevice : public QIODevice {
 public:
  MixerDevice(std::shared_ptr<QtAudioOutput::Shared> shared, int rate, QObject* parent)
      : QIODevice(parent), shared_(std::move(shared)), rate_(rate) {}

  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override { return std::numeric_limits<int>::max(); }

 protected:
  qint64 writeData(const char*, qint64) override { return -1; }

  qint64 readData(char* data, qint64 maxSize) override {
    const auto frames = static_cast<std::size_t>(
        maxSize / (kOutputChannels * static_cast<qint64>(sizeof(std::int16_t))));
    mix_.assign(frames * kOutputChannels, 0);
    std::vector<std::shared_ptr<QtAudioOutput::Voice>> voices;
    std::function<void()> firstFrame;
    {
      std::lock_guard lock(shared_->mutex);
      voices = shared_->voices;
      firstFrame = shared_->firstFrame;
    }
    for (const auto& v : voices) {
      if (v->stopped || v->ended) continue;
      v->mixInto(mix_.data(), frames, rate_);
      if (!v->mixedOnce) {
        v->mixedOnce = true;
        if (firstFrame) firstFrame();
      }
    }
    {
      std::lock_guard lock(shared_->mutex);
      std::erase_if(shared_->voices, [](const auto& v) { return v->ended || v->stopped; });
    }
    auto* out = reinterpret_cast<std::int16_t*>(data);
    for (std::size_t i = 0; i < mix_.size(); ++i) {
      out[i] = static_cast<std::int16_t>(std::clamp(mix_[i], -32768, 32767));
    }
    return static_cast<qint64>(frames * kOutputChannels * sizeof(std::int16_t));
  }

 private:
  std::shared_ptr<QtAudioOutput::Shared> shared_;
  int rate_;
  std::vector<std::int32_t> mix_;
};

// Opens the default device and starts the one sink; runs on the audio thread.
void openSink(QObject* owner, const std::shared_ptr<QtAudioOutput::Shared>& shared) {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) {
    shared->device = kNone;
    return;
  }
  QAudioFormat format;
  format.setChannelCount(kOutputChannels);
  format.setSampleFormat(QAudioFormat::Int16);
  format.setSampleRate(48000);
  if (!device.isFormatSupported(format)) format.setSampleRate(44100);
  if (!device.isFormatSupported(format))
    format.setSampleRate(device.preferredFormat().sampleRate());
  auto* sink = new QAudioSink(device, format, owner);
  sink->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
  auto* mixer = new MixerDevice(shared, format.sampleRate(), owner);
  mixer->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  QObject::connect(sink, &QAudioSink::stateChanged, owner, [sink, shared](QAudio::State state) {
    if (state == QAudio::StoppedState && sink->error() != QAudio::NoError) shared->device = kNone;
  });
  sink->start(mixer);
  shared->device = sink->error() == QAudio::NoError ? kOpen : kNone;
}

class QtStream : public AudioStream {
 public:
  QtStream(std::shared_ptr<QtAudioOutput::Voice> voice,
           std::shared_ptr<QtAudioOutput::Shared> shared, QtAudioOutput::Clock clock)
      : voice_(std::move(voice)), shared_(std::move(shared)), clock_(std::move(clock)) {}
  ~QtStream() override { voice_->stopped = true; }

  std::int64_t playedMs() const override {
    if (shared_->device != kOpen) return std::min(elapsedMs(), voice_->lengthMs);
    const std::int64_t frames = voice_->framesPlayed.load(std::memory_order_relaxed);
    return std::min(frames * 1000 / std::max(1, voice_->format.sampleRate), voice_->lengthMs);
  }
  bool finished() const override {
    if (voice_->stopped) return true;
    if (shared_->device != kOpen) return elapsedMs() >= voice_->lengthMs;
    return voice_->ended || elapsedMs() >= voice_->lengthMs + kEndGraceMs;
  }
  void stop() override { voice_->stopped = true; }

 private:
  std::int64_t elapsedMs() const { return clock_() - voice_->startedAtMs; }

  std::shared_ptr<QtAudioOutput::Voice> voice_;
  std::shared_ptr<QtAudioOutput::Shared> shared_;
  QtAudioOutput::Clock clock_;
};

}  // namespace

QtAudioOutput::QtAudioOutput(Clock clock, bool silent)
    : clock_(std::move(clock)), shared_(std::make_shared<Shared>()) {
  if (silent) {
    shared_->device = kNone;
    return;
  }
  thread_ = new QThread;
  thread_->setObjectName("audio");
  auto* owner = new QObject;
  owner->moveToThread(thread_);
  QObject::connect(thread_, &QThread::finished, owner, &QObject::deleteLater);
  thread_->start(QThread::TimeCriticalPriority);
  QMetaObject::invokeMethod(owner, [owner, shared = shared_] { openSink(owner, shared); });
}

QtAudioOutput::~QtAudioOutput() {
  {
    std::lock_guard lock(shared_->mutex);
    for (const auto& v : shared_->voices) v->stopped = true;
  }
  if (thread_ != nullptr) {
    thread_->quit();
    thread_->wait();
    delete thread_;
  }
}

bool QtAudioOutput::hasDevice() const { return shared_->device == kOpen; }

void QtAudioOutput::setFirstFrameObserver(std::function<void()> observer) {
  std::lock_guard lock(shared_->mutex);
  shared_->firstFrame = std::move(observer);
}

std::shared_ptr<QtAudioOutput::Voice> QtAudioOutput::start(std::unique_ptr<PcmSource> source,
                                                           std::int64_t lengthMs) {
  auto voice = std::make_shared<Voice>();
  voice->format = source->format();
  voice->lengthMs = lengthMs;
  voice->startedAtMs = clock_();
  const bool playable = voice->format.channels > 0 && voice->format.sampleRate > 0;
  voice->source = std::move(source);
  if (playable && shared_->device != kNone) {
    std::lock_guard lock(shared_->mutex);
    shared_->voices.push_back(voice);
  } else {
    voice->ended = true;
  }
  return voice;
}

std::unique_ptr<AudioStream> QtAudioOutput::play(std::unique_ptr<PcmSource> source,
                                                 std::int64_t lengthMs) {
  return std::make_unique<QtStream>(start(std::move(source), lengthMs), shared_, clock_);
}

void QtAudioOutput::playEffect(std::unique_ptr<PcmSource> source) {
  if (source != nullptr) start(std::move(source), 0);
}

}  // namespace platform::qt
