#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "glyphs.h"

namespace painter {

// Unit rectangles inside the 696 x 525 views that their backgrounds are laid out around.
namespace view {
inline constexpr QSize kSize{696, 525};
inline constexpr QRect kLessonTitle{192, 8, 145, 24};
inline constexpr QRect kLessonText{13, 45, 664, 384};
inline constexpr QRect kReadAlongButton{216, 456, 90, 24};
inline constexpr QRect kClickToReadButton{328, 456, 90, 24};
inline constexpr QRect kPlaybackBar{549, 463, 88, 16};
inline constexpr QRect kDrillTitle{184, 8, 248, 29};
inline constexpr QRect kDrillPreviousButton{424, 381, 80, 24};
inline constexpr QRect kPracticeStartButton{552, 488, 90, 24};
}  // namespace view

QImage lessonTextBackground();
QImage drillBackground();
QImage practiceBackground();

// A view title: an amber mark, a glyph, the caption and a quieter subtitle, on the ground
// beneath it.
QImage viewTitle(const QImage& ground, Glyph glyph, const QString& caption, int fontPx,
                 const QString& subtitle);

// The two strips of a playback bar: the empty track and the played part.
QImage barTrack(const QImage& ground);
QImage barFill(const QImage& ground);

}  // namespace painter
