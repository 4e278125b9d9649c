#pragma once

#include <qnamespace.h>
#include <QPoint>
#include <QWidget>

#include "platform/property.h"
#include "platform/unit.h"

namespace platform::qt {

// The drawing side of one unit: a widget kept in step with the unit's properties. Input goes
// back only through the unit's user* entry points; the unit decides what it raises.
//
// A unit widget outlives its unit by a moment (its window is deleted later, after the event
// that closed it returns), so it lets go of the unit when the window closes and then does
// nothing more.
class UnitWidget {
 public:
  explicit UnitWidget(Unit& unit) : unit_(&unit) {}
  virtual ~UnitWidget() = default;
  UnitWidget(const UnitWidget&) = delete;
  UnitWidget& operator=(const UnitWidget&) = delete;

  virtual QWidget* widget() = 0;
  bool live() const { return unit_ != nullptr; }
  Unit& unit() const { return *unit_; }
  void release() {
    unit_ = nullptr;
    released();
  }

  // Draws every property (on creation) or the one that changed.
  void showAll();
  void changed(Property property);

 protected:
  // The kind's own properties; `Appearance` also after a font, colour or cursor change.
  virtual void refresh(Property property) = 0;
  // The unit is gone: drop whatever else points into it.
  virtual void released() {}

  // Plain clicks: the left button pressed and released over the unit is a click; the right
  // button pressed is a right-button-down. Both return at once when the unit is gone.
  void mousePressed(const QMouseEvent& event);
  void mouseReleased(const QMouseEvent& event);
  // Qt gave the widget the keyboard focus. When the user put it there (a click, Tab, a
  // shortcut) the unit holds the focus now; focus that Qt hands on by itself (a window
  // activated again, a popup closed) leaves the model's focus where it is. Raises nothing.
  void focusedByQt(Qt::FocusReason reason);

 private:
  Unit* unit_;
  bool leftPressed_ = false;
};

// A unit drawn by a plain widget of its own, which takes plain clicks for the unit.
class PlainUnitWidget : public QWidget, public UnitWidget {
 public:
  PlainUnitWidget(Unit& unit, QWidget* parent) : QWidget(parent), UnitWidget(unit) {}
  QWidget* widget() override { return this; }

 protected:
  void mousePressEvent(QMouseEvent* event) override { mousePressed(*event); }
  void mouseReleaseEvent(QMouseEvent* event) override { mouseReleased(*event); }
};

// The widget of a unit kind that draws (nullptr for timers, players and menu items), as a
// child of `parent`, which owns it.
UnitWidget* createUnitWidget(Unit& unit, QWidget* parent);

}  // namespace platform::qt
