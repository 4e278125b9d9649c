#include "platform/qt/qt_audio.h"

#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "platform/qt/mixer_sink_module.h"
#include "platform/system/program_module.h"

namespace platform::qt {

namespace {

// A sound whose end the device has not reported this long after its length is taken as ended,
// so that a stalled device cannot hold up what waits for the end.
constexpr std::int64_t kEndGraceMs = 2000;
// A program that ends lets the sounds it started just before play on this long at most (an exit
// click), and the device this long more to play what it holds.
constexpr int kPlayOnAtEndMs = 1000;
constexpr int kDeviceLatencyMs = 60;

std::int64_t steadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

// The device stream, made on the audio thread when the output first needs it. Without the
// audio output library there is no device.
class QtMixerSink : public MixerSink {
 public:
  explicit QtMixerSink(QtAudioOutput::SinkFactory factory) : factory_(std::move(factory)) {}
  void load() {
    if (factory_) {
      sink_ = factory_();
    } else if (auto create = reinterpret_cast<CreateMixerSink>(
                   resolveProgramModule(kAudioOutputLibrary, kCreateMixerSink))) {
      sink_.reset(create());
    }
  }
  bool open() override { return sink_ != nullptr && sink_->open(); }
  int sampleRate() const override { return sink_->sampleRate(); }
  std::int64_t framesFree() override { return sink_->framesFree(); }
  void write(const std::int16_t* frames, std::size_t count) override {
    sink_->write(frames, count);
  }
  void close() override {
    if (sink_ != nullptr) sink_->close();
  }

 private:
  QtAudioOutput::SinkFactory factory_;
  std::unique_ptr<MixerSink> sink_;
};

namespace {

class QtStream : public AudioStream {
 public:
  QtStream(std::shared_ptr<AudioMixer::Voice> voice, std::int64_t lengthMs,
           QtAudioOutput::Clock clock)
      : voice_(std::move(voice)),
        lengthMs_(lengthMs),
        clock_(std::move(clock)),
        startedAtMs_(clock_()) {}
  ~QtStream() override { voice_->stopped = true; }

  std::int64_t playedMs() const override {
    if (voice_->unheard) return std::min(elapsedMs(), lengthMs_);
    const std::int64_t frames = voice_->framesPlayed.load(std::memory_order_relaxed);
    return std::min(frames * 1000 / std::max(1, voice_->format.sampleRate), lengthMs_);
  }
  bool finished() const override {
    if (voice_->stopped) return true;
    if (voice_->unheard) return elapsedMs() >= lengthMs_;
    return voice_->ended || elapsedMs() >= lengthMs_ + kEndGraceMs;
  }
  void stop() override { voice_->stopped = true; }

 private:
  std::int64_t elapsedMs() const { return clock_() - startedAtMs_; }

  std::shared_ptr<AudioMixer::Voice> voice_;
  std::int64_t lengthMs_;
  QtAudioOutput::Clock clock_;
  std::int64_t startedAtMs_;
};

}  // namespace

QtAudioOutput::QtAudioOutput(Clock clock, bool silent, SinkFactory sinkFactory)
    : clock_(std::move(clock)),
      silent_(silent),
      sink_(std::make_unique<QtMixerSink>(std::move(sinkFactory))),
      mixer_(std::make_unique<AudioMixer>(*sink_)) {
  if (silent) return;
  thread_ = new QThread;
  thread_->setObjectName("audio");
  owner_ = new QObject;
  timer_ = new QTimer(owner_);
  timer_->setSingleShot(true);
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_, &QTimer::timeout, owner_, [this] { runMixer(); });
  owner_->moveToThread(thread_);
  QObject::connect(thread_, &QThread::finished, owner_, &QObject::deleteLater);
  thread_->start(QThread::TimeCriticalPriority);
}

QtAudioOutput::~QtAudioOutput() {
  if (thread_ != nullptr) {
    if (mixer_->busy()) {
      for (int waited = 0; mixer_->busy() && waited < kPlayOnAtEndMs; waited += 10) {
        QThread::msleep(10);
      }
      QThread::msleep(kDeviceLatencyMs);
    }
    // The device stream belongs to the audio thread: closed there, before it ends.
    QMetaObject::invokeMethod(
        owner_,
        [this] {
          timer_->stop();
          if (mixer_->sinkOpen()) sink_->close();
        },
        Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete thread_;
  }
}

void QtAudioOutput::runMixer() {
  const std::int64_t now = steadyMs();
  const std::optional<std::int64_t> next = mixer_->run(now);
  open_ = mixer_->sinkOpen();
  if (next) {
    timer_->start(static_cast<int>(std::max<std::int64_t>(*next - now, 0)));
  } else {
    timer_->stop();
  }
}

void QtAudioOutput::load() {
  if (warm_) return;
  sink_->load();
  warm_ = true;
}

void QtAudioOutput::warmUp() {
  if (thread_ == nullptr) return;
  QMetaObject::invokeMethod(owner_, [this] { load(); });
}

bool QtAudioOutput::hasDevice() const { return open_; }

void QtAudioOutput::setFirstFrameObserver(std::function<void()> observer) {
  mixer_->setFirstFrameObserver(std::move(observer));
}

std::shared_ptr<AudioMixer::Voice> QtAudioOutput::start(std::unique_ptr<PcmSource> source) {
  if (silent_) {
    auto voice = std::make_shared<AudioMixer::Voice>();
    voice->format = source->format();
    voice->ended = true;
    voice->unheard = true;
    return voice;
  }
  std::shared_ptr<AudioMixer::Voice> voice = mixer_->add(std::move(source));
  if (!voice->ended) {
    // Mixed at once on the audio thread, so that the sound's first frame goes out now.
    QMetaObject::invokeMethod(owner_, [this] {
      load();
      runMixer();
    });
  }
  return voice;
}

std::unique_ptr<AudioStream> QtAudioOutput::play(std::unique_ptr<PcmSource> source,
                                                 std::int64_t lengthMs) {
  return std::make_unique<QtStream>(start(std::move(source)), lengthMs, clock_);
}

void QtAudioOutput::playEffect(std::unique_ptr<PcmSource> source) {
  if (source != nullptr) start(std::move(source));
}

}  // namespace platform::qt
