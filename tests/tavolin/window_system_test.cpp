#include <gtest/gtest.h>

#include <string>

#include "tavolin/window_system.h"

namespace {

TEST(WindowSystemTest, TheBarRunsThroughXWaylandOnlyWhereItCanAndTheUserChoseNothing) {
  struct Case {
    const char* label;
    const char* wayland;
    const char* display;
    const char* qpa;
    const char* expected;
  };
  const Case cases[] = {
      {"Wayland with XWayland", "wayland-0", ":0", nullptr, "xcb"},
      {"Wayland, platform chosen by the user", "wayland-0", ":0", "wayland", nullptr},
      {"Wayland, empty choice counts as none", "wayland-0", ":0", "", "xcb"},
      {"Wayland without XWayland", "wayland-0", nullptr, nullptr, nullptr},
      {"X11 session", nullptr, ":0", nullptr, nullptr},
      {"no window system named", nullptr, nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const char* chosen = tavolin::barPlatform(c.wayland, c.display, c.qpa);
    EXPECT_EQ(chosen == nullptr ? std::string("(Qt's choice)") : std::string(chosen),
              c.expected == nullptr ? std::string("(Qt's choice)") : std::string(c.expected));
  }
}

}  // namespace
