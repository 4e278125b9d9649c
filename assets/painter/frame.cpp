#include "frame.h"

#include <QRadialGradient>

#include "canvas.h"
#include "palette.h"

namespace painter {
namespace {

void drawEmblem(QPainter& p, const QRectF& r) {
  p.save();
  p.setPen(Qt::NoPen);
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, palette::kSkyLight);
  g.setColorAt(1, palette::kTeal);
  p.setBrush(g);
  p.drawEllipse(r);
  p.restore();
  drawText(p, r.adjusted(0, -2, 0, -2), QStringLiteral("あ"), uiFont(26, true), palette::kWhite);
  // A small amber sun: the warm accent of the mark.
  p.save();
  p.setPen(QPen(palette::kDeep, 2));
  p.setBrush(palette::kAmber);
  p.drawEllipse(QPointF(r.right() - 5, r.top() + 7), 6, 6);
  p.restore();
}

// Quiet concentric waves, the one ornament of the frame.
void drawWaves(QPainter& p, const QPointF& centre, int rings, qreal step, int alpha) {
  p.save();
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= rings; ++i) {
    p.setPen(QPen(QColor(255, 255, 255, alpha), 1));
    p.drawEllipse(centre, i * step, i * step);
  }
  p.restore();
}

void drawCourseWell(QPainter& p) {
  const QRectF well(252, 93, 400, 26);
  fillRounded(p, well, 6, palette::kWell, QPen(QColor(143, 184, 207, 70), 1));
  drawText(p, QRectF(well.left() + 10, well.top(), 66, well.height() - 1),
           QStringLiteral("当前课程"), uiFont(12), palette::kMuted,
           Qt::AlignLeft | Qt::AlignVCenter);
  p.save();
  p.setPen(QPen(QColor(143, 184, 207, 90), 1));
  const qreal x = frame::kCourseLabel.left() - 6.5;
  p.drawLine(QPointF(x, well.top() + 6), QPointF(x, well.bottom() - 6));
  p.restore();
}

}  // namespace

QImage mainSkin() {
  return paintOn(canvas(frame::kSkin.width(), frame::kSkin.height()), [&](QPainter& p) {
    const QRectF all(frame::kSkin);
    p.fillRect(all, vertical(all, palette::kDeep, palette::kNight));
    QRadialGradient glow(QPointF(60, 20), 420);
    glow.setColorAt(0, QColor(58, 157, 208, 60));
    glow.setColorAt(1, QColor(58, 157, 208, 0));
    p.fillRect(all, glow);
    drawWaves(p, QPointF(690, 40), 9, 26, 9);

    drawEmblem(p, QRectF(18, 16, 50, 50));
    drawText(p, QRectF(80, 14, 300, 34), QStringLiteral("Sorandel"), uiFont(27, true),
             palette::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(82, 46, 340, 20), QStringLiteral("日常日语口语 · 听读写练"), uiFont(13),
             palette::kMuted, Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.drawLine(QPointF(8, 83.5), QPointF(874, 83.5));
    drawCourseWell(p);

    const QRectF navigation = QRectF(frame::kNavigation).adjusted(-4, -4, 4, 4);
    softShadow(p, navigation, 10, 5, 90);
    fillRounded(p, navigation, 10, vertical(navigation, QColor(0xf4, 0xf9, 0xfc), palette::kMist));
    const QRectF panel = QRectF(frame::kPanel).adjusted(-1, -1, 1, 1);
    softShadow(p, panel, 4, 5, 90);
    fillRounded(p, panel, 4, palette::kFrost, QPen(QColor(255, 255, 255, 40), 1));

    drawText(p, QRectF(14, 654, 600, 24),
             QStringLiteral("Sorandel  ·  面向中文学习者的日常日语口语课程"), uiFont(11),
             QColor(143, 184, 207, 150), Qt::AlignLeft | Qt::AlignVCenter);
  });
}

QImage lessonPanelBackground() {
  return paintOn(canvas(frame::kPanel.width(), frame::kPanel.height()), [&](QPainter& p) {
    const QRectF all(0, 0, frame::kPanel.width(), frame::kPanel.height());
    p.fillRect(all, vertical(all, palette::kFrost, palette::kMist));
    drawText(p, all, QStringLiteral("Sorandel"), uiFont(64, true), QColor(28, 85, 119, 14));
  });
}

// The panel stands behind the basics window and stays after it closes: an even light-blue
// ground in a thin frame, with nothing on it that looks as if it could be clicked.
QImage basicsPanelPicture() {
  return paintOn(canvas(frame::kPanel.width(), frame::kPanel.height()), [&](QPainter& p) {
    const QRectF all(0, 0, frame::kPanel.width(), frame::kPanel.height());
    p.fillRect(all, vertical(all, palette::kFrost, palette::kMist));
    fillRounded(p, all.adjusted(10.5, 10.5, -10.5, -10.5), 8, Qt::NoBrush, QPen(palette::kLine, 1));
    drawText(p, all, QStringLiteral("あア"), uiFont(150, true), QColor(35, 147, 140, 10));
  });
}

}  // namespace painter
