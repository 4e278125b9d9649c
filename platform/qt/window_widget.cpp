#include "platform/qt/window_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>
#include <algorithm>
#include <functional>

#include "platform/qt/key_codes.h"
#include "platform/qt/qt_style.h"

namespace platform::qt {

namespace {

// The units a window can be dragged by: its holders and texts, not its controls.
bool dragsWindow(const Unit& unit) {
  const std::string_view kind = unit.kind();
  return kind == "PictureBox" || kind == "GroupBox" || kind == "Label";
}

}  // namespace

WindowWidget::WindowWidget(Window& window, bool modal) : QWidget(nullptr), window_(&window) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  if (modal) setWindowModality(Qt::ApplicationModal);
  applying_ = true;
  applyFlags();
  applyWindowProperty(Property::Caption);
  applyWindowProperty(Property::Appearance);
  installEventFilter(this);
  build(window, this);
  applying_ = false;
}

WindowWidget::~WindowWidget() = default;

void WindowWidget::build(Unit& holder, QWidget* parent) {
  // The earlier unit of a form lies above the later one: create the later ones first. A unit
  // that cannot be seen gets its widget when it shows: hidden pages cost the start nothing.
  const std::vector<Unit*>& children = holder.children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if ((*it)->visible()) create(**it, parent);
  }
}

UnitWidget* WindowWidget::create(Unit& unit, QWidget* parent) {
  UnitWidget* w = createUnitWidget(unit, parent);
  if (w == nullptr) return nullptr;
  units_.emplace(&unit, w);
  w->showAll();
  if (dragsWindow(unit)) w->widget()->installEventFilter(this);
  build(unit, w->widget());
  return w;
}

UnitWidget* WindowWidget::createLater(Unit& unit) {
  Unit& holder = *unit.parent();
  UnitWidget* holderWidget = existing(holder);
  if (&holder != window_ && holderWidget == nullptr) return nullptr;
  QWidget* parent = holderWidget != nullptr ? holderWidget->widget() : this;
  UnitWidget* w = create(unit, parent);
  if (w == nullptr) return nullptr;
  // Stacked where it would lie had it been built with the others: under the nearest earlier
  // unit that has a widget, else above them all.
  const std::vector<Unit*>& siblings = holder.children();
  auto at = std::find(siblings.begin(), siblings.end(), &unit);
  QWidget* above = nullptr;
  while (above == nullptr && at != siblings.begin()) {
    if (UnitWidget* s = existing(**--at)) above = s->widget();
  }
  if (above != nullptr) {
    w->widget()->stackUnder(above);
  } else {
    w->widget()->raise();
  }
  orderFocusChain();
  return w;
}

UnitWidget* WindowWidget::existing(const Unit& unit) const {
  const auto it = units_.find(&unit);
  return it != units_.end() ? it->second : nullptr;
}

void WindowWidget::orderFocusChain() {
  // Tab and a hidden focus widget hand the focus on along the chain, which Qt keeps in the order
  // the widgets were made: widgets made later go back to where the form's order puts them.
  QWidget* previous = nullptr;
  const std::function<void(const Unit&)> visit = [&](const Unit& holder) {
    const std::vector<Unit*>& children = holder.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      UnitWidget* w = existing(**it);
      if (w == nullptr) continue;
      QWidget* widget = w->widget();
      if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
        if (previous != nullptr) setTabOrder(previous, widget);
        previous = widget;
      }
      visit(**it);
    }
  };
  visit(*window_);
}

QWidget* WindowWidget::widgetOf(const Unit& unit) {
  if (&unit == window_) return this;
  if (UnitWidget* w = existing(unit)) return w->widget();
  if (!live() || unit.parent() == nullptr) return nullptr;
  // A unit not seen yet gets its widget now, hidden as the unit is, with its holders'.
  if (unit.parent() != window_ && widgetOf(*unit.parent()) == nullptr) return nullptr;
  UnitWidget* w = existing(unit);
  if (w == nullptr) w = createLater(const_cast<Unit&>(unit));
  return w != nullptr ? w->widget() : nullptr;
}

void WindowWidget::changed(Unit& unit, Property property) {
  if (!live()) return;
  if (&unit == window_) {
    applyWindowProperty(property);
    return;
  }
  if (UnitWidget* w = existing(unit)) {
    w->changed(property);
  } else if (property == Property::Visible && unit.visible()) {
    // Shown with every property it has now, also those written while it had no widget.
    createLater(unit);
  }
  // The focus given to a unit while it could not be seen takes effect when it shows.
  if (property == Property::Visible && showsFocusedUnit(unit)) applyFocus();
}

bool WindowWidget::showsFocusedUnit(const Unit& unit) const {
  const Unit* focused = window_->focusedUnit();
  if (focused == nullptr || !focused->shown()) return false;
  for (const Unit* u = focused; u != nullptr; u = u->parent()) {
    if (u == &unit) return true;
  }
  return false;
}

void WindowWidget::applyFlags() {
  const Window& w = *window_;
  Qt::WindowFlags flags = w.taskbarButton() ? Qt::Window : Qt::Tool;
  if (w.border() == Border::None) flags |= Qt::FramelessWindowHint;
  if (w.alwaysOnTop()) flags |= Qt::WindowStaysOnTopHint;
  if (flags == windowFlags()) return;
  const bool wasVisible = isVisible();
  setWindowFlags(flags);
  // Changing the flags hides a shown window.
  if (wasVisible) show();
}

void WindowWidget::applyGeometry() {
  const Window& w = *window_;
  // Only a sizing frame lets the user resize a window. The others say so to the window manager
  // (equal least and greatest size), which then keeps the size they ask for: GNOME's would
  // maximise a window nearly as large as the screen when it maps.
  if (w.border() == Border::Resizable) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    setFixedSize(w.width(), w.height());
  }
  setGeometry(w.left(), w.top(), w.width(), w.height());
  applyOutline();
}

void WindowWidget::applyOutline() {
  if (window_->outline() == Outline::RoundedRectangle) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 12, 12);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
  } else {
    clearMask();
  }
}

void WindowWidget::applyFocus() {
  // A unit without a widget cannot be seen, so cannot take the focus.
  const Unit* focused = window_->focusedUnit();
  UnitWidget* shown = focused != nullptr ? existing(*focused) : nullptr;
  QWidget* target = shown != nullptr ? shown->widget() : nullptr;
  if (target != nullptr && target->isVisibleTo(this) && target->isEnabled() &&
      target->focusPolicy() != Qt::NoFocus) {
    target->setFocus(Qt::OtherFocusReason);
  } else if (QWidget* current = focusWidget()) {
    // Focus on a unit that cannot take it (a hidden box) takes it away from the others.
    current->clearFocus();
  }
}

void WindowWidget::applyWindowProperty(Property property) {
  const Window& w = *window_;
  const bool wasApplying = applying_;
  applying_ = true;
  switch (property) {
    case Property::Geometry:
      applyGeometry();
      break;
    case Property::Caption:
      setWindowTitle(toQString(w.caption()));
      break;
    case Property::Appearance:
    case Property::AlwaysOnTop:
      applyFlags();
      applyGeometry();
      setFont(toQFont(w.font()));
      update();
      break;
    case Property::WindowState:
      if (w.windowState() == 2) {
        showMinimized();
      } else if (isMinimized()) {
        showNormal();
      }
      break;
    case Property::Focus:
      applyFocus();
      // The unit that lost the focus and the one that has it now redraw (caret, selection).
      for (const Unit* u : {focusShown_, static_cast<const Unit*>(w.focusedUnit())}) {
        if (u != nullptr) {
          if (UnitWidget* shown = existing(*u)) shown->changed(Property::Focus);
        }
      }
      focusShown_ = w.focusedUnit();
      break;
    default:
      break;
  }
  applying_ = wasApplying;
}

void WindowWidget::closedByModel() {
  if (!live()) return;
  for (auto& [unit, widget] : units_) widget->release();
  window_ = nullptr;
  closing_ = true;
  hide();
  deleteLater();
}

void WindowWidget::paintEvent(QPaintEvent*) {
  if (!live()) return;
  QPainter p(this);
  p.fillRect(rect(), toQColor(window_->backgroundColor(), palette().window().color()));
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  if (closing_ || !live()) {
    event->accept();
    return;
  }
  // The close box or Alt+F4: the window unit closes itself when a user may close it.
  event->ignore();
  window_->userClose();
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  if (live() && virtualKeyOf(*event) == kVkEscape) {
    window_->userPressEsc();
    return;
  }
  QWidget::keyPressEvent(event);
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
  // A click on the bare window takes the focus from the text boxes.
  if (QWidget* current = focusWidget()) current->clearFocus();
  QWidget::mousePressEvent(event);
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (live() && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    window_->userClick();
  }
}

void WindowWidget::moveEvent(QMoveEvent*) {
  if (!live() || applying_) return;
  if (x() != window_->left() || y() != window_->top()) window_->userMoved(x(), y());
}

void WindowWidget::resizeEvent(QResizeEvent*) {
  if (!live()) return;
  applyOutline();
  if (applying_) return;
  if (width() != window_->width() || height() != window_->height()) {
    window_->userResize(width(), height());
  }
}

bool WindowWidget::eventFilter(QObject*, QEvent* event) { return dragEvent(event); }

bool WindowWidget::dragEvent(QEvent* event) {
  if (!live() || !window_->dragAnywhere() || !window_->movable()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* e = static_cast<QMouseEvent*>(event);
      if (e->button() != Qt::LeftButton) return false;
      dragArmed_ = true;
      dragging_ = false;
      dragStart_ = e->globalPosition().toPoint();
      dragOrigin_ = pos();
      return false;
    }
    case QEvent::MouseMove: {
      const auto* e = static_cast<QMouseEvent*>(event);
      if (!dragArmed_ || !(e->buttons() & Qt::LeftButton)) return false;
      const QPoint delta = e->globalPosition().toPoint() - dragStart_;
      if (!dragging_ && delta.manhattanLength() < QApplication::startDragDistance()) return false;
      if (!dragging_) {
        dragging_ = true;
        // The window system moves the window where it can (Wayland needs it to).
        if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
          dragArmed_ = false;
          return true;
        }
      }
      move(dragOrigin_ + delta);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const bool dragged = dragging_;
      dragArmed_ = false;
      dragging_ = false;
      // The end of a drag is no click.
      return dragged;
    }
    default:
      return false;
  }
}

}  // namespace platform::qt
