// Run with QT_QPA_PLATFORM=offscreen and a sound device (a PulseAudio null sink will do); it
// reports an error without one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "benchmarks/qt/qt_bench_support.h"
#include "platform/qt/qt_audio.h"
#include "platform/qt/qt_backend.h"
#include "tavolin/compact_window.h"
#include "tavolin/program.h"
#include "tests/support/program_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

int argc = 1;
char name[] = "tavolin_benchmarks";
char* argv[] = {name, nullptr};

// A course of twelve sentences, each with a recording of 3.2 s.
void addCourse(test_support::ProgramFolder& folder) {
  std::ifstream in(std::filesystem::path(TAVOLIN_FIXTURES) / "tone_3200ms.mp3", std::ios::binary);
  const std::string recording(std::istreambuf_iterator<char>(in), {});
  folder.addCourse("Lesson1  家庭问候", "Lesson1");
  for (int i = 0; i < 12; ++i) {
    const std::string key = "1S" + std::to_string(10 + i);
    folder.addItem("Lesson1基本课文", key, "いってらっしゃい。気をつけてね。", "慢走，路上小心哦。",
                   key);
    folder.putFile("\\music\\" + key + ".mp3", recording);
  }
}

// From building the bar (its created handler reads the settings, queries the list and the
// first item and opens its MP3) to the first frames of that recording mixed into the sink.
void BM_StartToFirstRecordingFrame(benchmark::State& state) {
  ensureApplication(argc, argv);
  test_support::ProgramFolder folder;
  addCourse(folder);
  platform::QtBackend backend(argc, argv);
  std::atomic<std::int64_t> heardAt{0};
  backend.qtAudio().setFirstFrameObserver(
      [&] { heardAt = Clock::now().time_since_epoch().count(); });
  const auto runOnce = [&](std::chrono::seconds limit) -> std::optional<double> {
    heardAt = 0;
    const auto start = Clock::now();
    auto rt = std::make_unique<platform::Runtime>(backend, folder.path());
    TavolinState globals;
    tavolin::initGlobals(globals);
    rt->start<CompactWindow>(globals);
    while (heardAt == 0 && Clock::now() < start + limit) backend.processEvents();
    std::optional<double> seconds;
    if (heardAt != 0) {
      const Clock::time_point heard{Clock::duration(heardAt.load())};
      seconds = std::chrono::duration<double>(heard - start).count();
    }
    rt.reset();
    backend.processEvents();
    return seconds;
  };
  // The first sound connects to the sound server, which takes a while; that is not a start's
  // latency as a learner meets it twice a day.
  if (!runOnce(std::chrono::seconds(5))) {
    state.SkipWithError("no sound device");
    backend.qtAudio().setFirstFrameObserver({});
    return;
  }
  for (auto _ : state) {
    const std::optional<double> seconds = runOnce(std::chrono::seconds(3));
    if (!seconds) {
      state.SkipWithError("the sink stopped taking frames");
      break;
    }
    state.SetIterationTime(*seconds);
  }
  backend.qtAudio().setFirstFrameObserver({});
}
BENCHMARK(BM_StartToFirstRecordingFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
