#include "buttons.h"

#include "canvas.h"
#include "palette.h"

namespace painter {
namespace {

struct Look {
  QBrush fill;
  QPen border;
  QColor ink;
};

// The glyph and the caption side by side, centred in the button.
void drawContent(QPainter& p, const QRectF& r, Glyph glyph, const QString& caption, int fontPx,
                 const QColor& ink) {
  const QFont font = uiFont(fontPx, true);
  const qreal glyphSize = fontPx + 2;
  const qreal gap = 5;
  const qreal width = glyphSize + gap + textWidth(caption, font);
  const qreal left = r.center().x() - width / 2;
  drawGlyph(p, glyph, QRectF(left, r.center().y() - glyphSize / 2, glyphSize, glyphSize), ink, 1.6);
  drawText(p, QRectF(left + glyphSize + gap, r.top(), r.width(), r.height() - 1), caption, font,
           ink, Qt::AlignLeft | Qt::AlignVCenter);
}

QImage pill(const QImage& ground, qreal radius, const Look& look, Glyph glyph,
            const QString& caption, int fontPx) {
  return paintOn(ground, [&](QPainter& p) {
    const QRectF r = QRectF(ground.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    fillRounded(p, r, radius, look.fill, look.border);
    drawContent(p, r, glyph, caption, fontPx, look.ink);
  });
}

QBrush sheen(const QRectF& r, const QColor& colour) {
  return vertical(r, colour.lighter(112), colour.darker(108));
}

}  // namespace

ButtonPictures primaryButton(const QImage& ground, Glyph glyph, const QString& caption) {
  const QRectF r = ground.rect();
  return {
      pill(ground, 6, {sheen(r, palette::kSky), Qt::NoPen, palette::kWhite}, glyph, caption, 13),
      pill(ground, 6,
           {sheen(r, palette::kSkyLight), QPen(QColor(255, 255, 255, 90), 1), palette::kWhite},
           glyph, caption, 13)};
}

ButtonPictures outlineButton(const QImage& ground, Glyph glyph, const QString& caption) {
  return {pill(ground, 6, {QColor(255, 255, 255, 14), QPen(palette::kMuted, 1), palette::kMist},
               glyph, caption, 13),
          pill(ground, 6, {QColor(240, 177, 72, 40), QPen(palette::kAmber, 1), palette::kAmber},
               glyph, caption, 13)};
}

ButtonPictures windowButton(const QImage& ground, Glyph glyph, bool closes) {
  auto draw = [&](const QBrush& fill, const QColor& ink) {
    return paintOn(ground, [&](QPainter& p) {
      fillRounded(p, QRectF(ground.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, fill);
      drawGlyph(p, glyph, QRectF(6, 2, 14, 14), ink, 1.6);
    });
  };
  const QColor hoverFill = closes ? QColor(0xe0, 0x60, 0x4a) : QColor(255, 255, 255, 40);
  return {draw(Qt::NoBrush, palette::kMuted), draw(hoverFill, palette::kWhite)};
}

ButtonPictures lightButton(const QImage& ground, Glyph glyph, const QString& caption) {
  const QRectF r = ground.rect();
  return {
      pill(ground, 12,
           {vertical(r, palette::kWhite, palette::kFrost), QPen(palette::kLine, 1), palette::kInk},
           glyph, caption, 12),
      pill(ground, 12,
           {vertical(r, palette::kWhite, palette::kMist), QPen(palette::kSky, 1), palette::kSky},
           glyph, caption, 12)};
}

QImage activePill(const QImage& ground, Glyph glyph, const QString& caption) {
  return pill(ground, 12, {sheen(ground.rect(), palette::kSky), Qt::NoPen, palette::kWhite}, glyph,
              caption, 12);
}

ButtonPictures actionButton(const QImage& ground, Glyph glyph, const QString& caption, bool warm) {
  const QRectF r = ground.rect();
  const QColor base = warm ? palette::kAmberDeep : palette::kSky;
  const QColor lit = warm ? palette::kAmber : palette::kSkyLight;
  return {pill(ground, 12, {sheen(r, base), Qt::NoPen, palette::kWhite}, glyph, caption, 12),
          pill(ground, 12, {sheen(r, lit), Qt::NoPen, palette::kWhite}, glyph, caption, 12)};
}

ButtonPictures soundButton(const QImage& ground) {
  auto draw = [&](const QColor& fill) {
    return paintOn(ground, [&](QPainter& p) {
      const QRectF r = QRectF(ground.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
      p.setPen(Qt::NoPen);
      p.setBrush(sheen(r, fill));
      p.drawEllipse(r);
      drawGlyph(p, Glyph::Speaker, r.adjusted(3.5, 3.5, -3.5, -3.5), palette::kWhite, 1.3);
    });
  };
  return {draw(palette::kSky), draw(palette::kSkyLight)};
}

}  // namespace painter
