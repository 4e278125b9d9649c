#include "tavolin_bar.h"

#include "canvas.h"
#include "glyphs.h"
#include "palette.h"

namespace painter {

QImage tavolinBarSkin() {
  return paintOn(canvas(629, 80, palette::kWhite), [&](QPainter& p) {
    const QRectF all(0, 0, 629, 80);
    // The labels' ground, so the text lines and the bar are one surface.
    fillRounded(p, all.adjusted(0.5, 0.5, -0.5, -0.5), 12, QColor(0xe5, 0xf3, 0xff),
                QPen(QColor(0xa8, 0xb4, 0xbe), 1));
    const QRectF square(8, 8, 56, 64);
    fillRounded(p, square, 8, vertical(square, palette::kSkyLight, palette::kSky));
    drawGlyph(p, Glyph::Headphones, square.adjusted(10, 14, -10, -14), palette::kWhite, 2.2);
  });
}

}  // namespace painter
