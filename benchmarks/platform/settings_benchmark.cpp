#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/system/file_io.h"
#include "platform/system/gbk.h"
#include "platform/system/settings_file.h"

namespace {

constexpr std::size_t kFileBytes = 10 << 20;

enum Shape { kShortLines, kOneLongLine, kKeysOfTheSectionRead };

// A settings file of 10 MB: Chinese lines (short, one long line, or keys of the section read),
// then the two keys the programs read at start, so that finding them passes every line.
std::string largeSettingsFile(Shape shape) {
  const auto dir = std::filesystem::temp_directory_path() / "settings_benchmark";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / (std::to_string(shape) + ".ini")).string();
  const char* lines[] = {"课程名称=家庭问候\r\n", "课程名称 家庭问候 ", "其他键=家庭问候\r\n"};
  const std::string line = *platform::utf8ToGbk(lines[shape]);
  std::string bytes =
      *platform::utf8ToGbk(shape == kKeysOfTheSectionRead ? "[课程选择]\r\n" : "[其他]\r\n");
  while (bytes.size() < kFileBytes) bytes += line;
  bytes += *platform::utf8ToGbk(shape == kKeysOfTheSectionRead ? "\r\n" : "\r\n[课程选择]\r\n");
  bytes += *platform::utf8ToGbk("课程名称=Lesson2  在车站\r\n课程索引=Lesson2\r\n");
  platform::replaceFileContents(path, bytes);
  return path;
}

// The two keys Sorandel reads at start.
void BM_ReadSettingsAtStart(benchmark::State& state) {
  const auto shape = static_cast<Shape>(state.range(0));
  const std::string file = largeSettingsFile(shape);
  std::string name;
  std::string key;
  for (auto _ : state) {
    name = platform::readIniText(file, "课程选择", "课程名称", "");
    key = platform::readIniText(file, "课程选择", "课程索引", "");
    benchmark::DoNotOptimize(name);
  }
  if (name != "Lesson2  在车站" || key != "Lesson2") state.SkipWithError("wrong values read");
  const char* labels[] = {"10 MB of short lines", "10 MB, one long line",
                          "10 MB of keys in the section read"};
  state.SetLabel(labels[shape]);
}
BENCHMARK(BM_ReadSettingsAtStart)
    ->Arg(kShortLines)
    ->Arg(kOneLongLine)
    ->Arg(kKeysOfTheSectionRead)
    ->Unit(benchmark::kMillisecond);

}  // namespace
