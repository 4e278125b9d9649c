#pragma once

#include <functional>
#include <string>

#include "platform/unit.h"

namespace platform {

// A check box: a click toggles the mark, then raises onClicked.
class CheckBox : public Unit {
 public:
  using Unit::Unit;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  bool checked() const { return checked_; }
  void setChecked(bool checked);

  std::function<void()> onClicked;

  std::string_view kind() const override { return "CheckBox"; }

 protected:
  void handleClick() override;

 private:
  std::string caption_;
  bool checked_ = false;
};

// A radio button. The radio buttons of one parent form a group: checking one, by a click or by
// writing true, unchecks the others. Writing raises no event; a click checks the button (also
// when it was checked already), then raises onClicked.
class RadioButton : public Unit {
 public:
  using Unit::Unit;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  bool checked() const { return checked_; }
  void setChecked(bool checked);

  std::function<void()> onClicked;

  std::string_view kind() const override { return "RadioButton"; }

 protected:
  void handleClick() override;

 private:
  std::string caption_;
  bool checked_ = false;
};

}  // namespace platform
