#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

// What a conformance test needs from a backend: its Backend, the clock, the user's actions,
// scripted answers and what was heard. The headless driver forwards to HeadlessBackend; a
// driver for another backend implements the same calls with that backend's own input.
class Driver {
 public:
  virtual ~Driver() = default;
  virtual platform::Backend& backend() = 0;
  virtual void setScreen(int width, int height) = 0;
  virtual void advance(std::int64_t ms) = 0;

  virtual bool click(platform::Unit& unit) = 0;
  virtual bool rightClick(platform::Unit& unit) = 0;
  virtual bool releaseLeftButtonOnLine(platform::RichEditBox& box, int line, int column = 0) = 0;
  // The left button pressed at one character position, dragged to another and released there.
  virtual bool dragAcross(platform::RichEditBox& box, int from, int to) = 0;
  virtual bool type(platform::Unit& box, std::string_view utf8) = 0;
  virtual bool paste(platform::Unit& box, std::string_view utf8) = 0;
  virtual bool commitComposition(platform::Unit& box, std::string_view utf8) = 0;
  // Shift state: 1 Ctrl, 2 Shift, 4 Alt.
  virtual bool pressKey(platform::Unit& unit, int keyCode, int shiftState = 0) = 0;
  virtual bool selectRow(platform::ListView& list, int row) = 0;
  virtual bool clickItem(platform::NavigationBar& bar, int group, int item) = 0;
  virtual bool dragTo(platform::ProgressBar& slider, int position) = 0;
  virtual bool choose(platform::MenuItem& item) = 0;
  virtual bool pressEsc(platform::Window& window) = 0;
  virtual bool closeWindow(platform::Window& window) = 0;

  using MessageBox = platform::HeadlessBackend::MessageBox;
  virtual void answerNextMessageBox(std::function<int(const MessageBox&)> answer) = 0;
  void answerNextMessageBox(int result) {
    answerNextMessageBox([result](const MessageBox&) { return result; });
  }
  virtual void whenWindowOpens(std::type_index type,
                               std::function<void(platform::Window&)> script) = 0;
  template <class W>
  void whenWindowOpens(std::function<void(W&)> script) {
    whenWindowOpens(typeid(W), [script](platform::Window& w) { script(static_cast<W&>(w)); });
  }

  virtual std::vector<MessageBox> messageBoxes() = 0;
  virtual std::vector<platform::HeadlessBackend::Sound> soundsPlayed() = 0;
  virtual std::vector<platform::HeadlessBackend::Sound> clickSoundsPlayed() = 0;
  virtual std::vector<platform::HeadlessBackend::ProgramStart> programsStarted() = 0;
  virtual std::vector<platform::HeadlessBackend::Recording> recordings() = 0;
};

struct DriverFactory {
  std::string name;
  std::function<std::unique_ptr<Driver>()> make;
};

// Every backend the conformance tests run on.
std::vector<DriverFactory> allDrivers();
