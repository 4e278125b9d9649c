#pragma once

#include <QImage>
#include <QRect>

namespace painter {

// Unit rectangles of the results window that its skin is laid out around.
namespace results {
inline constexpr QSize kSize{640, 480};
inline constexpr QRect kList{16, 96, 608, 336};
inline constexpr QRect kOkButton{456, 445, 70, 24};
inline constexpr QRect kCancelButton{544, 445, 70, 24};
inline constexpr QRect kCloseButton{610, 6, 26, 18};
// The widths of the list's columns 题目, 正确答案, 您的答案 and 结果.
inline constexpr int kColumnWidths[] = {242, 160, 160, 45};
}  // namespace results

// The skin: title strip, the ground of the count labels and radios, the column headings above
// the list and the white frame behind it.
QImage resultsSkin();
// The marks of the list's result column, 16 x 16 on a transparent ground.
QImage crossMark();
QImage tickMark();

}  // namespace painter
