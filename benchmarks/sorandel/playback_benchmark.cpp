#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "benchmarks/sorandel/qt_layout_backend.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"

namespace {

// Takes the first frames of every sound handed to it, as a sound card's sink would, then lets
// the headless clock play the rest.
class FirstFrameBackend : public QtLayoutBackend {
 public:
  platform::AudioOutput& audioOutput() override { return sink_; }
  std::size_t framesTaken() const { return sink_.framesTaken; }

 private:
  struct Sink : platform::AudioOutput {
    explicit Sink(platform::HeadlessBackend& backend) : backend(backend) {}
    std::unique_ptr<platform::AudioStream> play(std::unique_ptr<platform::PcmSource> source,
                                                std::int64_t lengthMs) override {
      std::array<std::int16_t, 1152 * 2> buffer{};
      framesTaken += source->read(buffer.data(), 1152 / source->format().channels);
      return backend.HeadlessBackend::audioOutput().play(std::move(source), lengthMs);
    }
    platform::HeadlessBackend& backend;
    std::size_t framesTaken = 0;
  };
  Sink sink_{*this};
};

// From the release of the mouse button on a sentence to its recording's first frame in the
// sink: the block search, the underline, the database lookup, the MP3 open and decode start.
void BM_ClickToFirstAudioFrame(benchmark::State& bench) {
  test_support::ProgramFolder folder;
  addLesson(folder, "Lesson1基本课文", 12, "sentence");
  std::ifstream in(std::filesystem::path(SORANDEL_FIXTURES) / "tone_1200ms.mp3", std::ios::binary);
  folder.putFile("\\music\\sentence.mp3",
                 std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  FirstFrameBackend backend;
  platform::Runtime runtime(backend, folder.path());
  SorandelState state;
  initGlobals(state);
  MainWindow& window = runtime.start<MainWindow>(state);
  int line = 0;
  for (auto _ : bench) {
    window.全文学习内容框.userReleaseLeftButtonOnLine(line);
    line = (line + 3) % 36;  // the Japanese lines, one sentence after another
  }
  if (backend.framesTaken() == 0) bench.SkipWithError("no frame reached the sink");
}
BENCHMARK(BM_ClickToFirstAudioFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
