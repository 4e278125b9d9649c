#pragma once

namespace platform {

// The Windows virtual-key codes and shift-state bits that keys reach the units with.
namespace vk {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kInsert = 45;
constexpr int kDelete = 46;

constexpr int kControl = 1;
constexpr int kShift = 2;

// Ctrl+V or Shift+Insert.
constexpr bool isPaste(int keyCode, int shiftState) {
  return (keyCode == 'V' && shiftState == kControl) || (keyCode == kInsert && shiftState == kShift);
}

}  // namespace vk

}  // namespace platform
