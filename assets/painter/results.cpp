#include "results.h"

#include "canvas.h"
#include "palette.h"

namespace painter {
namespace {

// The ground the form gives the count labels and radios.
const QColor kSheetGround{0xd2, 0xe8, 0xf6};
constexpr qreal kTitleHeight = 30;
constexpr qreal kHeadingHeight = 22;

void drawHeadings(QPainter& p) {
  const QRectF strip(results::kList.left(), results::kList.top() - kHeadingHeight,
                     results::kList.width(), kHeadingHeight);
  fillRounded(p, strip.adjusted(0, 0, 0, 4), 4, palette::kSky);
  const QString headings[] = {QStringLiteral("题目"), QStringLiteral("正确答案"),
                              QStringLiteral("您的答案"), QStringLiteral("结果")};
  // The list's frame is one pixel wide: its columns start one pixel in.
  qreal left = strip.left() + 1;
  for (int i = 0; i < 4; ++i) {
    const QRectF cell(left, strip.top(), results::kColumnWidths[i], strip.height());
    drawText(p, cell, headings[i], uiFont(13, true), palette::kWhite);
    if (i > 0) {
      p.setPen(QPen(QColor(255, 255, 255, 90), 1));
      p.drawLine(QPointF(left - 0.5, strip.top() + 5), QPointF(left - 0.5, strip.bottom() - 5));
    }
    left += results::kColumnWidths[i];
  }
}

QImage mark(const QColor& colour, bool tick) {
  return paintOn(canvas(16, 16), [&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(palette::kWhite, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (tick) {
      p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
    } else {
      p.drawLine(QPointF(5, 5), QPointF(11, 11));
      p.drawLine(QPointF(11, 5), QPointF(5, 11));
    }
  });
}

}  // namespace

QImage resultsSkin() {
  return paintOn(canvas(results::kSize.width(), results::kSize.height(), kSheetGround),
                 [&](QPainter& p) {
                   const QRectF title(0, 0, results::kSize.width(), kTitleHeight);
                   p.fillRect(title, vertical(title, palette::kDeep, palette::kNight));
                   drawText(p, QRectF(12, 0, 100, kTitleHeight), QStringLiteral("Sorandel"),
                            uiFont(15, true), palette::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
                   fillRounded(p, QRectF(104, 9, 4, 12), 2, palette::kAmber);
                   drawText(p, QRectF(116, 0, 200, kTitleHeight), QStringLiteral("练习得分统计"),
                            uiFont(13), palette::kMuted, Qt::AlignLeft | Qt::AlignVCenter);
                   // The close cross, under the close button's own picture.
                   const QRectF close(results::kCloseButton);
                   p.setPen(QPen(palette::kWhite, 1.6, Qt::SolidLine, Qt::RoundCap));
                   const QPointF c = close.center();
                   p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
                   p.drawLine(c + QPointF(4, -4), c + QPointF(-4, 4));

                   p.setPen(QPen(palette::kLine, 1));
                   p.drawLine(QPointF(16, 66.5), QPointF(624, 66.5));
                   drawHeadings(p);
                   p.fillRect(QRectF(results::kList).adjusted(-1, -1, 1, 1), palette::kLine);
                   p.fillRect(QRectF(results::kList), palette::kWhite);
                 });
}

QImage crossMark() { return mark(QColor(0xd9, 0x3a, 0x2e), false); }

QImage tickMark() { return mark(QColor(0x2e, 0x9d, 0x3a), true); }

}  // namespace painter
