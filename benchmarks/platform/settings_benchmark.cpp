#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/system/file_io.h"
#include "platform/system/gbk.h"
#include "platform/system/settings_file.h"

namespace {

constexpr std::size_t kFileBytes = 10 << 20;

// A settings file of 10 MB: Chinese lines (short, or one long line), then the section the
// programs read at start, so that finding it passes every line.
std::string largeSettingsFile(bool oneLongLine) {
  const auto dir = std::filesystem::temp_directory_path() / "settings_benchmark";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / (oneLongLine ? "long_line.ini" : "lines.ini")).string();
  const std::string line =
      *platform::utf8ToGbk(oneLongLine ? "课程名称 家庭问候 " : "课程名称=家庭问候\r\n");
  std::string bytes = *platform::utf8ToGbk("[其他]\r\n");
  while (bytes.size() < kFileBytes) bytes += line;
  bytes +=
      *platform::utf8ToGbk("\r\n[课程选择]\r\n课程名称=Lesson2  在车站\r\n课程索引=Lesson2\r\n");
  platform::replaceFileContents(path, bytes);
  return path;
}

// The two keys Sorandel reads at start.
void BM_ReadSettingsAtStart(benchmark::State& state) {
  const std::string file = largeSettingsFile(state.range(0) != 0);
  std::string name;
  std::string key;
  for (auto _ : state) {
    name = platform::readIniText(file, "课程选择", "课程名称", "");
    key = platform::readIniText(file, "课程选择", "课程索引", "");
    benchmark::DoNotOptimize(name);
  }
  if (name != "Lesson2  在车站" || key != "Lesson2") state.SkipWithError("wrong values read");
  state.SetLabel(state.range(0) != 0 ? "10 MB, one long line" : "10 MB of short lines");
}
BENCHMARK(BM_ReadSettingsAtStart)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
