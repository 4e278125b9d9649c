#pragma once

class QKeyEvent;

namespace platform::qt {

// The Windows virtual-key code of a key that is not text (Enter 13, Backspace 8, Esc 27, Delete
// 46, arrows 37 to 40 ...); 0 for a key that has none.
int virtualKeyOf(const QKeyEvent& event);
// The shift state as handlers receive it: 1 Ctrl, 2 Shift, 4 Alt.
int shiftStateOf(const QKeyEvent& event);

constexpr int kVkEnter = 13;
constexpr int kVkEscape = 27;

}  // namespace platform::qt
