#pragma once

#include <QImage>
#include <QRect>

namespace painter {

// Unit rectangles of the basics window that its pictures are laid out around.
namespace basics {
inline constexpr QRect kSkin{0, 0, 850, 680};
inline constexpr QRect kHint{184, 8, 384, 16};
inline constexpr QRect kStrip{16, 30, 640, 28};
inline constexpr QRect kPlayer{13, 61, 825, 600};
inline constexpr QRect kCloseButton{820, 5, 26, 18};
}  // namespace basics

// The window's skin: a title strip with the window's name, the light band behind the topic
// strips and the frame behind the page player.
QImage basicsSkin();
// The ground of a topic strip, under its radio buttons (#d2e8f6, the radios' own background).
QImage basicsTopicStrip();

}  // namespace painter
