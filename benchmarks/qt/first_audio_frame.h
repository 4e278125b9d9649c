#pragma once

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <functional>

#include "platform/qt/qt_audio.h"

// Times, for each iteration, a user action that starts a sound, from the action to the sound's
// first frames mixed into the sink's buffer. Each action follows right after the last one was
// heard, while the device stream is open. Skips with an error without a sound device.
inline void timeToFirstAudioFrame(benchmark::State& state, platform::qt::QtAudioOutput& audio,
                                  const std::function<void()>& action) {
  using Clock = std::chrono::steady_clock;
  std::atomic<std::int64_t> heardAt{0};
  audio.setFirstFrameObserver([&] { heardAt = Clock::now().time_since_epoch().count(); });
  audio.warmUp();
  // A device that stalls ends the run instead of hanging it.
  const auto actAndWait = [&] {
    heardAt = 0;
    action();
    const auto giveUp = Clock::now() + std::chrono::seconds(3);
    while (heardAt == 0 && Clock::now() < giveUp) {
    }
    return heardAt != 0;
  };
  // The first sound connects to the sound server, which takes a while; that is not the
  // action's latency.
  bool heard = false;
  for (int i = 0; i < 5; ++i) heard = actAndWait();
  if (!heard) state.SkipWithError("no sound device");
  for (auto _ : state) {
    if (!heard) break;
    const auto start = Clock::now();
    if (!actAndWait()) {
      state.SkipWithError("the sink stopped taking frames");
      break;
    }
    const Clock::time_point at{Clock::duration(heardAt.load())};
    state.SetIterationTime(std::chrono::duration<double>(at - start).count());
  }
  audio.setFirstFrameObserver({});
}
