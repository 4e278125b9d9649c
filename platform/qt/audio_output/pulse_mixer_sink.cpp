#include <errno.h>
#include <pulse/pulseaudio.h>

#include <chrono>
#include <cstdint>

#include "platform/qt/mixer_sink_module.h"

namespace platform::qt {

namespace {

// Total latency asked of the server (stream buffer plus device): long enough that a top-up every
// 10 ms never lets it run dry, short enough that a sound is heard as soon as it is written.
constexpr int kLatencyMs = 50;
constexpr int kRate = 48000;
constexpr int kFrameBytes = 2 * sizeof(std::int16_t);
// How long connecting to the server or opening a stream may take before the sound is given up:
// a local server answers in a few milliseconds; one that hangs must not hold the mixer for long.
constexpr auto kConnectTimeout = std::chrono::milliseconds(500);

// A playback stream on the sound server's default sink, driven from the mixer's thread through a
// main loop of its own that is run only when the mixer calls.
//
// The connection to the server is made anew whenever the last one is gone: after the server
// restarted, or when it came up after the program, the next sound connects again and is heard.
// (Qt Multimedia's engine connects once per process, so it stays silent in both cases.)
class PulseMixerSink : public MixerSink {
 public:
  // Connects now, so that the first sound does not wait for it.
  PulseMixerSink() : loop_(pa_mainloop_new()) { connect(); }

  ~PulseMixerSink() override {
    close();
    dropContext();
    pa_mainloop_free(loop_);
  }
  PulseMixerSink(const PulseMixerSink&) = delete;
  PulseMixerSink& operator=(const PulseMixerSink&) = delete;

  bool open() override {
    close();
    if (!connected() && !connect()) return false;
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 2};
    stream_ = pa_stream_new(context_, "sound", &spec, nullptr);
    if (stream_ == nullptr) return false;
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kLatencyMs * 1000, &spec));
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0 ||
        !waitUntil([this] { return streamState(); })) {
      close();
      // A stream the server refused may mean the connection itself is gone.
      if (!connected()) dropContext();
      return false;
    }
    return true;
  }

  int sampleRate() const override { return kRate; }

  std::int64_t framesFree() override {
    dispatch();
    if (stream_ == nullptr || streamState() != Ready) return -1;
    const std::size_t bytes = pa_stream_writable_size(stream_);
    if (bytes == static_cast<std::size_t>(-1)) return -1;
    return static_cast<std::int64_t>(bytes / kFrameBytes);
  }

  void write(const std::int16_t* frames, std::size_t count) override {
    if (stream_ == nullptr) return;
    pa_stream_write(stream_, frames, count * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
    // What was written goes to the server now, not at the next top-up.
    dispatch();
  }

  void close() override {
    if (stream_ == nullptr) return;
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
    dispatch();
  }

 private:
  enum State { Waiting, Ready, Failed };

  State contextState() const {
    const pa_context_state_t state = pa_context_get_state(context_);
    if (state == PA_CONTEXT_READY) return Ready;
    return PA_CONTEXT_IS_GOOD(state) ? Waiting : Failed;
  }

  State streamState() const {
    const pa_stream_state_t state = pa_stream_get_state(stream_);
    if (state == PA_STREAM_READY) return Ready;
    return PA_STREAM_IS_GOOD(state) ? Waiting : Failed;
  }

  // Handles what the server sent, without waiting.
  void dispatch() {
    while (pa_mainloop_iterate(loop_, 0, nullptr) > 0) {
    }
  }

  // Runs the loop until `state` is no longer Waiting or the time is up.
  template <typename StateOf>
  bool waitUntil(StateOf state) {
    const auto deadline = std::chrono::steady_clock::now() + kConnectTimeout;
    for (State s = state(); s != Ready; s = state()) {
      const auto left = deadline - std::chrono::steady_clock::now();
      if (s == Failed || left <= std::chrono::steady_clock::duration::zero()) return false;
      if (pa_mainloop_prepare(
              loop_, static_cast<int>(
                         std::chrono::duration_cast<std::chrono::microseconds>(left).count())) <
              0 ||
          pa_mainloop_poll(loop_) < 0 || pa_mainloop_dispatch(loop_) < 0) {
        return false;
      }
    }
    return true;
  }

  bool connected() {
    if (context_ == nullptr) return false;
    dispatch();
    if (contextState() == Ready) return true;
    dropContext();
    return false;
  }

  bool connect() {
    // The program's name, as the server's client list shows it.
    context_ = pa_context_new(pa_mainloop_get_api(loop_), program_invocation_short_name);
    if (context_ == nullptr) return false;
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        !waitUntil([this] { return contextState(); })) {
      dropContext();
      return false;
    }
    return true;
  }

  void dropContext() {
    if (context_ == nullptr) return;
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
  }

  pa_mainloop* loop_;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
};

}  // namespace

}  // namespace platform::qt

extern "C" __attribute__((visibility("default"))) platform::MixerSink* sorandelCreateMixerSink() {
  return new platform::qt::PulseMixerSink;
}
