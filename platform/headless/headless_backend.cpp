#include "platform/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/virtual_keys.h"

namespace platform {

// Recordings play on the virtual clock: the position is the time since play, up to the length.
class HeadlessBackend::ClockAudio : public AudioOutput {
 public:
  explicit ClockAudio(const HeadlessBackend& backend) : backend_(backend) {}

  std::unique_ptr<AudioStream> play(std::unique_ptr<PcmSource>, std::int64_t lengthMs) override {
    return std::make_unique<Stream>(backend_, lengthMs);
  }

 private:
  class Stream : public AudioStream {
   public:
    Stream(const HeadlessBackend& backend, std::int64_t lengthMs)
        : backend_(backend), startedAt_(backend.nowMs()), lengthMs_(lengthMs) {}
    std::int64_t playedMs() const override {
      if (stoppedAt_) return *stoppedAt_;
      return std::min(backend_.nowMs() - startedAt_, lengthMs_);
    }
    bool finished() const override { return stoppedAt_.has_value() || playedMs() >= lengthMs_; }
    void stop() override {
      if (!stoppedAt_) stoppedAt_ = playedMs();
    }

   private:
    const HeadlessBackend& backend_;
    std::int64_t startedAt_;
    std::int64_t lengthMs_;
    std::optional<std::int64_t> stoppedAt_;
  };

  const HeadlessBackend& backend_;
};

HeadlessBackend::HeadlessBackend() : audio_(std::make_unique<ClockAudio>(*this)) {}

// An answer or script never used means a box or window the test expected did not come.
HeadlessBackend::~HeadlessBackend() {
  if (!messageBoxAnswers_.empty()) {
    ADD_FAILURE() << messageBoxAnswers_.size()
                  << " message box answer(s) given by the test were never asked for";
  }
  if (!windowScripts_.empty()) {
    ADD_FAILURE() << windowScripts_.size()
                  << " window script(s) given by the test were never used: the window did not open";
  }
}

void HeadlessBackend::setScreen(int width, int height) {
  screenWidth_ = width;
  screenHeight_ = height;
}

void HeadlessBackend::advance(std::int64_t ms) {
  const std::int64_t target = now_ + std::max<std::int64_t>(ms, 0);
  while (runtime_ != nullptr) {
    const std::optional<std::int64_t> due = runtime_->nextTimerDue();
    if (!due || *due > target) break;
    now_ = std::max(now_, *due);
    runtime_->fireDueTimers();
  }
  // A message box answered inside a tick may have moved the clock past the target already.
  now_ = std::max(now_, target);
}

bool HeadlessBackend::accepted(InputResult result, const Unit& unit, std::string_view action) {
  if (result == InputResult::Accepted) return true;
  ADD_FAILURE() << "A user cannot " << action << " " << unit.kind() << " '" << unit.name()
                << "' of window '" << unit.window().name() << "': " << describe(result);
  return false;
}

bool HeadlessBackend::click(Unit& unit) { return accepted(unit.userClick(), unit, "click"); }

bool HeadlessBackend::rightClick(Unit& unit) {
  return accepted(unit.userRightButtonDown(), unit, "right-click");
}

bool HeadlessBackend::releaseLeftButtonOnLine(RichEditBox& box, int line, int column) {
  return accepted(box.userReleaseLeftButtonOnLine(line, column), box, "click a line of");
}

bool HeadlessBackend::releaseLeftButtonAt(RichEditBox& box, int position) {
  return accepted(box.userReleaseLeftButtonAt(position), box, "click into");
}

bool HeadlessBackend::dragAcross(RichEditBox& box, int from, int to) {
  if (!accepted(box.userPressLeftButtonAt(from), box, "press the left button on")) return false;
  if (!accepted(box.userDragLeftButtonTo(to), box, "drag across")) return false;
  return accepted(box.userReleaseLeftButtonAt(to), box, "release the left button on");
}

bool HeadlessBackend::type(Unit& box, std::string_view utf8) {
  if (!accepted(box.inputState(), box, "type into")) return false;
  box.setFocus();
  return accepted(box.userType(utf8), box, "type into");
}

bool HeadlessBackend::paste(Unit& box, std::string_view utf8) {
  if (!accepted(box.textInputState(), box, "paste into")) return false;
  clipboard_ = utf8;
  return pressKey(box, 'V', vk::kControl);
}

bool HeadlessBackend::commitComposition(Unit& box, std::string_view utf8) {
  if (!accepted(box.inputState(), box, "commit a composition into")) return false;
  box.setFocus();
  return accepted(box.userCommitComposition(utf8), box, "commit a composition into");
}

bool HeadlessBackend::pressKey(Unit& unit, int keyCode, int shiftState) {
  if (!accepted(unit.inputState(), unit, "press a key on")) return false;
  unit.setFocus();
  return accepted(unit.userPressKey(keyCode, shiftState), unit, "press a key on");
}

bool HeadlessBackend::selectRow(ListView& list, int row) {
  return accepted(list.userSelectRow(row), list, "select row " + std::to_string(row) + " of");
}

bool HeadlessBackend::clickItem(NavigationBar& bar, int group, int item) {
  return accepted(bar.userClickItem(group, item), bar,
                  "click item " + std::to_string(group) + "/" + std::to_string(item) + " of");
}

bool HeadlessBackend::dragTo(ProgressBar& slider, int position) {
  return accepted(slider.userDragTo(position), slider, "drag");
}

bool HeadlessBackend::choose(MenuItem& item) { return accepted(item.userChoose(), item, "choose"); }

void HeadlessBackend::dismissMenu() {
  if (runtime_ != nullptr) runtime_->popupDismissed();
}

bool HeadlessBackend::pressEsc(Window& window) {
  return accepted(window.userPressEsc(), window, "press Esc on");
}

bool HeadlessBackend::closeWindow(Window& window) {
  return accepted(window.userClose(), window, "close");
}

void HeadlessBackend::answerNextMessageBox(int result) {
  messageBoxAnswers_.push_back([result](const MessageBox&) { return result; });
}

void HeadlessBackend::answerNextMessageBox(std::function<int(const MessageBox&)> answer) {
  messageBoxAnswers_.push_back(std::move(answer));
}

void HeadlessBackend::whenWindowOpens(std::type_index type, std::function<void(Window&)> script) {
  windowScripts_.push_back({type, std::move(script)});
}

MenuItem* HeadlessBackend::openMenu() const {
  return runtime_ != nullptr ? runtime_->openPopup() : nullptr;
}

std::vector<std::string> HeadlessBackend::soundFilesHeard() const {
  std::vector<std::string> files;
  for (const Sound& s : sounds_) {
    if (s.heard) files.push_back(s.file);
  }
  return files;
}

void HeadlessBackend::attach(Runtime& runtime) { runtime_ = &runtime; }

void HeadlessBackend::detach(Runtime& runtime) {
  if (runtime_ == &runtime) runtime_ = nullptr;
}

void HeadlessBackend::showWindow(Window& window) { windowsOpened_.push_back(window.name()); }

void HeadlessBackend::runUntilClosed(Window& window) {
  const auto it = std::find_if(windowScripts_.begin(), windowScripts_.end(),
                               [&](const WindowScript& s) { return s.type == typeid(window); });
  if (it == windowScripts_.end()) {
    ADD_FAILURE() << "Window '" << window.name()
                  << "' opened, but the test gave no script for it (whenWindowOpens)";
    window.close();
    return;
  }
  const std::function<void(Window&)> script = std::move(it->script);
  windowScripts_.erase(it);
  script(window);
  if (window.isOpen()) {
    ADD_FAILURE() << "Window '" << window.name() << "' is still open after its script";
    window.close();
  }
}

int HeadlessBackend::showMessageBox(const std::string& text, int style,
                                    const std::string& caption) {
  MessageBox box{text, style, caption, now_, 1};
  if (messageBoxAnswers_.empty()) {
    ADD_FAILURE() << "Unexpected message box \"" << text << "\" (style " << style << ", caption \""
                  << caption << "\"); it is closed as not OK";
  } else {
    const auto answer = std::move(messageBoxAnswers_.front());
    messageBoxAnswers_.pop_front();
    box.answer = answer(box);
  }
  messageBoxes_.push_back(box);
  return box.answer;
}

void HeadlessBackend::popupMenu(Window&, MenuItem&) {}

void HeadlessBackend::playSoundFile(const std::string& file, const std::string& nativePath) {
  sounds_.push_back({now_, file, !nativePath.empty()});
}

void HeadlessBackend::playClickSound(const Unit& button, const Bytes& wav) {
  clickSounds_.push_back({now_, button.name(), !wav.empty()});
}

AudioOutput& HeadlessBackend::audioOutput() { return *audio_; }

void HeadlessBackend::mediaEvent(const MediaPlayer& player, MediaEvent event) {
  recordings_.push_back({now_, event, player.file(), player.getLength()});
}

bool HeadlessBackend::startProgram(const std::string& file, const std::string& nativePath,
                                   const std::string& workingFolder) {
  programsStarted_.push_back({file, nativePath, workingFolder});
  return !nativePath.empty();
}

}  // namespace platform
