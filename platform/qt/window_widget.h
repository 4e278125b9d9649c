#pragma once

#include <QPoint>
#include <QWidget>
#include <unordered_map>

#include "platform/qt/unit_widget.h"
#include "platform/window.h"

namespace platform::qt {

// The top-level widget of an open window and the widgets of its units. A unit gets its widget
// (with those of its units) when it can first be seen: when the window shows, or later, when it
// or a holder shows. The close box, Esc, dragging and the window system's moves and resizes go to
// the window unit; the unit decides.
class WindowWidget : public QWidget {
 public:
  // `modal`: the program's other windows take no input while this one is open.
  WindowWidget(Window& window, bool modal);
  ~WindowWidget() override;

  Window& window() const { return *window_; }
  bool live() const { return window_ != nullptr; }
  // nullptr for a unit that draws nothing. A unit not seen yet gets its widget now, hidden.
  QWidget* widgetOf(const Unit& unit);
  void changed(Unit& unit, Property property);
  // The window closed: lets go of every unit, hides, and deletes itself later.
  void closedByModel();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The widgets of the holder's units that can be seen, each with its own units'.
  void build(Unit& holder, QWidget* parent);
  UnitWidget* create(Unit& unit, QWidget* parent);
  // A widget made after the others, for a unit whose holder has one (nullptr otherwise).
  UnitWidget* createLater(Unit& unit);
  UnitWidget* existing(const Unit& unit) const;
  void orderFocusChain();
  // The focused unit can be seen and is the unit or lies in it.
  bool showsFocusedUnit(const Unit& unit) const;
  void applyWindowProperty(Property property);
  void applyFlags();
  void applyGeometry();
  void applyOutline();
  void applyFocus();
  bool dragEvent(QEvent* event);

  Window* window_;
  std::unordered_map<const Unit*, UnitWidget*> units_;
  // The focused unit as last drawn.
  const Unit* focusShown_ = nullptr;
  bool applying_ = false;
  bool closing_ = false;
  // Dragging the window by any point.
  bool dragArmed_ = false;
  bool dragging_ = false;
  QPoint dragStart_;
  QPoint dragOrigin_;
};

}  // namespace platform::qt
