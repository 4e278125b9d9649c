#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace painter {

// A transparent (or filled) ARGB picture of the given size.
QImage canvas(int width, int height, const QColor& fill = Qt::transparent);

// The part of a picture that a unit of that size covers at (left, top): the ground a button
// or title is drawn on, so its rounded corners blend into the picture beneath.
QImage groundOf(const QImage& picture, int left, int top, int width, int height);

// A painter with antialiasing for shapes and text.
void beginSmooth(QPainter& p, QImage& image);

// Paints on the picture with draw(QPainter&) and gives the result.
template <typename Draw>
QImage paintOn(QImage image, Draw&& draw) {
  QPainter p;
  beginSmooth(p, image);
  draw(p);
  p.end();
  return image;
}

QFont uiFont(int pixelSize, bool bold = false);

QLinearGradient vertical(const QRectF& r, const QColor& top, const QColor& bottom);

void fillRounded(QPainter& p, const QRectF& r, qreal radius, const QBrush& brush,
                 const QPen& border = Qt::NoPen);

// A soft shadow under a rounded rectangle, drawn as rings of falling opacity.
void softShadow(QPainter& p, const QRectF& r, qreal radius, int spread, int alpha);

void drawText(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
              const QColor& colour, int flags = Qt::AlignCenter);

// Width of a text in the font, for placing an icon beside it.
qreal textWidth(const QString& text, const QFont& font);

}  // namespace painter
