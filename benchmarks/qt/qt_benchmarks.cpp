// Run with QT_QPA_PLATFORM=offscreen. The click benchmark needs a sound device (a PulseAudio
// null sink will do) and reports an error without one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "benchmarks/qt/first_audio_frame.h"
#include "benchmarks/qt/qt_bench_support.h"
#include "platform/platform.h"
#include "platform/qt/qt_audio.h"
#include "platform/qt/qt_backend.h"

namespace {

using Clock = std::chrono::steady_clock;

int argc = 1;
char name[] = "qt_benchmarks";
char* argv[] = {name, nullptr};

platform::Bytes png(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return platform::Bytes(bytes.begin(), bytes.end());
}

platform::Bytes clickWav() {
  // 50 ms of a square wave at 11025 Hz, 16-bit mono.
  const int frames = 551;
  platform::Bytes b{'R',  'I',  'F', 'F', 0, 0, 0,  0, 'W', 'A', 'V',  'E',  'f', 'm',
                    't',  ' ',  16,  0,   0, 0, 1,  0, 1,   0,   0x11, 0x2B, 0,   0,
                    0x22, 0x56, 0,   0,   2, 0, 16, 0, 'd', 'a', 't',  'a'};
  const int bytes = frames * 2;
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(bytes >> (8 * i)));
  for (int i = 0; i < frames; ++i) {
    const std::int16_t s = (i / 20) % 2 ? 6000 : -6000;
    b.push_back(static_cast<std::uint8_t>(s));
    b.push_back(static_cast<std::uint8_t>(s >> 8));
  }
  return b;
}

// A form of about the size of the main window: 80 units of the common kinds.
class EightyUnits : public platform::Window {
 public:
  explicit EightyUnits(platform::Runtime& rt) : Window(rt, "eighty", {0, 0, 1100, 700}) {
    skin.setPicture(png(1100, 700, QColor(169, 213, 226)));
    const platform::Bytes button = png(90, 24, QColor(64, 120, 180));
    const platform::Bytes hover = png(90, 24, QColor(240, 160, 40));
    for (int i = 0; i < 24; ++i) {
      auto label = std::make_unique<platform::Label>(skin, "label", rect(i, 0));
      label->setCaption("お元気ですか。你好吗？");
      label->setFont(platform::Font::pixels("宋体", 14));
      units.push_back(std::move(label));
    }
    for (int i = 0; i < 24; ++i) {
      auto b = std::make_unique<platform::ImageButton>(skin, "button", rect(i, 1));
      b->setPicture(button);
      b->setHoverPicture(hover);
      units.push_back(std::move(b));
    }
    for (int i = 0; i < 12; ++i) {
      auto r = std::make_unique<platform::RadioButton>(skin, "radio", rect(i, 2));
      r->setCaption("句子");
      units.push_back(std::move(r));
    }
    for (int i = 0; i < 8; ++i) {
      units.push_back(std::make_unique<platform::PictureBox>(skin, "picture", rect(i, 3)));
    }
    for (int i = 0; i < 4; ++i) {
      auto list = std::make_unique<platform::ListView>(skin, "list", rect(i, 4));
      list->setColumns({{"列表", 80}});
      units.push_back(std::move(list));
    }
    for (int i = 0; i < 4; ++i) {
      auto box = std::make_unique<platform::RichEditBox>(skin, "text", rect(i, 5));
      box->setContent("[0001]日文：はい、元気です。\r\n[0001]译文：是的，我很好。");
      units.push_back(std::move(box));
    }
    units.push_back(std::make_unique<platform::NavigationBar>(skin, "bar", rect(0, 6)));
    units.push_back(std::make_unique<platform::ProgressBar>(skin, "progress", rect(1, 6)));
    units.push_back(std::make_unique<platform::WebView>(skin, "web", rect(2, 6)));
  }
  static platform::Rect rect(int i, int row) {
    return {10 + (i % 12) * 90, 10 + row * 95 + (i / 12) * 40, 86, 36};
  }

  platform::PictureBox skin{*this, "skin", {0, 0, 1100, 700}};
  std::vector<std::unique_ptr<platform::Unit>> units;
};

// From building the window to its first frame drawn.
void BM_WindowOfEightyUnitsToFirstFrame(benchmark::State& state) {
  ensureApplication(argc, argv);
  platform::QtBackend backend(argc, argv, {.manualClock = false, .silent = true});
  const std::string folder = std::filesystem::temp_directory_path().string();
  for (auto _ : state) {
    const auto start = Clock::now();
    auto rt = std::make_unique<platform::Runtime>(backend, folder);
    auto& w = rt->start<EightyUnits>();
    PaintSeen paint;
    backend.widgetOf(w)->installEventFilter(&paint);
    while (!paint.seen) QCoreApplication::processEvents();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    backend.widgetOf(w)->removeEventFilter(&paint);
    rt.reset();
    backend.processEvents();
  }
  state.counters["units"] = 81;
}
BENCHMARK(BM_WindowOfEightyUnitsToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

class OneButton : public platform::Window {
 public:
  explicit OneButton(platform::Runtime& rt) : Window(rt, "oneButton", {0, 0, 200, 100}) {
    button.setPicture(png(90, 24, QColor(64, 120, 180)));
    button.setClickSound(clickWav());
  }
  platform::ImageButton button{*this, "button", {10, 10, 90, 24}};
};

// From the mouse release on a button to the first frames of its click sound mixed into the
// sink's buffer.
void BM_ClickToFirstAudioFrame(benchmark::State& state) {
  ensureApplication(argc, argv);
  platform::QtBackend backend(argc, argv);
  platform::Runtime rt(backend, std::filesystem::temp_directory_path().string());
  auto& w = rt.start<OneButton>();
  QWidget* button = backend.widgetOf(w.button);
  backend.processEvents();
  timeToFirstAudioFrame(state, backend.qtAudio(),
                        [button] { QTest::mouseClick(button, Qt::LeftButton); });
}
BENCHMARK(BM_ClickToFirstAudioFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
