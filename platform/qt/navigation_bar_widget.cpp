#include "platform/qt/navigation_bar_widget.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/pictures.h"
#include "platform/qt/qt_style.h"

namespace platform::qt {

NavigationBarWidget::NavigationBarWidget(NavigationBar& bar, QWidget* parent)
    : PlainUnitWidget(bar, parent) {
  setMouseTracking(true);
}

int NavigationBarWidget::groupCount() const { return static_cast<int>(bar().groups().size()); }

int NavigationBarWidget::itemCount() const {
  if (openGroup_ < 0 || openGroup_ >= groupCount()) return 0;
  return static_cast<int>(bar().groups()[static_cast<std::size_t>(openGroup_)].items.size());
}

QRect NavigationBarWidget::headerRect(int group) const {
  // Headers of the open group and those above it sit at the top, the others at the bottom.
  if (group <= openGroup_) return QRect(0, group * kHeaderHeight, width(), kHeaderHeight);
  const int fromBottom = groupCount() - group;
  return QRect(0, height() - fromBottom * kHeaderHeight, width(), kHeaderHeight);
}

QRect NavigationBarWidget::itemRect(int item) const {
  const int top = (openGroup_ + 1) * kHeaderHeight + 4;
  return QRect(2, top + item * kItemHeight, width() - 4, kItemHeight);
}

int NavigationBarWidget::itemAt(QPoint p) const {
  for (int i = 0; i < itemCount(); ++i) {
    if (itemRect(i).contains(p)) return i;
  }
  return -1;
}

int NavigationBarWidget::headerAt(QPoint p) const {
  for (int g = 0; g < groupCount(); ++g) {
    if (headerRect(g).contains(p)) return g;
  }
  return -1;
}

void NavigationBarWidget::refresh(Property property) {
  if (!live()) return;
  if (property == Property::Items) {
    icons_.clear();
    for (const NavigationGroup& g : bar().groups()) {
      auto& icons = icons_.emplace_back();
      for (const NavigationItem& item : g.items) icons.push_back(decodePixmap(item.icon));
    }
    update();
  } else if (property == Property::CurrentItem) {
    if (bar().currentGroup() >= 0 && bar().currentGroup() < groupCount()) {
      openGroup_ = bar().currentGroup();
    }
    update();
  } else if (property == Property::Appearance) {
    update();
  }
}

void NavigationBarWidget::paintEvent(QPaintEvent*) {
  if (!live()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ground = toQColor(unit().backgroundColor(), QColor(232, 241, 250));
  p.fillRect(rect(), ground);
  const QColor text = toQColor(unit().textColor(), QColor(28, 85, 119));

  // The open group's items lie between its header and the headers below it.
  const int limit = openGroup_ + 1 < groupCount() ? headerRect(openGroup_ + 1).top() : height();
  p.save();
  p.setClipRect(0, 0, width(), limit);
  for (int i = 0; i < itemCount(); ++i) {
    const QRect r = itemRect(i);
    if (r.top() >= limit) break;
    const bool current = bar().currentGroup() == openGroup_ && bar().currentItem() == i;
    if (current || i == hoverItem_) {
      p.setPen(current ? QColor(84, 140, 196) : QColor(160, 190, 220));
      p.setBrush(current ? QColor(190, 218, 245) : QColor(214, 231, 248));
      p.drawRoundedRect(QRectF(r).adjusted(4.5, 1.5, -4.5, -1.5), 6, 6);
    }
    const QRect icon((width() - kIconSize) / 2, r.top() + 4, kIconSize, kIconSize);
    const auto& icons = icons_[static_cast<std::size_t>(openGroup_)];
    if (static_cast<std::size_t>(i) < icons.size() &&
        !icons[static_cast<std::size_t>(i)].isNull()) {
      p.drawPixmap(icon, icons[static_cast<std::size_t>(i)]);
    }
    p.setPen(text);
    p.setFont(font());
    const auto& item =
        bar().groups()[static_cast<std::size_t>(openGroup_)].items[static_cast<std::size_t>(i)];
    p.drawText(QRect(r.left(), icon.bottom() + 2, r.width(), r.bottom() - icon.bottom() - 2),
               Qt::AlignHCenter | Qt::AlignTop, toQString(item.caption));
  }
  p.restore();

  for (int g = 0; g < groupCount(); ++g) {
    const QRect r = headerRect(g);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(118, 170, 214));
    fill.setColorAt(1, QColor(70, 126, 180));
    p.setPen(Qt::NoPen);
    p.fillRect(r, fill);
    p.setPen(QColor(52, 96, 140));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(Qt::white);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(r, Qt::AlignCenter, toQString(bar().groups()[static_cast<std::size_t>(g)].caption));
  }
}

void NavigationBarWidget::mouseMoveEvent(QMouseEvent* event) {
  const int item = live() ? itemAt(event->position().toPoint()) : -1;
  if (item != hoverItem_) {
    hoverItem_ = item;
    update();
  }
}

void NavigationBarWidget::leaveEvent(QEvent*) {
  hoverItem_ = -1;
  update();
}

void NavigationBarWidget::mousePressEvent(QMouseEvent* event) {
  if (!live()) return;
  if (event->button() == Qt::RightButton) {
    mousePressed(*event);
    return;
  }
  if (event->button() == Qt::LeftButton) pressedItem_ = itemAt(event->position().toPoint());
}

void NavigationBarWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!live() || event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  const int header = headerAt(p);
  if (header >= 0) {
    // Opening another group is the bar's own business: it raises nothing.
    openGroup_ = header;
    hoverItem_ = -1;
    update();
    return;
  }
  const int item = itemAt(p);
  if (item >= 0 && item == pressedItem_) {
    static_cast<NavigationBar&>(unit()).userClickItem(openGroup_, item);
  }
  pressedItem_ = -1;
}

}  // namespace platform::qt
