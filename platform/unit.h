#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/design.h"
#include "platform/property.h"

namespace platform {

class Window;
class Runtime;

// Why a user action did not reach a unit. Both backends and the test harness ask for input
// through the units' user* entry points, which answer with this.
enum class InputResult {
  Accepted,
  Hidden,         // the unit or one of its holders is hidden
  Disabled,       // the unit or one of its holders is disabled
  Blocked,        // a modal window or message box is open above the unit's window
  Closed,         // the unit's window is not open
  NotApplicable,  // the action makes no sense on this unit (e.g. a row past the end)
};

std::string_view describe(InputResult result);

// How text reaches a unit: one typed character at a time, or a whole text at once (a paste, a
// conversion an input method confirms).
enum class TextEntry { Typed, Whole };

// Mouse buttons and keys that handlers receive (the handlers read none of the positions).
struct MouseEvent {
  int x = 0;
  int y = 0;
  int keyState = 0;
};

// Every window element. A unit lies in a parent (its window or a holder unit), keeps its
// properties, tells the backend about each write once its window is live, and raises its events
// only for input it accepts.
class Unit {
 public:
  Unit(Unit& parent, std::string name, Rect rect = {});
  virtual ~Unit();
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  const std::string& name() const { return name_; }
  Unit* parent() const { return parent_; }
  Window& window() const { return *window_; }
  Runtime& runtime() const;
  const std::vector<Unit*>& children() const { return children_; }

  int left() const { return rect_.left; }
  int top() const { return rect_.top; }
  virtual int width() const { return rect_.width; }
  virtual int height() const { return rect_.height; }
  const Rect& rect() const { return rect_; }
  void setLeft(int left);
  void setTop(int top);
  virtual void setWidth(int width);
  virtual void setHeight(int height);

  // The unit's own flag, as last written.
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  // What a user sees: the own flag of the unit and of every holder up to an open window.
  bool shown() const;

  bool disabled() const { return disabled_; }
  void setDisabled(bool disabled);
  // True when the unit or any holder is disabled.
  bool disabledInEffect() const;

  void setFocus();
  bool hasFocus() const;

  // Design attributes common to the kinds that draw text or a background.
  const Font& font() const { return font_; }
  void setFont(Font font);
  Color textColor() const { return textColor_; }
  void setTextColor(Color color);
  Color backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(Color color);
  Cursor cursor() const { return cursor_; }
  void setCursor(Cursor cursor);
  const std::string& hintText() const { return hintText_; }
  void setHintText(std::string text);

  // Events every kind has.
  std::function<void(MouseEvent)> onLeftButtonUp;
  std::function<void(MouseEvent)> onRightButtonDown;
  // false swallows the key; no value lets the unit handle it as usual.
  std::function<std::optional<bool>(int keyCode, int shiftState)> onKeyDown;

  // Whether a user could act on this unit now, and if not, why.
  InputResult inputState() const;

  // User input, from a backend or the test harness. A refused action changes nothing.
  // A click: the left button pressed and released over the unit.
  virtual InputResult userClick();
  InputResult userRightButtonDown(MouseEvent event = {});
  // A key that is not text (Enter 13, Backspace 8, Delete 46, arrows ...), or one pressed with
  // Ctrl. The paste keys (Ctrl+V, Shift+Insert) put the clipboard's text into a text box as one
  // change; a pasted line break is text, not an Enter key.
  InputResult userPressKey(int keyCode, int shiftState = 0);
  // Text typed at the keyboard (or committed by an input method): each character's key reaches
  // onKeyDown first.
  InputResult userType(std::string_view utf8);
  // Text an input method confirms (a conversion, or the kana as they stand): the input method's
  // key (229) reaches onKeyDown once, then the whole text goes in as one change. The key that
  // confirmed it (Enter, for instance) belonged to the input method and raises nothing.
  InputResult userCommitComposition(std::string_view utf8);

  // The kind's name, for messages and logs.
  virtual std::string_view kind() const = 0;
  // Whether typed or pasted text can go into the unit (text boxes only).
  virtual bool takesText() const { return false; }
  // Whether typed or pasted text would reach the unit now.
  InputResult textInputState() const;

 protected:
  // The window constructs itself through this one (it has no parent).
  struct WindowItself {};
  Unit(WindowItself, std::string name, Rect rect);

  // Tells the backend what changed when the window is live.
  virtual void changed(Property property);
  // Every plain property write: store, then tell.
  template <class T, class V>
  void write(T& field, V&& value, Property property) {
    field = std::forward<V>(value);
    changed(property);
  }

  // Raises keyDown; true when the key goes on to the unit.
  bool keyReachesUnit(int keyCode, int shiftState);
  // What the kind does with a key or typed text that reached it.
  virtual void handleKey(int keyCode, int shiftState);
  virtual void handleText(std::u32string_view text, TextEntry entry);
  // What the kind does when clicked (after leftButtonUp).
  virtual void handleClick() {}

  // The window is closing: stop what runs on its own (timers, players).
  virtual void windowClosing() {}

 private:
  friend class Window;
  friend class Runtime;
  void setGeometry(Rect rect);

  std::string name_;
  Unit* parent_ = nullptr;
  Window* window_ = nullptr;
  std::vector<Unit*> children_;
  Rect rect_;
  bool visible_ = true;
  bool disabled_ = false;
  Font font_;
  Color textColor_ = kDefaultColor;
  Color backgroundColor_ = kDefaultColor;
  Cursor cursor_ = Cursor::Arrow;
  std::string hintText_;
};

// The virtual-key code that typing a character sends before the character itself.
int virtualKeyOf(char32_t c);
// The key code of every key that an input method takes.
inline constexpr int kInputMethodKey = 229;

}  // namespace platform
