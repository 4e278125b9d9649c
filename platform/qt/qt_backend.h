#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/audio_mixer.h"
#include "platform/backend.h"

class QWidget;

namespace platform {

namespace qt {
class QtAudioOutput;
}

// The desktop backend: draws every unit with Qt Widgets, feeds mouse, keyboard and input-method
// input back through the units' user* entry points, runs the timers on real time and plays
// sound through Qt Multimedia. It creates the application object, so construct it first:
//
//   int main(int argc, char** argv) {
//     platform::QtBackend backend(argc, argv);
//     platform::Runtime rt(backend, platform::executableFolder());
//     SorandelState state;
//     return rt.run<MainWindow>(state);
//   }
//
// This header pulls in no Qt header: a program that includes it needs no Qt include path.
class QtBackend : public Backend {
 public:
  struct Options {
    // The clock stands still until advance() moves it (tests on the offscreen platform);
    // otherwise it is real, monotonic time.
    bool manualClock = false;
    // Plays nothing and opens no sound device; streams follow the clock instead.
    bool silent = false;
    // Makes the sound device's stream; empty for the sound server's (tests give their own).
    std::function<std::unique_ptr<MixerSink>()> mixerSink = {};
  };

  // `argc` must outlive the backend (Qt keeps a reference to it).
  QtBackend(int& argc, char** argv);
  QtBackend(int& argc, char** argv, Options options);
  ~QtBackend() override;
  QtBackend(const QtBackend&) = delete;
  QtBackend& operator=(const QtBackend&) = delete;

  // Manual clock only: moves the clock on by `ms`, raising the timer ticks due on the way in
  // order, each with the clock at its due time. Pending window-system events are handled first.
  void advance(std::int64_t ms);
  // Handles the window-system events that are pending (drawing, posted input), then returns.
  void processEvents();

  // The widget that draws the unit, nullptr while its window is not shown or for a unit that
  // draws nothing (timer, media player, menu item). A unit not seen yet gets its widget now,
  // hidden (widgets are made when their units first show). For tests and tools.
  QWidget* widgetOf(const Unit& unit) const;
  // Renders the window as it looks now into a PNG file; false when it is not shown or the file
  // cannot be written.
  bool saveScreenshot(const Window& window, const std::string& pngPath);
  // The sound output itself (benchmarks watch when frames reach the device).
  qt::QtAudioOutput& qtAudio();

  // Backend.
  void attach(Runtime& runtime) override;
  void detach(Runtime& runtime) override;
  std::int64_t nowMs() const override;
  void timersChanged() override;
  void showWindow(Window& window) override;
  void runUntilClosed(Window& window) override;
  void windowClosed(Window& window) override;
  void unitChanged(Unit& unit, Property property) override;
  int showMessageBox(const std::string& text, int style, const std::string& caption) override;
  void popupMenu(Window& window, MenuItem& top) override;
  void playSoundFile(const std::string& file, const std::string& nativePath) override;
  void playClickSound(const Unit& button, const Bytes& wav) override;
  AudioOutput& audioOutput() override;
  void mediaEvent(const MediaPlayer& player, MediaEvent event) override;
  bool startProgram(const std::string& file, const std::string& nativePath,
                    const std::string& workingFolder) override;
  // The system clipboard (qt_clipboard.cpp).
  std::string clipboardText() const override;
  void setClipboardText(const std::string& utf8) override;
  int screenWidth() const override;
  int screenHeight() const override;
  const TextMeasurer& textMeasurer() const override;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
