#include "basics.h"

#include "canvas.h"
#include "palette.h"

namespace painter {
namespace {

const QColor kStripGround{0xd2, 0xe8, 0xf6};

}  // namespace

QImage basicsSkin() {
  return paintOn(canvas(basics::kSkin.width(), basics::kSkin.height()), [&](QPainter& p) {
    const QRectF all(basics::kSkin);
    p.fillRect(all, vertical(all, palette::kDeep, palette::kNight));
    // The title strip: the window's name at the left, the close cross at the right lies on it.
    const QRectF title(0, 0, all.width(), 28);
    p.fillRect(title, vertical(title, palette::kSky, palette::kDeep));
    fillRounded(p, QRectF(10, 7, 4, 14), 2, palette::kAmber);
    drawText(p, QRectF(20, 0, 160, 28), QStringLiteral("入门基础播放界面"), uiFont(14, true),
             palette::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
    // The light band behind the topic strips, wider than a strip so that it frames it.
    const QRectF band(8, 29, all.width() - 16, 30);
    fillRounded(p, band, 4, kStripGround, QPen(palette::kLine, 1));
    // The frame behind the page player.
    const QRectF frame = QRectF(basics::kPlayer).adjusted(-3, -1, 3, 3);
    softShadow(p, frame, 4, 4, 90);
    fillRounded(p, frame, 4, palette::kFrost, QPen(QColor(255, 255, 255, 60), 1));
  });
}

QImage basicsTopicStrip() {
  return canvas(basics::kStrip.width(), basics::kStrip.height(), kStripGround);
}

}  // namespace painter
