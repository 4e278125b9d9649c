#include "platform/window.h"

#include <algorithm>

#include "platform/menu_item.h"
#include "platform/runtime.h"

namespace platform {

Window::Window(Runtime& runtime, std::string name, Rect rect)
    : Unit(WindowItself{}, std::move(name), rect), runtime_(runtime) {
  window_ = this;
}

Window::~Window() { runtime_.forget(*this); }

void Window::removeUnit(Unit& unit) {
  std::erase(units_, &unit);
  if (focused_ == &unit) focused_ = nullptr;
}

void Window::setFocused(Unit* unit) { write(focused_, unit, Property::Focus); }

void Window::raiseSizeChanged() {
  if (onSizeChanged) onSizeChanged();
}

void Window::setWidth(int width) {
  Unit::setWidth(width);
  raiseSizeChanged();
}

void Window::setHeight(int height) {
  Unit::setHeight(height);
  raiseSizeChanged();
}

void Window::setCaption(std::string caption) {
  write(caption_, std::move(caption), Property::Caption);
}

void Window::setBorder(Border border) { write(border_, border, Property::Appearance); }
void Window::setCentred(bool centred) { write(centred_, centred, Property::Appearance); }
void Window::setMovable(bool movable) { write(movable_, movable, Property::Appearance); }
void Window::setDragAnywhere(bool drag) { write(dragAnywhere_, drag, Property::Appearance); }
void Window::setEscCloses(bool closes) { write(escCloses_, closes, Property::Appearance); }
void Window::setTaskbarButton(bool shown) { write(taskbarButton_, shown, Property::Appearance); }
void Window::setOutline(Outline outline) { write(outline_, outline, Property::Appearance); }

void Window::setWindowState(int state) { write(windowState_, state, Property::WindowState); }

void Window::setAlwaysOnTop(bool onTop) { write(alwaysOnTop_, onTop, Property::AlwaysOnTop); }

void Window::close() {
  if (state_ == State::Closed) return;
  runtime_.windowClosing(*this);
}

void Window::move(int left, int top, std::optional<int> width, std::optional<int> height) {
  Rect r = rect();
  r.left = left;
  r.top = top;
  if (width) r.width = *width;
  if (height) r.height = *height;
  setGeometry(r);
  if (width || height) raiseSizeChanged();
}

void Window::popupMenu(MenuItem& top) { runtime_.popupMenu(*this, top); }

InputResult Window::userPressEsc() {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (escCloses_) close();
  return InputResult::Accepted;
}

InputResult Window::userClose() {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  close();
  return InputResult::Accepted;
}

InputResult Window::userResize(int width, int height) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  Rect r = rect();
  r.width = width;
  r.height = height;
  setGeometry(r);
  raiseSizeChanged();
  return InputResult::Accepted;
}

void Window::userMoved(int left, int top) {
  Rect r = rect();
  r.left = left;
  r.top = top;
  setGeometry(r);
}

}  // namespace platform
