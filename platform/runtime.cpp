#include "platform/runtime.h"

#include <algorithm>
#include <filesystem>

#include "platform/menu_item.h"
#include "platform/system/paths.h"
#include "platform/timer.h"

namespace platform {

namespace fs = std::filesystem;

Runtime::Runtime(Backend& backend, std::string programFolder)
    : backend_(backend), programFolder_(std::move(programFolder)) {
  backend_.attach(*this);
}

Runtime::~Runtime() {
  // Closing the start window ends the program; the windows above it close first.
  if (startWindow_ != nullptr) forceClose(*startWindow_);
  startWindow_.reset();
  backend_.detach(*this);
}

void Runtime::build(Window& window) {
  openWindows_.push_back(&window);
  // A centred design starts in the middle of the screen before its created handler runs, so
  // that a handler which places the window itself has the last word. A window larger than the
  // screen keeps its top left corner on it.
  if (window.centred()) {
    window.move(std::max(0, (getScreenWidth() - window.width()) / 2),
                std::max(0, (getScreenHeight() - window.height()) / 2));
  }
  if (window.onCreated) window.onCreated();
  if (window.isClosed()) return;
  if (!running_) {
    forceClose(window);
    return;
  }
  window.state_ = Window::State::Open;
  window.live_ = true;
  backend_.showWindow(window);
}

void Runtime::windowClosing(Window& window) {
  const bool wasLive = window.live_;
  window.state_ = Window::State::Closed;
  window.live_ = false;
  for (Unit* unit : window.units()) unit->windowClosing();
  if (openPopup_ != nullptr && &openPopup_->window() == &window) openPopup_ = nullptr;
  std::erase(openWindows_, &window);
  if (wasLive) backend_.windowClosed(window);
  if (&window == startWindow_.get()) exit(exitCode_);
}

void Runtime::forceClose(Window& window) {
  if (!window.isClosed()) windowClosing(window);
}

void Runtime::forget(Window& window) { std::erase(openWindows_, &window); }

void Runtime::exit(int code) {
  if (running_) exitCode_ = code;
  running_ = false;
  // Top down, so that every pending open() finds its window closed.
  while (!openWindows_.empty()) windowClosing(*openWindows_.back());
}

int Runtime::showMessageBox(const std::string& text, int style, const std::string& caption) {
  if (!running_) return 1;
  // A box whose caption is omitted shows the caption of the window it belongs to.
  std::string shownCaption = caption;
  if (style == 0 || shownCaption.empty()) {
    shownCaption = openWindows_.empty() ? std::string() : openWindows_.back()->caption();
  }
  ++messageBoxDepth_;
  const int result = backend_.showMessageBox(text, style, shownCaption);
  --messageBoxDepth_;
  return result;
}

void Runtime::playSoundFile(const std::string& file) {
  const std::string native = nativePath(file);
  std::error_code ec;
  const bool exists = !file.empty() && fs::is_regular_file(native, ec);
  backend_.playSoundFile(file, exists ? native : std::string());
}

namespace {

bool isExecutableFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  const fs::perms p = fs::status(path, ec).permissions();
  return (p & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
         fs::perms::none;
}

bool endsWithExe(const std::string& file) {
  if (file.size() < 4) return false;
  std::string tail = file.substr(file.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".exe";
}

}  // namespace

void Runtime::startFile(const std::string& file, const std::string& workingFolder) {
  const std::string folder = nativePath(workingFolder);
  std::string found;
  // A bare name only: nothing outside the working folder is started.
  if (!file.empty() && file.find_first_of("/\\") == std::string::npos && file != "." &&
      file != "..") {
    const fs::path candidate = fs::path(folder) / file;
    if (isExecutableFile(candidate)) {
      found = candidate.string();
    } else if (endsWithExe(file)) {
      const fs::path linux = fs::path(folder) / file.substr(0, file.size() - 4);
      if (isExecutableFile(linux)) found = linux.string();
    }
  }
  backend_.startProgram(file, found, folder);
}

void Runtime::popupMenu(Window& window, MenuItem& top) {
  if (&top.window() != &window || !window.isOpen()) return;
  openPopup_ = &top;
  backend_.popupMenu(window, top);
}

std::optional<std::int64_t> Runtime::nextTimerDue() const {
  std::optional<std::int64_t> next;
  for (const Timer* t : timers_) {
    if (t->inTick_) continue;
    if (!next || t->nextDue_ < *next) next = t->nextDue_;
  }
  return next;
}

void Runtime::timerStarted(Timer& timer) {
  timer.nextDue_ = now() + timer.interval_;
  timer.order_ = ++timerOrder_;
  if (std::find(timers_.begin(), timers_.end(), &timer) == timers_.end()) {
    timers_.push_back(&timer);
  }
  backend_.timersChanged();
}

void Runtime::timerStopped(Timer& timer) {
  std::erase(timers_, &timer);
  backend_.timersChanged();
}

namespace {

// The first due time on the timer's beat that lies after `now`.
std::int64_t nextBeatAfter(std::int64_t due, int interval, std::int64_t now) {
  if (due > now) return due;
  return due + interval * ((now - due) / interval + 1);
}

}  // namespace

void Runtime::fireDueTimers() {
  const std::int64_t start = now();
  std::vector<Timer*> due;
  for (Timer* t : timers_) {
    if (!t->inTick_ && t->nextDue_ <= start) due.push_back(t);
  }
  std::sort(due.begin(), due.end(), [](const Timer* a, const Timer* b) {
    return a->nextDue_ != b->nextDue_ ? a->nextDue_ < b->nextDue_ : a->order_ < b->order_;
  });
  for (Timer* t : due) {
    // A handler before this one may have stopped, restarted or destroyed it.
    if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
    if (t->inTick_ || t->nextDue_ > start) continue;
    t->nextDue_ = nextBeatAfter(t->nextDue_, t->interval_, start);
    bool alive = true;
    t->alive_ = &alive;
    t->inTick_ = true;
    if (t->onTick) t->onTick();
    if (!alive) continue;
    t->alive_ = nullptr;
    t->inTick_ = false;
    // Ticks that fell due while the handler ran (in a message box, say) are dropped.
    if (t->running()) t->nextDue_ = nextBeatAfter(t->nextDue_, t->interval_, now());
  }
  backend_.timersChanged();
}

}  // namespace platform
