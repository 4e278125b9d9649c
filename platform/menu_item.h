#pragma once

#include <functional>
#include <string>

#include "platform/unit.h"

namespace platform {

// An item of a window's menu. Top-level items have the window as parent; items of a submenu have
// the item above them as parent (level 2 under level 1, and so on). A caption "-" makes a
// separator. A hidden top-level item shows no menu bar entry and serves as a popup source.
class MenuItem : public Unit {
 public:
  MenuItem(Window& window, std::string name, std::string caption = {});
  MenuItem(MenuItem& parent, std::string name, std::string caption = {});

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  bool isSeparator() const { return caption_ == "-"; }

  // Writing the check mark raises nothing; choosing the item does not change it.
  bool checked() const { return checked_; }
  void setChecked(bool checked);

  // 1 for a top-level item, 2 for an item of its submenu, ...
  int level() const;
  // The items below this one, in design order.
  std::vector<MenuItem*> items() const;

  std::function<void()> onSelected;

  // The user chose this item in the open popup menu: closes the popup, then raises onSelected.
  // Refused unless a popup containing the item is open and the item can be chosen (not a
  // separator, not the head of a submenu, not disabled).
  InputResult userChoose();

  std::string_view kind() const override { return "MenuItem"; }

 private:
  std::string caption_;
  bool checked_ = false;
};

}  // namespace platform
