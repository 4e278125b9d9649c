#pragma once

class QKeyEvent;

namespace platform {
class Unit;
}

namespace platform::qt {

// A key pressed in a text box, handed to its unit as the user meant it: Esc asks the window, a
// key that makes text types it, any other key with a virtual-key code (Ctrl+V and the other
// editing shortcuts too) is pressed. The unit raises keyDown and decides the rest.
void passKeyToUnit(Unit& unit, const QKeyEvent& event);

}  // namespace platform::qt
