#pragma once

#include <QPixmap>

#include "platform/progress_bar.h"
#include "platform/qt/unit_widget.h"

namespace platform::qt {

// A bar filled from the left in proportion to position / range; a position above the maximum
// shows it full. A bar with pictures draws its track picture whole and its fill picture cut at
// that fraction; one without draws plain colours. A bar designed as a slider follows the mouse
// while the left button is held, asking the unit, which raises positionChanged.
class ProgressBarWidget : public PlainUnitWidget {
 public:
  ProgressBarWidget(ProgressBar& bar, QWidget* parent);

  // The position that a point at x stands for.
  int positionAtX(int x) const;

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const ProgressBar& bar() const { return static_cast<const ProgressBar&>(unit()); }
  // position / range within 0 and 1.
  double filledPart() const;
  void dragTo(int x);
  bool dragging_ = false;
  QPixmap track_;
  QPixmap fill_;
};

}  // namespace platform::qt
