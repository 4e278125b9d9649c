#pragma once

#include <QPixmap>
#include <vector>

#include "platform/navigation_bar.h"
#include "platform/qt/unit_widget.h"

namespace platform::qt {

// An outlook-style bar: the header of every group, the items of the open group (a 60 x 60 icon
// above its caption) below its header, the current item highlighted. A click on a header opens
// that group; a click on an item asks the unit, which raises itemClicked.
class NavigationBarWidget : public PlainUnitWidget {
 public:
  NavigationBarWidget(NavigationBar& bar, QWidget* parent);

  static constexpr int kHeaderHeight = 26;
  static constexpr int kIconSize = 60;
  static constexpr int kItemHeight = 88;

  // Where things are drawn, for the mouse and for tests.
  QRect headerRect(int group) const;
  QRect itemRect(int item) const;
  int openGroup() const { return openGroup_; }

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const NavigationBar& bar() const { return static_cast<const NavigationBar&>(unit()); }
  int groupCount() const;
  int itemCount() const;
  int itemAt(QPoint p) const;
  int headerAt(QPoint p) const;

  std::vector<std::vector<QPixmap>> icons_;
  int openGroup_ = 0;
  int hoverItem_ = -1;
  int pressedItem_ = -1;
};

}  // namespace platform::qt
