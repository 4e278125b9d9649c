// The mixer's rules for when the device stream is open, run against a model of a device on a
// virtual clock: the device plays its buffer at its rate and plays silence when it runs dry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/audio_mixer.h"

namespace {

using platform::AudioMixer;

constexpr int kRate = 48000;
constexpr std::int64_t kBufferFrames = kRate * 50 / 1000;

// A sound of `ms` milliseconds at the sink's rate whose every sample is `level`.
class Level : public platform::PcmSource {
 public:
  Level(std::int16_t level, std::int64_t ms) : level_(level), left_(ms * kRate / 1000) {}
  platform::PcmFormat format() const override { return {kRate, 1}; }
  std::size_t read(std::int16_t* out, std::size_t frames) override {
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left_, frames));
    std::fill_n(out, n, level_);
    left_ -= static_cast<std::int64_t>(n);
    return n;
  }

 private:
  std::int16_t level_;
  std::int64_t left_;
};

// What the device played, frame by frame (left channel), while a stream was open.
class ModelSink : public platform::MixerSink {
 public:
  bool open() override {
    if (!device) return false;
    ++opens;
    isOpen = true;
    buffer.clear();
    return true;
  }
  int sampleRate() const override { return kRate; }
  std::int64_t framesFree() override {
    if (failed) return -1;
    return kBufferFrames - static_cast<std::int64_t>(buffer.size());
  }
  void write(const std::int16_t* frames, std::size_t count) override {
    for (std::size_t i = 0; i < count; ++i) buffer.push_back(frames[2 * i]);
  }
  void close() override {
    isOpen = false;
    failed = false;
    buffer.clear();
  }
  // Plays one millisecond.
  void playOneMs() {
    if (!isOpen) return;
    for (int i = 0; i < kRate / 1000; ++i) {
      if (buffer.empty()) {
        played.push_back(0);
        continue;
      }
      played.push_back(buffer.front());
      buffer.pop_front();
    }
  }

  bool device = true;
  bool failed = false;
  bool isOpen = false;
  int opens = 0;
  std::deque<std::int16_t> buffer;
  std::vector<std::int16_t> played;
};

// The audio thread: runs the mixer when it asks, and at once when a sound is added.
class Mixing {
 public:
  Mixing() : mixer(sink) {}

  std::shared_ptr<AudioMixer::Voice> play(std::int16_t level, std::int64_t ms) {
    auto voice = mixer.add(std::make_unique<Level>(level, ms));
    next_ = mixer.run(now_);
    return voice;
  }
  void advance(std::int64_t ms) {
    for (std::int64_t i = 0; i < ms; ++i) {
      ++now_;
      sink.playOneMs();
      if (next_ && *next_ <= now_) next_ = mixer.run(now_);
    }
  }
  // Where the device played `level` first, and for how many frames in a row.
  std::pair<std::ptrdiff_t, std::size_t> heard(std::int16_t level) const {
    const auto first = std::find(sink.played.begin(), sink.played.end(), level);
    const auto end = std::find_if(first, sink.played.end(), [&](auto s) { return s != level; });
    return {first - sink.played.begin(), static_cast<std::size_t>(end - first)};
  }
  std::optional<std::int64_t> nextRun() const { return next_; }

  ModelSink sink;
  AudioMixer mixer;

 private:
  std::int64_t now_ = 0;
  std::optional<std::int64_t> next_;
};

TEST(AudioMixer, ASoundOpensTheStreamAndIsHeardFromItsFirstFrameToItsLast) {
  Mixing m;
  EXPECT_FALSE(m.sink.isOpen);
  m.advance(5000);  // a long silence: nothing open
  EXPECT_EQ(m.sink.opens, 0);
  const std::size_t before = m.sink.played.size();
  m.play(1000, 300);
  EXPECT_TRUE(m.sink.isOpen);
  m.advance(1000);
  // The first frame is the first one the device plays, and none is missing up to the last.
  EXPECT_EQ(m.heard(1000), std::make_pair(static_cast<std::ptrdiff_t>(before),
                                          static_cast<std::size_t>(300 * kRate / 1000)));
}

TEST(AudioMixer, SoundsAMomentApartShareOneStreamWhichClosesAfterTheLast) {
  Mixing m;
  auto first = m.play(1000, 200);
  m.advance(200 + AudioMixer::kCloseAfterSilenceMs / 2);
  EXPECT_TRUE(first->ended);
  auto second = m.play(2000, 200);
  m.advance(200 + AudioMixer::kCloseAfterSilenceMs / 2);
  EXPECT_EQ(m.sink.opens, 1);
  EXPECT_TRUE(m.sink.isOpen);
  EXPECT_EQ(m.heard(2000).second, static_cast<std::size_t>(200 * kRate / 1000));
  m.advance(AudioMixer::kCloseAfterSilenceMs);
  EXPECT_FALSE(m.sink.isOpen);
  // Closed, the mixer asks to run again only when a sound comes.
  EXPECT_FALSE(m.nextRun().has_value());
}

TEST(AudioMixer, OverlappingSoundsAreAdded) {
  Mixing m;
  m.play(1000, 400);
  m.advance(100);
  m.play(500, 100);
  m.advance(500);
  EXPECT_EQ(m.heard(1500).second, static_cast<std::size_t>(100 * kRate / 1000));
}

TEST(AudioMixer, AStoppedSoundIsNotMixedFurther) {
  Mixing m;
  auto voice = m.play(1000, 1000);
  m.advance(100);
  voice->stopped = true;
  m.advance(1000);
  // What the buffer held still plays; nothing after it.
  EXPECT_LE(m.heard(1000).second, static_cast<std::size_t>((100 + 50 + 10) * kRate / 1000));
  EXPECT_LT(voice->framesPlayed, kRate / 4);
}

TEST(AudioMixer, AFailedStreamIsClosedAndTheNextSoundOpensANewOne) {
  Mixing m;
  auto lost = m.play(1000, 500);
  m.advance(100);
  m.sink.failed = true;
  m.advance(20);
  EXPECT_FALSE(m.sink.isOpen);
  EXPECT_TRUE(lost->ended);
  EXPECT_TRUE(lost->unheard);
  m.play(2000, 100);
  m.advance(200);
  EXPECT_EQ(m.sink.opens, 2);
  EXPECT_EQ(m.heard(2000).second, static_cast<std::size_t>(100 * kRate / 1000));
}

TEST(AudioMixer, WithoutADeviceASoundEndsUnheardAndTheNextOneTriesAgain) {
  Mixing m;
  m.sink.device = false;
  auto voice = m.play(1000, 100);
  EXPECT_TRUE(voice->ended);
  EXPECT_TRUE(voice->unheard);
  EXPECT_FALSE(m.nextRun().has_value());
  m.sink.device = true;
  m.play(1000, 100);
  m.advance(200);
  EXPECT_EQ(m.heard(1000).second, static_cast<std::size_t>(100 * kRate / 1000));
}

}  // namespace
