#include "canvas.h"

#include <QFontMetricsF>

namespace painter {

QImage canvas(int width, int height, const QColor& fill) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

QImage groundOf(const QImage& picture, int left, int top, int width, int height) {
  return picture.copy(left, top, width, height)
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void beginSmooth(QPainter& p, QImage& image) {
  p.begin(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont uiFont(int pixelSize, bool bold) {
  QFont font("Noto Sans CJK SC");
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

QLinearGradient vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

void fillRounded(QPainter& p, const QRectF& r, qreal radius, const QBrush& brush,
                 const QPen& border) {
  p.save();
  p.setPen(border);
  p.setBrush(brush);
  p.drawRoundedRect(r, radius, radius);
  p.restore();
}

void softShadow(QPainter& p, const QRectF& r, qreal radius, int spread, int alpha) {
  p.save();
  p.setBrush(Qt::NoBrush);
  for (int i = spread; i >= 1; --i) {
    const int a = alpha * (spread - i + 1) / (spread * spread);
    p.setPen(QPen(QColor(0, 0, 0, a), 2.0));
    p.drawRoundedRect(r.adjusted(-i, -i + 1, i, i + 1), radius + i, radius + i);
  }
  p.restore();
}

void drawText(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
              const QColor& colour, int flags) {
  p.save();
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, flags, text);
  p.restore();
}

qreal textWidth(const QString& text, const QFont& font) {
  return QFontMetricsF(font).horizontalAdvance(text);
}

}  // namespace painter
