#include "icons.h"

#include "canvas.h"
#include "palette.h"

namespace painter {

Glyph navigationGlyph(int group, int item) {
  static constexpr Glyph kGlyphs[kNavigationGroups][kNavigationItems] = {
      {Glyph::Book, Glyph::Dialogue, Glyph::Headphones, Glyph::ChineseToKana, Glyph::KanaToChinese},
      {Glyph::Writing, Glyph::Voice, Glyph::Pitch, Glyph::Attention, Glyph::Checklist},
  };
  return kGlyphs[group][item];
}

QImage navigationIcon(int group, int item) {
  return paintOn(canvas(60, 60), [&](QPainter& p) {
    const QRectF tile(6, 5, 48, 48);
    softShadow(p, tile, 13, 3, 70);
    const bool lessons = group == 0;
    const QColor top = lessons ? palette::kSkyLight : palette::kTealLight;
    const QColor bottom = lessons ? palette::kSky.darker(112) : palette::kTeal.darker(110);
    fillRounded(p, tile, 13, vertical(tile, top, bottom));
    // A faint highlight along the upper edge gives the tile a little depth.
    fillRounded(p, tile.adjusted(1, 1, -1, -24), 12, QColor(255, 255, 255, 28));
    drawGlyph(p, navigationGlyph(group, item), tile.adjusted(10, 10, -10, -10), palette::kWhite,
              2.2);
  });
}

}  // namespace painter
