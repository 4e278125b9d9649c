#include "platform/unit.h"

#include <algorithm>

#include "platform/runtime.h"
#include "platform/utf32.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"

namespace platform {

std::string_view describe(InputResult result) {
  switch (result) {
    case InputResult::Accepted:
      return "accepted";
    case InputResult::Hidden:
      return "it is hidden (or a holder of it is)";
    case InputResult::Disabled:
      return "it is disabled (or a holder of it is)";
    case InputResult::Blocked:
      return "a modal window, message box or popup menu is open above it";
    case InputResult::Closed:
      return "its window is not open";
    case InputResult::NotApplicable:
      return "the action does not apply to it";
  }
  return "unknown";
}

Unit::Unit(Unit& parent, std::string name, Rect rect)
    : name_(std::move(name)), parent_(&parent), window_(parent.window_), rect_(rect) {
  parent.children_.push_back(this);
  window_->addUnit(*this);
}

Unit::Unit(WindowItself, std::string name, Rect rect) : name_(std::move(name)), rect_(rect) {}

Unit::~Unit() {
  if (parent_ != nullptr) std::erase(parent_->children_, this);
  if (window_ != nullptr && window_ != this) window_->removeUnit(*this);
}

Runtime& Unit::runtime() const { return window_->runtime(); }

void Unit::setGeometry(Rect rect) { write(rect_, rect, Property::Geometry); }

void Unit::setLeft(int left) { setGeometry({left, rect_.top, rect_.width, rect_.height}); }
void Unit::setTop(int top) { setGeometry({rect_.left, top, rect_.width, rect_.height}); }
void Unit::setWidth(int width) { setGeometry({rect_.left, rect_.top, width, rect_.height}); }
void Unit::setHeight(int height) { setGeometry({rect_.left, rect_.top, rect_.width, height}); }

void Unit::setVisible(bool visible) {
  if (visible_ == visible) return;
  write(visible_, visible, Property::Visible);
}

bool Unit::shown() const {
  if (!visible_) return false;
  if (parent_ == nullptr) return window_->isOpen();
  return parent_->shown();
}

void Unit::setDisabled(bool disabled) {
  if (disabled_ == disabled) return;
  write(disabled_, disabled, Property::Disabled);
}

bool Unit::disabledInEffect() const {
  for (const Unit* u = this; u != nullptr; u = u->parent_) {
    if (u->disabled_) return true;
  }
  return false;
}

void Unit::setFocus() { window_->setFocused(this); }
bool Unit::hasFocus() const { return window_->focusedUnit() == this; }

void Unit::setFont(Font font) { write(font_, std::move(font), Property::Appearance); }
void Unit::setTextColor(Color color) { write(textColor_, color, Property::Appearance); }
void Unit::setBackgroundColor(Color color) { write(backgroundColor_, color, Property::Appearance); }
void Unit::setCursor(Cursor cursor) { write(cursor_, cursor, Property::Appearance); }
void Unit::setHintText(std::string text) {
  write(hintText_, std::move(text), Property::Appearance);
}

void Unit::changed(Property property) {
  if (window_->live()) runtime().backend().unitChanged(*this, property);
}

InputResult Unit::inputState() const {
  if (!window_->isOpen()) return InputResult::Closed;
  if (!shown()) return InputResult::Hidden;
  if (disabledInEffect()) return InputResult::Disabled;
  const Runtime& rt = runtime();
  if (rt.inMessageBox() || rt.openPopup() != nullptr || rt.openWindows().empty() ||
      rt.openWindows().back() != window_) {
    return InputResult::Blocked;
  }
  return InputResult::Accepted;
}

InputResult Unit::userClick() {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (onLeftButtonUp) onLeftButtonUp({});
  if (window_->isOpen()) handleClick();
  return InputResult::Accepted;
}

InputResult Unit::userRightButtonDown(MouseEvent event) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (onRightButtonDown) onRightButtonDown(event);
  return InputResult::Accepted;
}

InputResult Unit::userPressKey(int keyCode, int shiftState) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (!keyReachesUnit(keyCode, shiftState)) return InputResult::Accepted;
  constexpr int kInsert = 45, kControl = 1, kShift = 2;
  const bool paste =
      (keyCode == 'V' && shiftState == kControl) || (keyCode == kInsert && shiftState == kShift);
  if (!paste || !takesText()) {
    handleKey(keyCode, shiftState);
    return InputResult::Accepted;
  }
  const std::u32string text = toBoxText(runtime().backend().clipboardText());
  if (!text.empty()) handleText(text, TextEntry::Whole);
  return InputResult::Accepted;
}

InputResult Unit::textInputState() const {
  const InputResult state = inputState();
  if (state == InputResult::Accepted && !takesText()) return InputResult::NotApplicable;
  return state;
}

InputResult Unit::userType(std::string_view utf8) {
  const InputResult state = textInputState();
  if (state != InputResult::Accepted) return state;
  // CR LF is one key, as a line break is one character.
  for (char32_t c : toBoxText(utf8)) {
    if (!window_->isOpen()) break;
    if (keyReachesUnit(virtualKeyOf(c), 0))
      handleText(std::u32string_view(&c, 1), TextEntry::Typed);
  }
  return InputResult::Accepted;
}

InputResult Unit::userCommitComposition(std::string_view utf8) {
  const InputResult state = textInputState();
  if (state != InputResult::Accepted) return state;
  const std::u32string text = toBoxText(utf8);
  if (keyReachesUnit(kInputMethodKey, 0) && !text.empty()) handleText(text, TextEntry::Whole);
  return InputResult::Accepted;
}

bool Unit::keyReachesUnit(int keyCode, int shiftState) {
  if (!onKeyDown) return true;
  const std::optional<bool> result = onKeyDown(keyCode, shiftState);
  return !(result.has_value() && !*result);
}

void Unit::handleKey(int, int) {}
void Unit::handleText(std::u32string_view, TextEntry) {}

int virtualKeyOf(char32_t c) {
  if (c >= U'a' && c <= U'z') return static_cast<int>(c - U'a' + U'A');
  if ((c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') || c == U' ') return static_cast<int>(c);
  if (c == U'\n' || c == U'\r') return 13;
  // Any other character comes through the input method.
  return kInputMethodKey;
}

}  // namespace platform
