#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <memory>

#include "platform/qt/mixer_sink_module.h"

namespace platform::qt {

namespace {

// The device stream's buffer: long enough that a top-up every 10 ms never lets it run dry,
// short enough that a sound is heard as soon as it is written.
constexpr int kBufferMs = 50;
constexpr int kFrameBytes = 2 * sizeof(std::int16_t);

// A push-mode QAudioSink on the default device, made anew at each open: Qt asks the server
// for the size it was granted last time, so a reused sink's buffer shrinks with every start
// until it never plays again.
class DeviceMixerSink : public MixerSink {
 public:
  // Connects to the sound server now, so that the first sound does not wait for it.
  DeviceMixerSink() { QMediaDevices::defaultAudioOutput(); }

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

}  // namespace

}  // namespace platform::qt

extern "C" Q_DECL_EXPORT platform::MixerSink* sorandelCreateMixerSink() {
  return new platform::qt::DeviceMixerSink;
}
