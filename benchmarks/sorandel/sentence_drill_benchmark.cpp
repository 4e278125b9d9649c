#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "benchmarks/sorandel/qt_layout_backend.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"

namespace {

// One step of the drill, as the next button or the automatic advance takes it: the item's
// lookup, its captions, the recording opened and started, the box emptied. No sound device:
// the headless clock plays the recording.
void BM_DrillNextItem(benchmark::State& bench) {
  test_support::ProgramFolder folder;
  addLesson(folder, "Lesson1基本课文", 200, "sentence");
  std::ifstream in(std::filesystem::path(SORANDEL_FIXTURES) / "tone_1200ms.mp3", std::ios::binary);
  folder.putFile("\\music\\sentence.mp3",
                 std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  QtLayoutBackend backend;
  platform::Runtime runtime(backend, folder.path());
  SorandelState state;
  initGlobals(state);
  MainWindow& window = runtime.start<MainWindow>(state);
  window.navigation.mainMenuItemClicked(0, 1);
  if (state.drillCount != 200) bench.SkipWithError("drill list not loaded");
  for (auto _ : bench) {
    if (state.drillIndex + 1 >= state.drillCount) {
      // Back before the first item, outside the timing, so the next step shows it.
      bench.PauseTiming();
      state.drillIndex = -1;
      bench.ResumeTiming();
    }
    window.drill.nextDrillItemClicked();
  }
  if (window.媒体播放1.getState() != platform::MediaPlayer::kPlaying)
    bench.SkipWithError("the recording did not start");
}
BENCHMARK(BM_DrillNextItem)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
