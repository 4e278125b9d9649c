#include "tavolin/window_system.h"

namespace tavolin {

namespace {
bool set(const char* value) { return value != nullptr && *value != '\0'; }
}  // namespace

const char* barPlatform(const char* waylandDisplay, const char* display, const char* qpaPlatform) {
  if (set(qpaPlatform) || !set(waylandDisplay) || !set(display)) return nullptr;
  return "xcb";
}

}  // namespace tavolin
