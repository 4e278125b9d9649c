#include "platform/audio_mixer.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int kSinkChannels = 2;
constexpr std::size_t kChunkFrames = 1024;

}  // namespace

bool AudioMixer::Voice::nextFrame(std::int16_t out[2]) {
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

void AudioMixer::Voice::mixInto(std::int32_t* mix, std::size_t frames, int rate) {
  if (!primed) {
    primed = true;
    if (!nextFrame(a)) {
      ended = true;
      return;
    }
    holdLast();
  }
  const double step = static_cast<double>(format.sampleRate) / rate;
  std::int64_t played = framesPlayed.load(std::memory_order_relaxed);
  for (std::size_t i = 0; i < frames; ++i) {
    while (phase >= 1.0) {
      ++played;
      if (sourceDone) {
        framesPlayed.store(played, std::memory_order_relaxed);
        ended = true;
        return;
      }
      phase -= 1.0;
      a[0] = b[0];
      a[1] = b[1];
      holdLast();
    }
    mix[2 * i] += static_cast<std::int32_t>(a[0] + (b[0] - a[0]) * phase);
    mix[2 * i + 1] += static_cast<std::int32_t>(a[1] + (b[1] - a[1]) * phase);
    phase += step;
  }
  framesPlayed.store(played, std::memory_order_relaxed);
}

// The next frame into `b`; past the source's end `b` holds the last one, so that it is played
// too.
void AudioMixer::Voice::holdLast() {
  if (nextFrame(b)) return;
  b[0] = a[0];
  b[1] = a[1];
  sourceDone = true;
}

AudioMixer::~AudioMixer() {
  std::lock_guard lock(mutex_);
  for (const auto& v : voices_) v->stopped = true;
}

std::shared_ptr<AudioMixer::Voice> AudioMixer::add(std::unique_ptr<PcmSource> source) {
  auto voice = std::make_shared<Voice>();
  voice->format = source->format();
  voice->source = std::move(source);
  if (voice->format.channels <= 0 || voice->format.sampleRate <= 0) {
    voice->ended = true;
    voice->unheard = true;
    return voice;
  }
  std::lock_guard lock(mutex_);
  voices_.push_back(voice);
  return voice;
}

bool AudioMixer::busy() {
  std::lock_guard lock(mutex_);
  return std::any_of(voices_.begin(), voices_.end(),
                     [](const auto& v) { return !v->ended && !v->stopped; });
}

void AudioMixer::setFirstFrameObserver(std::function<void()> observer) {
  std::lock_guard lock(mutex_);
  firstFrame_ = std::move(observer);
}

// The sounds that were to be heard follow the clock instead; the next sound tries again.
void AudioMixer::fail(const std::vector<std::shared_ptr<Voice>>& voices) {
  for (const auto& v : voices) {
    v->unheard = true;
    v->ended = true;
  }
  std::lock_guard lock(mutex_);
  std::erase_if(voices_, [](const auto& v) { return v->ended.load(); });
}

std::optional<std::int64_t> AudioMixer::run(std::int64_t nowMs) {
  std::vector<std::shared_ptr<Voice>> voices;
  std::function<void()> firstFrame;
  {
    std::lock_guard lock(mutex_);
    std::erase_if(voices_, [](const auto& v) { return v->ended || v->stopped; });
    voices = voices_;
    firstFrame = firstFrame_;
  }
  if (voices.empty()) {
    if (!open_) return std::nullopt;
    if (nowMs - lastSoundMs_ < kCloseAfterSilenceMs) return lastSoundMs_ + kCloseAfterSilenceMs;
    sink_.close();
    open_ = false;
    return std::nullopt;
  }
  if (!open_ && !sink_.open()) {
    fail(voices);
    return std::nullopt;
  }
  open_ = true;
  const std::int64_t free = sink_.framesFree();
  if (free < 0) {
    sink_.close();
    open_ = false;
    fail(voices);
    return std::nullopt;
  }
  lastSoundMs_ = nowMs;
  const auto frames = static_cast<std::size_t>(free);
  if (frames > 0) {
    mix_.assign(frames * kSinkChannels, 0);
    for (const auto& v : voices) {
      if (v->stopped) continue;
      v->mixInto(mix_.data(), frames, sink_.sampleRate());
      if (!v->mixedOnce) {
        v->mixedOnce = true;
        if (firstFrame) firstFrame();
      }
    }
    out_.resize(mix_.size());
    std::transform(mix_.begin(), mix_.end(), out_.begin(), [](std::int32_t s) {
      return static_cast<std::int16_t>(std::clamp(s, -32768, 32767));
    });
    sink_.write(out_.data(), frames);
  }
  return nowMs + kTopUpEveryMs;
}

}  // namespace platform
