#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/system/random.h"
#include "platform/window.h"

namespace platform {

class Timer;

// One run of a program: the backend, the program folder, the clock and timers, the open windows
// (the start window at the bottom, modal windows above it), the popup menu, the exit code.
// Window classes are constructed as W(Runtime&, args...).
class Runtime {
 public:
  Runtime(Backend& backend, std::string programFolder);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  Backend& backend() const { return backend_; }
  // The program folder without a trailing separator: the executable's folder in a real run.
  const std::string& getProgramFolder() const { return programFolder_; }
  std::int64_t now() const { return backend_.nowMs(); }

  // Program start: builds the start window (its created handler runs inside the building),
  // shows it, handles events until it closes or the program is ended; returns the exit code.
  template <class W, class... Args>
  int run(Args&&... args) {
    W& window = start<W>(std::forward<Args>(args)...);
    if (window.isOpen()) backend_.runUntilClosed(window);
    return exitCode_;
  }

  // Builds and shows the start window and returns it without handling events (tests drive it).
  // The window lives as long as the runtime.
  template <class W, class... Args>
  W& start(Args&&... args) {
    auto window = std::make_unique<W>(*this, std::forward<Args>(args)...);
    W& ref = *window;
    startWindow_ = std::move(window);
    build(ref);
    return ref;
  }

  // Window.open modal: builds the window afresh, runs its created handler inside the call, shows
  // it with the program's other windows taking no user input, and returns when it has closed.
  template <class W, class... Args>
  void open(Args&&... args) {
    if (!running()) return;
    auto window = std::make_unique<W>(*this, std::forward<Args>(args)...);
    build(*window);
    if (window->isOpen()) backend_.runUntilClosed(*window);
    forceClose(*window);
  }

  // Ends the program with this exit code: every window closes and every pending open returns.
  void exit(int code);
  bool running() const { return running_; }
  int exitCode() const { return exitCode_; }

  // The open windows, bottom to top; only the top one takes user input.
  const std::vector<Window*>& openWindows() const { return openWindows_; }
  // True while a message box is open.
  bool inMessageBox() const { return messageBoxDepth_ > 0; }

  // System services.
  // Style 0: OK alone (the caption is not used); style 1: OK and Cancel with the caption.
  // 0 = OK; any other value = not OK. After the program has been ended it shows nothing and
  // answers not OK.
  int showMessageBox(const std::string& text, int style = 0, const std::string& caption = {});
  // Plays a WAV file once, in the background; a missing file plays nothing.
  void playSoundFile(const std::string& file);
  // Starts the bare file name in the working folder; "X.exe" starts the executable "X" when no
  // "X.exe" is there. A failure is quiet.
  void startFile(const std::string& file, const std::string& workingFolder);
  // krnln.randomize and krnln.randomInt: the program's one source of random numbers.
  RandomSource& random() { return random_; }
  int getScreenWidth() const { return backend_.screenWidth(); }
  int getScreenHeight() const { return backend_.screenHeight(); }

  // For backends.
  std::optional<std::int64_t> nextTimerDue() const;
  // Raises the tick of every timer due now, in order of due time.
  void fireDueTimers();
  MenuItem* openPopup() const { return openPopup_; }
  void popupDismissed() { openPopup_ = nullptr; }

 private:
  friend class Window;
  friend class Timer;
  friend class MenuItem;

  void build(Window& window);
  void windowClosing(Window& window);
  void forceClose(Window& window);
  void forget(Window& window);
  void popupMenu(Window& window, MenuItem& top);
  void timerStarted(Timer& timer);
  void timerStopped(Timer& timer);

  Backend& backend_;
  std::string programFolder_;
  std::unique_ptr<Window> startWindow_;
  std::vector<Window*> openWindows_;
  std::vector<Timer*> timers_;
  std::uint64_t timerOrder_ = 0;
  MenuItem* openPopup_ = nullptr;
  int messageBoxDepth_ = 0;
  RandomSource random_;
  bool running_ = true;
  int exitCode_ = 0;
};

}  // namespace platform
