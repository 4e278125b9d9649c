#include "course_window.h"

#include "canvas.h"
#include "glyphs.h"
#include "palette.h"

namespace painter {

namespace {
// The ground the window's labels draw on.
const QColor kLabelGround{0xD2, 0xEB, 0xF0};
constexpr qreal kBandHeight = 52;
}  // namespace

QImage courseWindowSkin() {
  return paintOn(canvas(course::kSkin.width(), course::kSkin.height()), [&](QPainter& p) {
    const QRectF all(course::kSkin);
    p.fillRect(all, kLabelGround);
    const QRectF band(0, 0, all.width(), kBandHeight);
    p.fillRect(band, vertical(band, palette::kDeep, palette::kNight));
    drawGlyph(p, Glyph::Courses, QRectF(16, 15, 22, 22), palette::kAmber, 1.8);
    drawText(p, QRectF(46, 0, 220, kBandHeight), QStringLiteral("选择课程"), uiFont(18, true),
             palette::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(130, 0, 170, kBandHeight), QStringLiteral("点选一门课程，按确定"),
             uiFont(11), palette::kMuted, Qt::AlignRight | Qt::AlignVCenter);

    // A quiet line under the chosen course, and a frame around the list.
    p.setPen(QPen(QColor(28, 85, 119, 60), 1));
    const QRectF chosen(course::kChosenLabel);
    p.drawLine(QPointF(chosen.left(), chosen.bottom() + 2.5),
               QPointF(chosen.right(), chosen.bottom() + 2.5));
    const QRectF list = QRectF(course::kList).adjusted(-1.5, -1.5, 1.5, 1.5);
    fillRounded(p, list, 3, palette::kWhite, QPen(palette::kLine, 1));

    // The window's own thin border, since it has no frame.
    p.setPen(QPen(palette::kDeep, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
  });
}

}  // namespace painter
