#pragma once

#include <functional>
#include <string>

#include "platform/unit.h"

namespace platform {

// What check boxes and radio buttons share: a caption, a check mark, and onClicked raised after
// a click has set the mark (the handler reads the new state).
class CheckableButton : public Unit {
 public:
  using Unit::Unit;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  bool checked() const { return checked_; }
  // Writing raises no event.
  virtual void setChecked(bool checked);

  std::function<void()> onClicked;

 protected:
  // The mark a click leaves.
  virtual bool checkedAfterClick() const = 0;
  void handleClick() final;

 private:
  friend class RadioButton;
  std::string caption_;
  bool checked_ = false;
};

// A check box: a click toggles the mark.
class CheckBox : public CheckableButton {
 public:
  using CheckableButton::CheckableButton;
  std::string_view kind() const override { return "CheckBox"; }

 protected:
  bool checkedAfterClick() const override { return !checked(); }
};

// A radio button. The radio buttons of one parent form a group: checking one, by a click or by
// writing true, unchecks the others. A click checks the button (also when it was checked
// already).
class RadioButton : public CheckableButton {
 public:
  using CheckableButton::CheckableButton;
  void setChecked(bool checked) override;
  std::string_view kind() const override { return "RadioButton"; }

 protected:
  bool checkedAfterClick() const override { return true; }
};

}  // namespace platform
