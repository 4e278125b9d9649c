#include "platform/qt/qt_audio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace platform::qt {

namespace {

// The device stream's buffer: long enough that a top-up every 10 ms never lets it run dry,
// short enough that a sound is heard as soon as it is written.
constexpr int kBufferMs = 50;
constexpr int kFrameBytes = 2 * sizeof(std::int16_t);
// A sound whose end the device has not reported this long after its length is taken as ended,
// so that a stalled device cannot hold up what waits for the end.
constexpr std::int64_t kEndGraceMs = 2000;

std::int64_t steadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

// A push-mode QAudioSink on the default device, made anew at each open: Qt asks the server
// for the size it was granted last time, so a reused sink's buffer shrinks with every start
// until it never plays again.
class QtMixerSink : public MixerSink {
 public:
  bool open() override {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    QAudioFormat format;
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    format.setSampleRate(48000);
    if (!device.isFormatSupported(format)) format.setSampleRate(44100);
    if (!device.isFormatSupported(format))
      format.setSampleRate(device.preferredFormat().sampleRate());
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
    io_ = sink_->start();
    if (io_ == nullptr || failed()) {
      close();
      return false;
    }
    rate_ = format.sampleRate();
    return true;
  }
  int sampleRate() const override { return rate_; }
  std::int64_t framesFree() override { return failed() ? -1 : sink_->bytesFree() / kFrameBytes; }
  void write(const std::int16_t* frames, std::size_t count) override {
    io_->write(reinterpret_cast<const char*>(frames), static_cast<qint64>(count) * kFrameBytes);
  }
  void close() override {
    if (sink_ != nullptr) sink_->stop();
    sink_.reset();
    io_ = nullptr;
  }

 private:
  // A buffer that ran dry between sounds is no failure.
  bool failed() const {
    const QAudio::Error error = sink_->error();
    return error != QAudio::NoError && error != QAudio::UnderrunError;
  }

  std::unique_ptr<QAudioSink> sink_;
  QIODevice* io_ = nullptr;
  int rate_ = 0;
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

QtAudioOutput::QtAudioOutput(Clock clock, bool silent)
    : clock_(std::move(clock)),
      silent_(silent),
      sink_(std::make_unique<QtMixerSink>()),
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
    QMetaObject::invokeMethod(owner_, [this] { runMixer(); });
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
