#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/headless_measurer.h"
#include "platform/platform.h"

namespace platform {

// The scripted backend the tests run on: a virtual clock, user actions that a user could do,
// scripted answers for message boxes and modal windows, and logs of what was heard and started.
//
//   HeadlessBackend backend;
//   backend.setScreen(1366, 768);
//   Runtime rt(backend, folder);
//   auto& w = rt.start<MainWindow>(state);
//   backend.click(w.退出软件按钮);
//   EXPECT_FALSE(rt.running());
//
// A user action that a user could not do (the unit is hidden, disabled, under a modal window...)
// fails the running test with a message naming the unit, and changes nothing. So does a message
// box or a modal window that the test gave no answer for, and an answer or window script that
// was never used by the time the backend is destroyed.
class HeadlessBackend : public Backend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  void setScreen(int width, int height);

  // The virtual clock: advances by `ms`, raising every timer tick that falls due on the way, in
  // order, with the clock at its due time.
  void advance(std::int64_t ms);

  // User actions. Each returns true when the unit took it.
  bool click(Unit& unit);
  bool rightClick(Unit& unit);
  bool releaseLeftButtonOnLine(RichEditBox& box, int line, int column = 0);
  bool releaseLeftButtonAt(RichEditBox& box, int position);
  // The left button pressed at one character position, the pointer moved to another with the
  // button held, and released there.
  bool dragAcross(RichEditBox& box, int from, int to);
  bool type(Unit& box, std::string_view utf8);
  // The text put on the clipboard, then Ctrl+V.
  bool paste(Unit& box, std::string_view utf8);
  // An input method confirms its composition into the box.
  bool commitComposition(Unit& box, std::string_view utf8);
  bool pressKey(Unit& unit, int keyCode, int shiftState = 0);
  bool selectRow(ListView& list, int row);
  bool clickItem(NavigationBar& bar, int group, int item);
  bool dragTo(ProgressBar& slider, int position);
  // Chooses an item of the popup menu that is open.
  bool choose(MenuItem& item);
  // Dismisses the open popup menu without choosing.
  void dismissMenu();
  bool pressEsc(Window& window);
  bool closeWindow(Window& window);

  // What a message box was asked to show.
  struct MessageBox {
    std::string text;
    int style = 0;
    std::string caption;
    std::int64_t atMs = 0;
    int answer = 0;
  };
  // The next message box is answered with `result` (0 = OK); answers are used in order.
  void answerNextMessageBox(int result);
  // The next message box runs `answer` while it is open (the clock may be advanced there) and
  // is answered with what it returns.
  void answerNextMessageBox(std::function<int(const MessageBox&)> answer);

  // The next opening of a W runs `script` while the window is open (after its created handler);
  // the script must close the window. Scripts are used in order.
  template <class W>
  void whenWindowOpens(std::function<void(W&)> script) {
    whenWindowOpens(typeid(W), [script](Window& w) { script(static_cast<W&>(w)); });
  }
  void whenWindowOpens(std::type_index type, std::function<void(Window&)> script);

  // Logs.
  struct Sound {
    std::int64_t atMs = 0;
    std::string file;    // as the program gave it; for a click sound, the button's name
    bool heard = false;  // false when the file was missing
  };
  struct Recording {
    std::int64_t atMs = 0;
    MediaEvent event = MediaEvent::Opened;
    std::string file;  // as the program gave it
    std::int64_t lengthMs = 0;
  };
  struct ProgramStart {
    std::string file;        // as the program gave it
    std::string nativePath;  // "" when it was not found
    std::string workingFolder;
  };
  const std::vector<Sound>& soundsPlayed() const { return sounds_; }
  const std::vector<Sound>& clickSoundsPlayed() const { return clickSounds_; }
  const std::vector<Recording>& recordings() const { return recordings_; }
  const std::vector<MessageBox>& messageBoxes() const { return messageBoxes_; }
  const std::vector<ProgramStart>& programsStarted() const { return programsStarted_; }
  // The names of the windows opened, start window first.
  const std::vector<std::string>& windowsOpened() const { return windowsOpened_; }
  // The top item of the popup menu that is open, or nullptr.
  MenuItem* openMenu() const;
  // The files of the sounds heard (effects, not click sounds), in order.
  std::vector<std::string> soundFilesHeard() const;

  // Backend.
  void attach(Runtime& runtime) override;
  void detach(Runtime& runtime) override;
  std::int64_t nowMs() const override { return now_; }
  void timersChanged() override {}
  void showWindow(Window& window) override;
  void runUntilClosed(Window& window) override;
  void windowClosed(Window&) override {}
  void unitChanged(Unit&, Property) override {}
  int showMessageBox(const std::string& text, int style, const std::string& caption) override;
  void popupMenu(Window& window, MenuItem& top) override;
  void playSoundFile(const std::string& file, const std::string& nativePath) override;
  void playClickSound(const Unit& button, const Bytes& wav) override;
  AudioOutput& audioOutput() override;
  void mediaEvent(const MediaPlayer& player, MediaEvent event) override;
  bool startProgram(const std::string& file, const std::string& nativePath,
                    const std::string& workingFolder) override;
  std::string clipboardText() const override { return clipboard_; }
  void setClipboardText(const std::string& utf8) override { clipboard_ = utf8; }
  int screenWidth() const override { return screenWidth_; }
  int screenHeight() const override { return screenHeight_; }
  const TextMeasurer& textMeasurer() const override { return measurer_; }

 private:
  class ClockAudio;
  struct WindowScript {
    std::type_index type;
    std::function<void(Window&)> script;
  };
  bool accepted(InputResult result, const Unit& unit, std::string_view action);

  Runtime* runtime_ = nullptr;
  std::int64_t now_ = 0;
  int screenWidth_ = 1366;
  int screenHeight_ = 768;
  std::string clipboard_;
  HeadlessMeasurer measurer_;
  std::unique_ptr<ClockAudio> audio_;
  std::deque<std::function<int(const MessageBox&)>> messageBoxAnswers_;
  std::deque<WindowScript> windowScripts_;
  std::vector<Sound> sounds_;
  std::vector<Sound> clickSounds_;
  std::vector<Recording> recordings_;
  std::vector<MessageBox> messageBoxes_;
  std::vector<ProgramStart> programsStarted_;
  std::vector<std::string> windowsOpened_;
};

}  // namespace platform
