#include "tests/platform/driver.h"

namespace {

class HeadlessDriver : public Driver {
 public:
  platform::Backend& backend() override { return b_; }
  void setScreen(int width, int height) override { b_.setScreen(width, height); }
  void advance(std::int64_t ms) override { b_.advance(ms); }
  bool click(platform::Unit& unit) override { return b_.click(unit); }
  bool rightClick(platform::Unit& unit) override { return b_.rightClick(unit); }
  bool releaseLeftButtonOnLine(platform::RichEditBox& box, int line, int column) override {
    return b_.releaseLeftButtonOnLine(box, line, column);
  }
  bool dragAcross(platform::RichEditBox& box, int from, int to) override {
    return b_.dragAcross(box, from, to);
  }
  bool type(platform::Unit& box, std::string_view utf8) override { return b_.type(box, utf8); }
  bool paste(platform::Unit& box, std::string_view utf8) override { return b_.paste(box, utf8); }
  bool commitComposition(platform::Unit& box, std::string_view utf8) override {
    return b_.commitComposition(box, utf8);
  }
  bool pressKey(platform::Unit& unit, int keyCode, int shiftState) override {
    return b_.pressKey(unit, keyCode, shiftState);
  }
  bool selectRow(platform::ListView& list, int row) override { return b_.selectRow(list, row); }
  bool clickItem(platform::NavigationBar& bar, int group, int item) override {
    return b_.clickItem(bar, group, item);
  }
  bool dragTo(platform::ProgressBar& slider, int position) override {
    return b_.dragTo(slider, position);
  }
  bool choose(platform::MenuItem& item) override { return b_.choose(item); }
  bool pressEsc(platform::Window& window) override { return b_.pressEsc(window); }
  bool closeWindow(platform::Window& window) override { return b_.closeWindow(window); }
  void answerNextMessageBox(std::function<int(const MessageBox&)> answer) override {
    b_.answerNextMessageBox(std::move(answer));
  }
  void whenWindowOpens(std::type_index type,
                       std::function<void(platform::Window&)> script) override {
    b_.whenWindowOpens(type, std::move(script));
  }
  std::vector<MessageBox> messageBoxes() override { return b_.messageBoxes(); }
  std::vector<platform::HeadlessBackend::Sound> soundsPlayed() override {
    return b_.soundsPlayed();
  }
  std::vector<platform::HeadlessBackend::Sound> clickSoundsPlayed() override {
    return b_.clickSoundsPlayed();
  }
  std::vector<platform::HeadlessBackend::ProgramStart> programsStarted() override {
    return b_.programsStarted();
  }
  std::vector<platform::HeadlessBackend::Recording> recordings() override {
    return b_.recordings();
  }

 private:
  platform::HeadlessBackend b_;
};

}  // namespace

std::vector<DriverFactory> allDrivers() {
  return {{"Headless", [] { return std::make_unique<HeadlessDriver>(); }}};
}
