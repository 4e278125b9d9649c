#include "platform/menu_item.h"

#include "platform/runtime.h"

namespace platform {

MenuItem::MenuItem(Window& window, std::string name, std::string caption)
    : Unit(static_cast<Unit&>(window), name), caption_(caption.empty() ? name : caption) {}

MenuItem::MenuItem(MenuItem& parent, std::string name, std::string caption)
    : Unit(static_cast<Unit&>(parent), name), caption_(caption.empty() ? name : caption) {}

void MenuItem::setCaption(std::string caption) {
  write(caption_, std::move(caption), Property::Caption);
}

void MenuItem::setChecked(bool checked) { write(checked_, checked, Property::Checked); }

int MenuItem::level() const {
  int level = 1;
  for (const Unit* u = parent(); dynamic_cast<const MenuItem*>(u) != nullptr; u = u->parent()) {
    ++level;
  }
  return level;
}

std::vector<MenuItem*> MenuItem::items() const {
  std::vector<MenuItem*> items;
  for (Unit* child : children()) {
    if (auto* item = dynamic_cast<MenuItem*>(child)) items.push_back(item);
  }
  return items;
}

InputResult MenuItem::userChoose() {
  Runtime& rt = runtime();
  MenuItem* popup = rt.openPopup();
  if (popup == nullptr || !window().isOpen()) return InputResult::Closed;
  bool inPopup = false;
  for (const Unit* u = parent(); u != nullptr; u = u->parent()) {
    if (u == popup) inPopup = true;
  }
  if (!inPopup || isSeparator() || !items().empty()) return InputResult::NotApplicable;
  // A hidden item is not in the menu; the popup source itself may be hidden.
  for (const Unit* u = this; u != popup; u = u->parent()) {
    if (!u->visible()) return InputResult::Hidden;
    if (u->disabled()) return InputResult::Disabled;
  }
  rt.popupDismissed();
  if (onSelected) onSelected();
  return InputResult::Accepted;
}

}  // namespace platform
