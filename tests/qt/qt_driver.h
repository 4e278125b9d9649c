#pragma once

#include <QPoint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/qt/qt_backend.h"
#include "tests/platform/driver.h"

class QWidget;

namespace platform::qt {
class RichEditWidget;
}

// The Qt backend as the platform's conformance tests drive it: every user action is a Qt event
// (mouse, key, input method) sent to the widget under the unit, on the offscreen platform, with
// the clock standing still until the test advances it. Message boxes and modal windows are shown
// by Qt and answered through their widgets. Sounds, recordings, boxes and program starts are
// logged on the way to the Qt backend.
class QtDriver : public Driver, private platform::Backend {
 public:
  QtDriver();
  ~QtDriver() override;

  platform::QtBackend& qt() { return *qt_; }
  platform::Backend& backend() override { return *this; }
  void setScreen(int width, int height) override;
  void advance(std::int64_t ms) override { qt_->advance(ms); }

  bool click(platform::Unit& unit) override;
  bool rightClick(platform::Unit& unit) override;
  bool releaseLeftButtonOnLine(platform::RichEditBox& box, int line, int column = 0) override;
  bool dragAcross(platform::RichEditBox& box, int from, int to) override;
  bool type(platform::Unit& box, std::string_view utf8) override;
  bool paste(platform::Unit& box, std::string_view utf8) override;
  bool commitComposition(platform::Unit& box, std::string_view utf8) override;
  bool pressKey(platform::Unit& unit, int keyCode, int shiftState = 0) override;
  bool selectRow(platform::ListView& list, int row) override;
  bool clickItem(platform::NavigationBar& bar, int group, int item) override;
  bool dragTo(platform::ProgressBar& slider, int position) override;
  bool choose(platform::MenuItem& item) override;
  bool pressEsc(platform::Window& window) override;
  bool closeWindow(platform::Window& window) override;

  using Driver::answerNextMessageBox;
  using Driver::whenWindowOpens;
  void answerNextMessageBox(std::function<int(const MessageBox&)> answer) override;
  void whenWindowOpens(std::type_index type,
                       std::function<void(platform::Window&)> script) override;

  std::vector<MessageBox> messageBoxes() override { return boxes_; }
  std::vector<platform::HeadlessBackend::Sound> soundsPlayed() override { return sounds_; }
  std::vector<platform::HeadlessBackend::Sound> clickSoundsPlayed() override {
    return clickSounds_;
  }
  std::vector<platform::HeadlessBackend::ProgramStart> programsStarted() override {
    return starts_;
  }
  std::vector<platform::HeadlessBackend::Recording> recordings() override { return recordings_; }

 private:
  // The widget a user would hit at the unit's point, after checking that the unit takes input
  // (and that Qt agrees when it does not); nullptr when the action is refused.
  QWidget* target(platform::Unit& unit, std::string_view action);

  // Backend: forwards to the Qt backend, logging on the way.
  void attach(platform::Runtime& runtime) override;
  void detach(platform::Runtime& runtime) override;
  std::int64_t nowMs() const override { return qt_->nowMs(); }
  void timersChanged() override { qt_->timersChanged(); }
  void showWindow(platform::Window& window) override { qt_->showWindow(window); }
  void runUntilClosed(platform::Window& window) override;
  void windowClosed(platform::Window& window) override { qt_->windowClosed(window); }
  void unitChanged(platform::Unit& unit, platform::Property property) override {
    qt_->unitChanged(unit, property);
  }
  int showMessageBox(const std::string& text, int style, const std::string& caption) override;
  void popupMenu(platform::Window& window, platform::MenuItem& top) override {
    qt_->popupMenu(window, top);
  }
  void playSoundFile(const std::string& file, const std::string& nativePath) override;
  void playClickSound(const platform::Unit& button, const platform::Bytes& wav) override;
  platform::AudioOutput& audioOutput() override { return qt_->audioOutput(); }
  void mediaEvent(const platform::MediaPlayer& player, platform::MediaEvent event) override;
  bool startProgram(const std::string& file, const std::string& nativePath,
                    const std::string& workingFolder) override;
  std::string clipboardText() const override { return qt_->clipboardText(); }
  void setClipboardText(const std::string& utf8) override { qt_->setClipboardText(utf8); }
  int screenWidth() const override { return qt_->screenWidth(); }
  int screenHeight() const override { return qt_->screenHeight(); }
  const platform::TextMeasurer& textMeasurer() const override { return qt_->textMeasurer(); }

  struct WindowScript {
    std::type_index type;
    std::function<void(platform::Window&)> script;
  };

  std::unique_ptr<platform::QtBackend> qt_;
  platform::Runtime* runtime_ = nullptr;
  std::deque<std::function<int(const MessageBox&)>> answers_;
  std::deque<WindowScript> scripts_;
  std::vector<MessageBox> boxes_;
  std::vector<platform::HeadlessBackend::Sound> sounds_;
  std::vector<platform::HeadlessBackend::Sound> clickSounds_;
  std::vector<platform::HeadlessBackend::ProgramStart> starts_;
  std::vector<platform::HeadlessBackend::Recording> recordings_;
};

// The application object every Qt test shares (created once, on first use).
void ensureQtApplication();

// Where a user points at a character position of a box, on its line as it is in view now.
QPoint pointOfPosition(platform::qt::RichEditWidget& w, const platform::RichEditBox& box,
                       int position);

// How many pixels of the widget, as drawn now, are in its selection colour.
int highlightedPixels(QWidget& widget);
