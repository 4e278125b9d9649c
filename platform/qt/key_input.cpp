#include "platform/qt/key_input.h"

#include <QKeyEvent>

#include "platform/qt/key_codes.h"
#include "platform/window.h"

namespace platform::qt {

void passKeyToUnit(Unit& unit, const QKeyEvent& event) {
  const int vk = virtualKeyOf(event);
  if (vk == kVkEscape) {
    unit.window().userPressEsc();
    return;
  }
  const QString text = event.text();
  const bool printable =
      !text.isEmpty() && text.at(0).isPrint() && !event.modifiers().testFlag(Qt::ControlModifier);
  if (printable) {
    unit.userType(text.toStdString());
  } else if (vk != 0) {
    unit.userPressKey(vk, shiftStateOf(event));
  }
}

}  // namespace platform::qt
