#include "platform/qt/unit_widget.h"

#include <QMouseEvent>
#include <QWidget>

#include "platform/qt/qt_style.h"

namespace platform::qt {

namespace {

Qt::CursorShape shapeOf(Cursor cursor) {
  switch (cursor) {
    case Cursor::Hand:
      return Qt::PointingHandCursor;
    case Cursor::IBeam:
      return Qt::IBeamCursor;
    case Cursor::Arrow:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

void UnitWidget::showAll() {
  for (Property p : {Property::Geometry, Property::Disabled, Property::Appearance}) changed(p);
  // A list's columns, with its rows.
  refresh(Property::Items);
  refresh(Property::Content);
  refresh(Property::Caption);
  refresh(Property::Picture);
  refresh(Property::Checked);
  refresh(Property::Selection);
  refresh(Property::SelectedRow);
  refresh(Property::CurrentItem);
  refresh(Property::Range);
  refresh(Property::Address);
  refresh(Property::Focus);
  // Last: a widget made while its window shows is drawn from every property at once, as are
  // those made before the window showed.
  changed(Property::Visible);
}

void UnitWidget::changed(Property property) {
  if (!live()) return;
  QWidget* w = widget();
  const Unit& u = unit();
  switch (property) {
    case Property::Geometry:
      w->setGeometry(u.left(), u.top(), u.width(), u.height());
      break;
    case Property::Visible:
      // Qt hides the children of a hidden widget itself, as a hidden holder hides its units.
      w->setVisible(u.visible());
      break;
    case Property::Disabled:
      w->setEnabled(!u.disabled());
      break;
    case Property::Appearance:
      w->setFont(toQFont(u.font()));
      w->setCursor(shapeOf(u.cursor()));
      w->setToolTip(toQString(u.hintText()));
      break;
    default:
      break;
  }
  refresh(property);
}

void UnitWidget::mousePressed(const QMouseEvent& event) {
  if (!live()) return;
  if (event.button() == Qt::LeftButton) {
    leftPressed_ = true;
  } else if (event.button() == Qt::RightButton) {
    const QPoint p = event.position().toPoint();
    unit().userRightButtonDown({p.x(), p.y(), 0});
  }
}

void UnitWidget::focusedByQt(Qt::FocusReason reason) {
  const bool byUser = reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                      reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
  if (byUser && live() && !unit().hasFocus()) unit().setFocus();
}

void UnitWidget::mouseReleased(const QMouseEvent& event) {
  if (!live() || event.button() != Qt::LeftButton || !leftPressed_) return;
  leftPressed_ = false;
  if (widget()->rect().contains(event.position().toPoint())) unit().userClick();
}

}  // namespace platform::qt
