#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <atomic>
#include <functional>
#include <memory>

#include "platform/picture_box.h"
#include "platform/qt/bitmap_layout.h"
#include "platform/qt/qt_backend.h"
#include "platform/runtime.h"
#include "tests/qt/showcase_window.h"
#include "tests/support/program_folder.h"

namespace {

// What reached the device: the test's stand-in for the sound server.
struct Device {
  std::atomic<int> streamsMade{0};
  std::atomic<std::int64_t> audibleFrames{0};
};

// Takes 10 ms of frames at every top-up, as a device playing in real time would.
class DeviceSink : public platform::MixerSink {
 public:
  explicit DeviceSink(Device& device) : device_(device) {}
  bool open() override { return true; }
  int sampleRate() const override { return 48000; }
  std::int64_t framesFree() override { return 480; }
  void write(const std::int16_t* frames, std::size_t count) override {
    for (std::size_t i = 0; i < count; ++i) {
      if (frames[2 * i] != 0) device_.audibleFrames += 1;
    }
  }
  void close() override {}

 private:
  Device& device_;
};

// A window whose only unit is an opaque picture that covers it whole, as a skinned window is:
// Qt then paints the picture and never the window itself.
class SkinnedWindow : public platform::Window {
 public:
  SkinnedWindow(platform::Runtime& rt) : Window(rt, "skinnedWindow", {0, 0, 240, 120}) {
    QImage skin(240, 120, QImage::Format_RGB32);
    skin.fill(QColor(40, 120, 200));
    const QByteArray bytes = platform::qt::bitmap_layout::encode(skin);
    皮肤.setPicture(platform::Bytes(bytes.begin(), bytes.end()));
  }
  platform::PictureBox 皮肤{*this, "皮肤", {0, 0, 240, 120}};
};

int argc = 1;
char name[] = "qt_sound_test";
char* argv[] = {name, nullptr};

platform::QtBackend::Options playingTo(Device& device) {
  return {.manualClock = true, .silent = false, .mixerSink = [&device] {
            device.streamsMade += 1;
            return std::make_unique<DeviceSink>(device);
          }};
}

class QtSoundTest : public ::testing::Test {
 protected:
  QtSoundTest() : backend(argc, argv, playingTo(device)), rt(backend, folder.path()) {}

  // Handles events until `done` holds, for at most two seconds of real time.
  bool eventually(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 2000) backend.processEvents();
    return done();
  }

  Device device;
  test_support::ProgramFolder folder;
  platform::QtBackend backend;
  platform::Runtime rt;
};

TEST_F(QtSoundTest, AWindowCoveredByItsSkinLoadsTheDeviceAfterItsFirstFrame) {
  rt.start<SkinnedWindow>();
  EXPECT_TRUE(eventually([&] { return device.streamsMade > 0; }))
      << "no first frame was seen, so the device never loaded";
}

TEST_F(QtSoundTest, ASoundAskedForBeforeAnyFrameIsHeard) {
  auto& window = rt.start<SkinnedWindow>();
  backend.playClickSound(window.皮肤, showcase::wav(200));
  EXPECT_TRUE(eventually([&] { return device.audibleFrames > 0; }));
}

TEST(QtSoundAtTheEnd, ASoundStartedJustBeforeTheProgramEndsPlaysToItsEnd) {
  Device device;
  test_support::ProgramFolder folder;
  {
    platform::QtBackend backend(argc, argv, playingTo(device));
    platform::Runtime rt(backend, folder.path());
    auto& window = rt.start<SkinnedWindow>();
    backend.playClickSound(window.皮肤, showcase::wav(200));
  }
  EXPECT_GE(device.audibleFrames, 48000 / 5 * 9 / 10);
}

}  // namespace
