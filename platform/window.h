#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/unit.h"

namespace platform {

class MenuItem;
class Runtime;

enum class Border { None, Single, Resizable };
enum class Outline { Rectangle, RoundedRectangle };

// A window of a program. A window class derives from this, declares its units as members in form
// order (each constructed with its parent and design), sets their design attributes and binds
// their handlers in its constructor. The runtime builds it (Runtime::run, start or open), runs
// onCreated inside the building, shows it, and destroys it after it closes.
class Window : public Unit {
 public:
  Window(Runtime& runtime, std::string name, Rect rect);
  ~Window() override;

  Runtime& runtime() const { return runtime_; }

  // Every unit of the window in form order (menu items included), the window itself not.
  const std::vector<Unit*>& units() const { return units_; }

  // Writing the width or the height raises onSizeChanged (every write, like every other change
  // of the size).
  void setWidth(int width) override;
  void setHeight(int height) override;

  // Design attributes.
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  Border border() const { return border_; }
  void setBorder(Border border);
  // A centred window is placed in the middle of the screen as it is built, before its created
  // handler runs (which may place it elsewhere).
  bool centred() const { return centred_; }
  void setCentred(bool centred);
  bool movable() const { return movable_; }
  void setMovable(bool movable);
  bool dragAnywhere() const { return dragAnywhere_; }
  void setDragAnywhere(bool drag);
  bool escCloses() const { return escCloses_; }
  void setEscCloses(bool closes);
  bool taskbarButton() const { return taskbarButton_; }
  void setTaskbarButton(bool shown);
  Outline outline() const { return outline_; }
  void setOutline(Outline outline);

  // 0 normal, 2 minimised.
  int windowState() const { return windowState_; }
  void setWindowState(int state);
  bool alwaysOnTop() const { return alwaysOnTop_; }
  void setAlwaysOnTop(bool onTop);

  // Operations.
  // Closes the window with all its units; the pending Runtime::open (or run) returns once the
  // calling handler has returned. Closing the start window ends the program with exit code 0.
  void close();
  void move(int left, int top, std::optional<int> width = {}, std::optional<int> height = {});
  // Pops up the items below the top-level item at the mouse pointer. Choosing an item raises its
  // onSelected; dismissing the menu raises nothing.
  void popupMenu(MenuItem& top);

  // Events.
  std::function<void()> onCreated;
  std::function<void()> onSizeChanged;

  // Lifecycle as the runtime sees it.
  bool isOpen() const { return state_ == State::Open; }
  bool isClosed() const { return state_ == State::Closed; }
  // Open and handed to the backend: writes are reported to it.
  bool live() const { return live_; }
  Unit* focusedUnit() const { return focused_; }

  // User input on the window itself.
  InputResult userPressEsc();
  InputResult userClose();                        // the close box, Alt+F4
  InputResult userResize(int width, int height);  // dragging the frame
  void userMoved(int left, int top);              // the window was dragged (no event)

  std::string_view kind() const override { return "Window"; }

 private:
  friend class Unit;
  friend class Runtime;
  enum class State { Building, Open, Closed };

  void addUnit(Unit& unit) { units_.push_back(&unit); }
  void removeUnit(Unit& unit);
  void setFocused(Unit* unit);
  void raiseSizeChanged();

  Runtime& runtime_;
  std::vector<Unit*> units_;
  Unit* focused_ = nullptr;
  State state_ = State::Building;
  bool live_ = false;
  std::string caption_;
  Border border_ = Border::None;
  bool centred_ = false;
  bool movable_ = true;
  bool dragAnywhere_ = false;
  bool escCloses_ = false;
  bool taskbarButton_ = true;
  Outline outline_ = Outline::Rectangle;
  int windowState_ = 0;
  bool alwaysOnTop_ = false;
};

}  // namespace platform
