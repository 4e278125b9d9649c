#include "platform/qt/key_codes.h"

#include <QKeyEvent>

namespace platform::qt {

int virtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  switch (key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kVkEnter;
    case Qt::Key_Escape:
      return kVkEscape;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      break;
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  return 0;
}

int shiftStateOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers m = event.modifiers();
  return (m.testFlag(Qt::ControlModifier) ? 1 : 0) | (m.testFlag(Qt::ShiftModifier) ? 2 : 0) |
         (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace platform::qt
