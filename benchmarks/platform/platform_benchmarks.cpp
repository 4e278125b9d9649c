#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "platform/system/text_numbers.h"

namespace {

constexpr std::uintmax_t kLargeRecordingBytes = 100 << 20;

class LessonWindow : public platform::Window {
 public:
  explicit LessonWindow(platform::Runtime& rt) : Window(rt, "lessonWindow", {0, 0, 700, 600}) {
    全文学习内容框.setFont({"仿宋", 13});
    内容暂存框.setFont({"仿宋", 13});
  }
  platform::RichEditBox 全文学习内容框{*this, "全文学习内容框", {13, 45, 664, 384}};
  platform::RichEditBox 内容暂存框{*this, "内容暂存框", {0, 0, 664, 80}};
  platform::MediaPlayer 媒体播放1{*this, "媒体播放1"};
};

// A lesson in the Chinese-Japanese mode (two lines per item), built through the append step
// (caret past the end, a length of 1, a format, the piece), then copied into the hidden box and
// counted in lines. "The end" is the GBK byte length of the text so far: kept as the pieces go
// in, or read back as getTextLength(content()) before every piece, the way the steps are worded
// (a scan of the whole text each time).
int buildLesson(LessonWindow& w, int items, bool readEndBack) {
  auto& box = w.全文学习内容框;
  box.setContent("");
  int end = 0;
  const auto append = [&](const std::string& piece, platform::Color color) {
    box.setSelectionStart(readEndBack ? platform::getTextLength(box.content()) : end);
    box.setSelectionLength(1);
    box.applyCharFormat({"仿宋", 13, 0, 0, color});
    box.setSelectedText(piece);
    end += platform::getTextLength(piece);
  };
  for (int i = 0; i < items; ++i) {
    std::string key = "[K";
    key += std::to_string(100 + i % 900);
    append(key + "]日文：すみません、駅はどこですか。\r\n", 0);
    append(key + "]译文：请问，车站在哪里？\r\n\r\n", 0x8000);
  }
  append("[结束]", 0);
  w.内容暂存框.setContent(box.content());
  return w.内容暂存框.getLineCount();
}

void BM_LessonTextBuild(benchmark::State& state) {
  platform::HeadlessBackend backend;
  platform::Runtime rt(backend, "/tmp");
  auto& w = rt.start<LessonWindow>();
  const bool readEndBack = state.range(1) != 0;
  int lines = 0;
  for (auto _ : state) {
    lines = buildLesson(w, static_cast<int>(state.range(0)), readEndBack);
    benchmark::DoNotOptimize(lines);
  }
  state.SetLabel(std::to_string(lines) + " lines" + (readEndBack ? ", end read back" : ""));
}
BENCHMARK(BM_LessonTextBuild)->Args({2000, 0})->Args({2000, 1})->Unit(benchmark::kMillisecond);

// A recording made once with sox and lame in the benchmarks' temporary folder, with the lame
// options given; empty when sox or lame is missing.
std::string encodedRecording(const std::string& name, int seconds, const std::string& lame) {
  const auto dir = std::filesystem::temp_directory_path() / "platform_benchmarks";
  std::filesystem::create_directories(dir);
  const std::string wav = (dir / (name + ".wav")).string();
  const std::string mp3 = (dir / (name + ".mp3")).string();
  if (!std::filesystem::exists(mp3)) {
    const std::string command = "sox -n -r 22050 -c 1 '" + wav + "' synth " +
                                std::to_string(seconds) + " sine 440 && lame --quiet " + lame +
                                " '" + wav + "' '" + mp3 + "'";
    if (std::system(command.c_str()) != 0) return std::string();
  }
  return mp3;
}

std::string tenSecondRecording() {
  static const std::string path = encodedRecording("ten", 10, "-V 9");
  return path;
}

// 100 MB (about four hours) in the form of the courses' recordings, 22,050 Hz mono at 56 kbit/s:
// a minute's frames (no info frame) repeated to the size.
std::string largeRecording() {
  static const std::string path = []() -> std::string {
    const std::string minute = encodedRecording("minute", 60, "-t -m m -b 56");
    if (minute.empty()) return minute;
    const std::string large = (std::filesystem::path(minute).parent_path() / "large.mp3").string();
    if (std::filesystem::exists(large) &&
        std::filesystem::file_size(large) >= kLargeRecordingBytes) {
      return large;
    }
    std::ifstream in(minute, std::ios::binary);
    const std::string frames((std::istreambuf_iterator<char>(in)), {});
    std::ofstream out(large, std::ios::binary | std::ios::trunc);
    for (std::uintmax_t written = 0; written < kLargeRecordingBytes; written += frames.size()) {
      out << frames;
    }
    return out ? large : std::string();
  }();
  return path;
}

// What a click on a sentence costs before its recording plays: the open and the length.
void openAndReadLength(benchmark::State& state, const std::string& file) {
  if (file.empty()) {
    state.SkipWithError("sox or lame missing");
    return;
  }
  platform::HeadlessBackend backend;
  platform::Runtime rt(backend, "/tmp");
  auto& w = rt.start<LessonWindow>();
  for (auto _ : state) {
    w.媒体播放1.openFile(file);
    benchmark::DoNotOptimize(w.媒体播放1.getLength());
  }
  state.SetLabel(std::to_string(w.媒体播放1.getLength()) + " ms, " +
                 std::to_string(std::filesystem::file_size(file) >> 10) + " KB");
}

void BM_MediaPlayerOpenFile(benchmark::State& state) {
  openAndReadLength(state, tenSecondRecording());
}
BENCHMARK(BM_MediaPlayerOpenFile)->Unit(benchmark::kMicrosecond);

void BM_MediaPlayerOpenLargeRecording(benchmark::State& state) {
  openAndReadLength(state, largeRecording());
}
BENCHMARK(BM_MediaPlayerOpenLargeRecording)->Unit(benchmark::kMillisecond);

}  // namespace
