#pragma once

namespace tavolin {

// The Qt platform the bar asks for, or nullptr to leave the choice to Qt. A Wayland client can
// neither place itself nor stay above other windows, so on a Wayland session with XWayland the
// bar runs as an X11 client, unless the user chose a platform.
const char* barPlatform(const char* waylandDisplay, const char* display, const char* qpaPlatform);

}  // namespace tavolin
