#pragma once

#include <QImage>

namespace painter {

// Unit rectangles of the main window that the pictures are laid out around.
namespace frame {
inline constexpr QRect kSkin{0, 0, 882, 684};
inline constexpr QRect kNavigation{8, 127, 164, 520};
inline constexpr QRect kPanel{179, 123, 696, 525};
inline constexpr QRect kCourseButton{8, 92, 100, 28};
inline constexpr QRect kCourseLabel{336, 98, 304, 16};
inline constexpr QRect kTavolinButton{744, 92, 126, 28};
inline constexpr QRect kMinimizeButton{816, 9, 26, 18};
inline constexpr QRect kExitButton{848, 9, 26, 18};
}  // namespace frame

QImage mainSkin();
QImage lessonPanelBackground();
QImage basicsPanelPicture();

}  // namespace painter
