// Run with QT_QPA_PLATFORM=offscreen. The typing benchmark needs a sound device (a PulseAudio
// null sink will do) and reports an error without one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <memory>

#include "assets/assets.h"
#include "benchmarks/qt/first_audio_frame.h"
#include "benchmarks/qt/qt_bench_support.h"
#include "content/content_folders.h"
#include "platform/qt/qt_audio.h"
#include "platform/qt/qt_backend.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"
#include "tests/support/program_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

int argc = 1;
char name[] = "sorandel_qt_benchmarks";
char* argv[] = {name, nullptr};

// Sorandel on the Qt backend with the drill shown on a one-item lesson.
struct DrillOnQt {
  explicit DrillOnQt(platform::QtBackend::Options options) {
    ensureApplication(argc, argv);
    folder.addCourse("Lesson1  家庭问候", "Lesson1")
        .addItem("Lesson1基本课文", "1S01", "おはようございます。", "早上好。", "s01");
    const platform::SharedBytes& mark = assets::soundButton();
    folder.putFile(content::ContentFolders::rightMarkPicture,
                   std::string(mark.begin(), mark.end()));
    folder.putFile(content::ContentFolders::wrongMarkPicture,
                   std::string(mark.begin(), mark.end()));
    const platform::Bytes& typing = assets::modeClickSound();
    folder.putFile(content::ContentFolders::rightAnswerSound,
                   std::string(typing.begin(), typing.end()));
    backend = std::make_unique<platform::QtBackend>(argc, argv, options);
    runtime = std::make_unique<platform::Runtime>(*backend, folder.path());
    initGlobals(state);
    window = &runtime->start<MainWindow>(state);
    window->navigation.mainMenuItemClicked(0, 1);
    box = backend->widgetOf(window->逐句跟读输入框);
    box->activateWindow();
    box->setFocus();
    backend->processEvents();
  }

  test_support::ProgramFolder folder;
  std::unique_ptr<platform::QtBackend> backend;
  std::unique_ptr<platform::Runtime> runtime;
  SorandelState state;
  MainWindow* window = nullptr;
  QWidget* box = nullptr;
};

// From the Enter key on the typing box to the mark's first frame drawn: the check, the mark's
// picture read and decoded, the repaint. The clock stands still, so the drill never moves on.
void BM_DrillEnterToMarkDrawn(benchmark::State& bench) {
  DrillOnQt drill({.manualClock = true, .silent = true});
  QWidget* mark = drill.backend->widgetOf(drill.window->输入正确错误图片框);
  PaintSeen paint;
  mark->installEventFilter(&paint);
  for (auto _ : bench) {
    paint.seen = false;
    const auto start = Clock::now();
    QTest::keyClick(drill.box, Qt::Key_Return);
    const auto giveUp = start + std::chrono::seconds(3);
    while (!paint.seen && Clock::now() < giveUp) QCoreApplication::processEvents();
    if (!paint.seen) {
      bench.SkipWithError("the mark was not drawn");
      break;
    }
    bench.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    drill.window->输入正确错误图片框.setVisible(false);
    drill.backend->processEvents();
  }
  mark->removeEventFilter(&paint);
}
BENCHMARK(BM_DrillEnterToMarkDrawn)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// From a key typed into the box to the first frames of WordRight.wav mixed into the sink's
// buffer: the key, the change, the sound file read and started.
void BM_DrillTypedCharacterToFirstTypingFrame(benchmark::State& bench) {
  DrillOnQt drill({});
  QWidget* box = drill.box;
  timeToFirstAudioFrame(bench, drill.backend->qtAudio(),
                        [box] { QTest::keyClick(box, Qt::Key_A); });
  if (drill.window->逐句跟读输入框.content().empty()) bench.SkipWithError("nothing was typed");
}
BENCHMARK(BM_DrillTypedCharacterToFirstTypingFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
