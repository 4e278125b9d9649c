#include "glyphs.h"

#include <QPainterPath>

#include "canvas.h"

namespace painter {
namespace {

// Two characters on a diagonal, an arrow leading from the first to the second: the direction
// of a choice (from the translation to the Japanese, or back).
void translationGlyph(QPainter& p, const QString& from, const QString& to) {
  p.setFont(uiFont(11, true));
  p.drawText(QRectF(0, 0, 13, 13), Qt::AlignCenter, from);
  p.drawText(QRectF(11, 11, 13, 13), Qt::AlignCenter, to);
  QPainterPath arrow;
  arrow.moveTo(14, 4);
  arrow.quadTo(20, 4, 20, 10);
  p.drawPath(arrow);
  p.drawPolyline(QPolygonF({{17.6, 8}, {20, 10.4}, {22.4, 8}}));
}

void book(QPainter& p) {
  QPainterPath left;
  left.moveTo(12, 6.5);
  left.cubicTo(9.5, 5, 6, 4.5, 3, 5);
  left.lineTo(3, 18.5);
  left.cubicTo(6, 18, 9.5, 18.5, 12, 20);
  QPainterPath right;
  right.moveTo(12, 6.5);
  right.cubicTo(14.5, 5, 18, 4.5, 21, 5);
  right.lineTo(21, 18.5);
  right.cubicTo(18, 18, 14.5, 18.5, 12, 20);
  p.drawPath(left);
  p.drawPath(right);
  p.drawLine(QPointF(12, 6.5), QPointF(12, 20));
  for (qreal y : {9.0, 12.0, 15.0}) {
    p.drawLine(QPointF(5.5, y), QPointF(9.5, y + 0.4));
    p.drawLine(QPointF(14.5, y + 0.4), QPointF(18.5, y));
  }
}

void dialogue(QPainter& p) {
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(2.5, 3.5, 14, 10), 3, 3);
  p.drawPath(bubble);
  p.drawPolyline(QPolygonF({{6, 13.5}, {5, 17}, {9.5, 13.5}}));
  p.drawLine(QPointF(6, 7.5), QPointF(13, 7.5));
  p.drawLine(QPointF(6, 10), QPointF(11, 10));
  for (int i = 0; i < 3; ++i) {
    const qreal r = 2.5 + 2.4 * i;
    p.drawArc(QRectF(17 - r, 16.5 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
  }
}

void headphones(QPainter& p) {
  QPainterPath band;
  band.moveTo(4, 15);
  band.lineTo(4, 12);
  band.arcTo(QRectF(4, 4, 16, 16), 180, -180);
  band.lineTo(20, 15);
  p.drawPath(band);
  p.drawRoundedRect(QRectF(3, 13.5, 4.5, 7), 2, 2);
  p.drawRoundedRect(QRectF(16.5, 13.5, 4.5, 7), 2, 2);
}

void writing(QPainter& p) {
  p.drawLine(QPointF(3, 21), QPointF(13, 21));
  QPainterPath pencil;
  pencil.moveTo(6, 18);
  pencil.lineTo(7, 14);
  pencil.lineTo(17, 4);
  pencil.lineTo(20, 7);
  pencil.lineTo(10, 17);
  pencil.closeSubpath();
  p.drawPath(pencil);
  p.drawLine(QPointF(15, 6), QPointF(18, 9));
  p.setFont(uiFont(10, true));
  p.drawText(QRectF(0, 1, 11, 11), Qt::AlignCenter, QStringLiteral("あ"));
}

void voice(QPainter& p) {
  const qreal heights[] = {4, 9, 14, 7, 12, 5, 2};
  for (int i = 0; i < 7; ++i) {
    const qreal x = 3 + i * 3;
    const qreal h = heights[i];
    p.drawLine(QPointF(x, 12 - h / 2), QPointF(x, 12 + h / 2));
  }
}

void pitch(QPainter& p) {
  p.drawLine(QPointF(3, 21), QPointF(21, 21));
  QPainterPath contour;
  contour.moveTo(4, 16);
  contour.lineTo(9, 7);
  contour.lineTo(15, 7);
  contour.lineTo(20, 14);
  p.drawPath(contour);
  p.save();
  p.setBrush(p.pen().color());
  for (QPointF dot : {QPointF(4, 16), QPointF(9, 7), QPointF(15, 7), QPointF(20, 14)})
    p.drawEllipse(dot, 1.6, 1.6);
  p.restore();
}

void attention(QPainter& p) {
  p.drawEllipse(QRectF(3, 3, 14, 14));
  p.drawLine(QPointF(10, 6.5), QPointF(10, 11));
  p.save();
  p.setBrush(p.pen().color());
  p.drawEllipse(QPointF(10, 14), 0.9, 0.9);
  p.restore();
  p.drawArc(QRectF(13, 13, 8, 8), -40 * 16, 110 * 16);
  p.drawArc(QRectF(10.5, 10.5, 13, 13), -40 * 16, 110 * 16);
}

void checklist(QPainter& p) {
  p.drawRoundedRect(QRectF(4, 4, 16, 18), 2.5, 2.5);
  p.drawRoundedRect(QRectF(8.5, 2.5, 7, 3.5), 1.2, 1.2);
  for (qreal y : {10.5, 16.0}) {
    p.drawPolyline(QPolygonF({{7, y}, {8.5, y + 1.5}, {11, y - 1.2}}));
    p.drawLine(QPointF(13, y), QPointF(17, y));
  }
}

void courses(QPainter& p) {
  for (qreal y : {6.0, 12.0, 18.0}) {
    p.drawRoundedRect(QRectF(3, y - 1.5, 3, 3), 0.8, 0.8);
    p.drawLine(QPointF(9, y), QPointF(21, y));
  }
}

void switchArrows(QPainter& p) {
  p.drawLine(QPointF(4, 8), QPointF(19, 8));
  p.drawPolyline(QPolygonF({{15, 4}, {19, 8}, {15, 12}}));
  p.drawLine(QPointF(20, 16), QPointF(5, 16));
  p.drawPolyline(QPolygonF({{9, 12}, {5, 16}, {9, 20}}));
}

void play(QPainter& p) {
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(QPolygonF({{7, 4.5}, {19.5, 12}, {7, 19.5}}));
  p.restore();
}

// An arrow cursor with a small ripple where it clicks.
void pointer(QPainter& p) {
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(QPolygonF(
      {{8, 6}, {8, 21}, {11.5, 17.5}, {14, 22.5}, {16.3, 21.5}, {13.8, 16.5}, {18.5, 16.5}}));
  p.restore();
  p.drawArc(QRectF(2, 0, 12, 12), 100 * 16, 110 * 16);
}

void speaker(QPainter& p) {
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(QPolygonF({{3, 9}, {7, 9}, {12, 4.5}, {12, 19.5}, {7, 15}, {3, 15}}));
  p.restore();
  p.drawArc(QRectF(11, 8, 6, 8), -60 * 16, 120 * 16);
  p.drawArc(QRectF(10, 4.5, 11, 15), -60 * 16, 120 * 16);
}

void start(QPainter& p) {
  p.drawEllipse(QRectF(3, 3, 18, 18));
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(QPolygonF({{10, 7.8}, {16.5, 12}, {10, 16.2}}));
  p.restore();
}

void submit(QPainter& p) {
  p.drawRoundedRect(QRectF(4.5, 2.5, 15, 19), 2.5, 2.5);
  p.drawPolyline(QPolygonF({{8, 12.5}, {11, 15.5}, {16.5, 9}}));
}

}  // namespace

void drawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& colour, qreal stroke) {
  p.save();
  p.translate(box.topLeft());
  const qreal scale = box.width() / 24.0;
  p.scale(scale, scale);
  QPen pen(colour, stroke / scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::Book:
      book(p);
      break;
    case Glyph::Dialogue:
      dialogue(p);
      break;
    case Glyph::Headphones:
      headphones(p);
      break;
    case Glyph::ChineseToKana:
      translationGlyph(p, QStringLiteral("中"), QStringLiteral("あ"));
      break;
    case Glyph::KanaToChinese:
      translationGlyph(p, QStringLiteral("あ"), QStringLiteral("中"));
      break;
    case Glyph::Writing:
      writing(p);
      break;
    case Glyph::Voice:
      voice(p);
      break;
    case Glyph::Pitch:
      pitch(p);
      break;
    case Glyph::Attention:
      attention(p);
      break;
    case Glyph::Checklist:
      checklist(p);
      break;
    case Glyph::Courses:
      courses(p);
      break;
    case Glyph::Switch:
      switchArrows(p);
      break;
    case Glyph::Play:
      play(p);
      break;
    case Glyph::Pointer:
      pointer(p);
      break;
    case Glyph::Speaker:
      speaker(p);
      break;
    case Glyph::Minimise:
      p.drawLine(QPointF(6, 15), QPointF(18, 15));
      break;
    case Glyph::Close:
      p.drawLine(QPointF(7, 7), QPointF(17, 17));
      p.drawLine(QPointF(17, 7), QPointF(7, 17));
      break;
    case Glyph::Previous:
      p.drawPolyline(QPolygonF({{15, 5}, {8, 12}, {15, 19}}));
      break;
    case Glyph::Next:
      p.drawPolyline(QPolygonF({{9, 5}, {16, 12}, {9, 19}}));
      break;
    case Glyph::Start:
      start(p);
      break;
    case Glyph::Submit:
      submit(p);
      break;
  }
  p.restore();
}

}  // namespace painter
