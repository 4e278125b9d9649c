#pragma once

#include <QImage>
#include <QString>

#include "glyphs.h"

namespace painter {

struct ButtonPictures {
  QImage normal;
  QImage hover;
};

// Each button is drawn on the ground it lies on (the part of the picture beneath it).

// Filled sky-blue button on the dark frame (课程选择).
ButtonPictures primaryButton(const QImage& ground, Glyph glyph, const QString& caption);

// Outlined button on the dark frame that warms to amber under the mouse (switch to Tavolin).
ButtonPictures outlineButton(const QImage& ground, Glyph glyph, const QString& caption);

// Glyph-only window button; the close button turns coral under the mouse.
ButtonPictures windowButton(const QImage& ground, Glyph glyph, bool closes);

// Light pill on light ground (mode and step buttons).
ButtonPictures lightButton(const QImage& ground, Glyph glyph, const QString& caption);

// The same pill filled in sky blue: the look of a mode that is on.
QImage activePill(const QImage& ground, Glyph glyph, const QString& caption);

// Filled call to action on light ground; warm for starting, blue for handing in.
ButtonPictures actionButton(const QImage& ground, Glyph glyph, const QString& caption, bool warm);

// Round replay button.
ButtonPictures soundButton(const QImage& ground);

}  // namespace painter
