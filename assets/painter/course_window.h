#pragma once

#include <QImage>
#include <QRect>

namespace painter {

// Unit rectangles of the 350 x 467 course window that its skin is laid out around.
namespace course {
inline constexpr QRect kSkin{0, 0, 350, 467};
inline constexpr QRect kChosenLabel{24, 64, 312, 24};  // 标签1 and 课程标签 side by side
inline constexpr QRect kList{16, 96, 312, 328};
inline constexpr QRect kOkButton{168, 432, 70, 24};
inline constexpr QRect kCancelButton{256, 432, 70, 24};
inline constexpr QRect kCloseButton{312, 6, 26, 18};
}  // namespace course

// The course window's skin: the dark title band of the main window with the close button's
// place, over the labels' light blue ground with a frame around the list.
QImage courseWindowSkin();

}  // namespace painter
