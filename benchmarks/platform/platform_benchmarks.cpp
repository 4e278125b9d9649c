#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "platform/system/text_numbers.h"

namespace {

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

// A 10 s recording, made once with sox and lame.
std::string tenSecondRecording() {
  static const std::string path = [] {
    const auto dir = std::filesystem::temp_directory_path() / "platform_benchmarks";
    std::filesystem::create_directories(dir);
    const std::string wav = (dir / "ten.wav").string();
    const std::string mp3 = (dir / "ten.mp3").string();
    if (!std::filesystem::exists(mp3)) {
      const std::string command = "sox -n -r 22050 -c 1 '" + wav +
                                  "' synth 10 sine 440 && lame --quiet -V 9 '" + wav + "' '" + mp3 +
                                  "'";
      if (std::system(command.c_str()) != 0) return std::string();
    }
    return mp3;
  }();
  return path;
}

void BM_MediaPlayerOpenFile(benchmark::State& state) {
  const std::string file = tenSecondRecording();
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
  state.SetLabel(std::to_string(w.媒体播放1.getLength()) + " ms");
}
BENCHMARK(BM_MediaPlayerOpenFile)->Unit(benchmark::kMicrosecond);

}  // namespace
