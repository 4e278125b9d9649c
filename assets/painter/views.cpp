#include "views.h"

#include "canvas.h"
#include "palette.h"

namespace painter {
namespace {

// Ground of the practice options row: the colour the form gives its radios and check boxes.
const QColor kPracticeOptionsGround{0xa9, 0xd5, 0xe2};

QImage viewGround() { return canvas(view::kSize.width(), view::kSize.height(), palette::kFrost); }

// The band across the top of a view that carries its title. Flat, like every ground on which
// units with a background colour of their own lie, so that they sit on it without a seam.
void titleBand(QPainter& p, qreal height) {
  p.fillRect(QRectF(0, 0, view::kSize.width(), height), palette::kMist);
  p.setPen(QPen(palette::kLine, 1));
  p.drawLine(QPointF(0, height - 0.5), QPointF(view::kSize.width(), height - 0.5));
}

// A frame seated around a unit that paints its own plain ground.
void seat(QPainter& p, const QRect& unit, const QColor& fill, const QColor& border) {
  const QRectF r = QRectF(unit).adjusted(-3.5, -3.5, 3.5, 3.5);
  softShadow(p, r, 6, 3, 40);
  fillRounded(p, r, 6, fill, QPen(border, 1));
}

QImage barStrip(const QImage& ground, const QBrush& fill, const QPen& border) {
  return paintOn(ground, [&](QPainter& p) {
    fillRounded(p, QRectF(0.5, 3.5, ground.width() - 1, ground.height() - 7), 4.5, fill, border);
  });
}

}  // namespace

QImage lessonTextBackground() {
  return paintOn(viewGround(), [&](QPainter& p) {
    titleBand(p, 40);
    seat(p, view::kLessonText, palette::kWhite, palette::kLine);
    const QRectF tray(0, 440, view::kSize.width(), view::kSize.height() - 440);
    p.fillRect(tray, palette::kMist);
    p.setPen(QPen(palette::kLine, 1));
    p.drawLine(QPointF(0, 440.5), QPointF(view::kSize.width(), 440.5));
    // One rounded tray holds the two mode buttons, so they read as a pair of choices.
    const QRectF modes =
        QRectF(view::kReadAlongButton.united(view::kClickToReadButton)).adjusted(-6, -4, 6, 4);
    fillRounded(p, modes, 16, QColor(255, 255, 255, 120), QPen(palette::kLine, 1));
  });
}

QImage drillBackground() {
  return paintOn(viewGround(), [&](QPainter& p) {
    titleBand(p, 44);
    fillRounded(p, QRectF(28, 62, 640, 34), 8, palette::kSky);
    fillRounded(p, QRectF(66, 110, 564, 30), 8, palette::kMist, QPen(palette::kLine, 1));
    seat(p, {77, 165, 536, 152}, palette::kPaper, QColor(0xe3, 0xdc, 0xb0));
    seat(p, {77, 325, 536, 40}, palette::kPaper, QColor(0xe8, 0xc0, 0x80));
    drawText(p, QRectF(0, 470, view::kSize.width(), 24),
             QStringLiteral("听录音，输入日文后按回车检查；答完自动进入下一句"), uiFont(12),
             QColor(0x5d, 0x7d, 0x90));
  });
}

QImage practiceBackground() {
  return paintOn(viewGround(), [&](QPainter& p) {
    titleBand(p, 37);
    p.fillRect(QRectF(0, 37, view::kSize.width(), 31), kPracticeOptionsGround);
    seat(p, {85, 102, 560, 40}, QColor(0xff, 0xfe, 0xef), QColor(0xe3, 0xdc, 0xb0));
    for (int top : {173, 240, 320, 384})
      seat(p, {85, top, 530, 40}, QColor(0xe6, 0xf0, 0xf9), palette::kLine);
    p.setPen(QPen(palette::kLine, 1));
    p.drawLine(QPointF(0, 479.5), QPointF(view::kSize.width(), 479.5));
  });
}

QImage viewTitle(const QImage& ground, Glyph glyph, const QString& caption, int fontPx,
                 const QString& subtitle) {
  return paintOn(ground, [&](QPainter& p) {
    const qreal h = ground.height();
    fillRounded(p, QRectF(2, h * 0.2, 4, h * 0.6), 2, palette::kAmber);
    const qreal glyphSize = fontPx + 3;
    drawGlyph(p, glyph, QRectF(12, (h - glyphSize) / 2, glyphSize, glyphSize), palette::kSky, 1.8);
    const QFont font = uiFont(fontPx, true);
    const qreal left = 18 + glyphSize;
    drawText(p, QRectF(left, 0, ground.width(), h - 1), caption, font, palette::kInk,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(left + textWidth(caption, font) + 10, 0, ground.width(), h - 1), subtitle,
             uiFont(fontPx - 4), QColor(0x5d, 0x7d, 0x90), Qt::AlignLeft | Qt::AlignVCenter);
  });
}

QImage barTrack(const QImage& ground) {
  const QRectF r = ground.rect();
  return barStrip(ground, vertical(r, QColor(0xcf, 0xe2, 0xec), QColor(0xe6, 0xf1, 0xf7)),
                  QPen(palette::kLine, 1));
}

QImage barFill(const QImage& ground) {
  const QRectF r = ground.rect();
  return barStrip(ground, vertical(r, palette::kAmber, palette::kAmberDeep),
                  QPen(palette::kAmberDeep.darker(105), 1));
}

}  // namespace painter
