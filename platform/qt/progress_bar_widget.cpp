#include "platform/qt/progress_bar_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/qt/pictures.h"
#include "platform/qt/qt_style.h"

namespace platform::qt {

ProgressBarWidget::ProgressBarWidget(ProgressBar& bar, QWidget* parent)
    : PlainUnitWidget(bar, parent) {}

void ProgressBarWidget::refresh(Property property) {
  if (property == Property::Picture) {
    track_ = decodePixmap(bar().trackPicture());
    fill_ = decodePixmap(bar().fillPicture());
  }
  if (property == Property::Range || property == Property::Appearance ||
      property == Property::Picture) {
    update();
  }
}

int ProgressBarWidget::positionAtX(int x) const {
  const double span = std::max(1, width() - 2);
  const double part = std::clamp((x - 1) / span, 0.0, 1.0);
  return bar().minimum() +
         static_cast<int>(std::lround(part * (bar().maximum() - bar().minimum())));
}

double ProgressBarWidget::filledPart() const {
  const ProgressBar& b = bar();
  const double range = b.maximum() - b.minimum();
  if (range <= 0) return b.position() > b.minimum() ? 1.0 : 0.0;
  return std::clamp((b.position() - b.minimum()) / range, 0.0, 1.0);
}

void ProgressBarWidget::paintEvent(QPaintEvent*) {
  if (!live()) return;
  QPainter p(this);
  const ProgressBar& b = bar();
  const bool strip = !track_.isNull() || !fill_.isNull();
  // A picture strip fills the whole bar; the plain bar has a frame of one pixel.
  const QRect inner = strip ? rect() : rect().adjusted(1, 1, -1, -1);
  const int filled = static_cast<int>(std::lround(inner.width() * filledPart()));
  const QRect played(inner.left(), inner.top(), filled, inner.height());
  if (track_.isNull()) {
    p.fillRect(rect(), toQColor(b.backgroundColor(), QColor(236, 240, 244)));
  } else {
    p.drawPixmap(rect(), track_);
  }
  if (fill_.isNull()) {
    p.fillRect(played, toQColor(b.textColor(), QColor(64, 140, 214)));
  } else {
    p.save();
    p.setClipRect(played);
    p.drawPixmap(rect(), fill_);
    p.restore();
  }
  if (!strip) {
    p.setPen(QColor(150, 164, 178));
    p.drawRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
  }
  if (b.slider()) {
    const int x = inner.left() + filled;
    p.fillRect(QRect(x - 3, 0, 6, height()), QColor(40, 90, 150));
  }
}

void ProgressBarWidget::dragTo(int x) {
  static_cast<ProgressBar&>(unit()).userDragTo(positionAtX(x));
}

void ProgressBarWidget::mousePressEvent(QMouseEvent* event) {
  if (!live()) return;
  mousePressed(*event);
  if (event->button() == Qt::LeftButton && bar().slider()) {
    dragging_ = true;
    dragTo(event->position().toPoint().x());
  }
}

void ProgressBarWidget::mouseMoveEvent(QMouseEvent* event) {
  if (live() && dragging_) dragTo(event->position().toPoint().x());
}

void ProgressBarWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!live()) return;
  if (dragging_) {
    dragging_ = false;
    dragTo(event->position().toPoint().x());
  }
  mouseReleased(*event);
}

}  // namespace platform::qt
