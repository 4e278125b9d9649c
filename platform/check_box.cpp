#include "platform/check_box.h"

namespace platform {

void CheckableButton::setCaption(std::string caption) {
  write(caption_, std::move(caption), Property::Caption);
}

void CheckableButton::setChecked(bool checked) { write(checked_, checked, Property::Checked); }

void CheckableButton::handleClick() {
  setChecked(checkedAfterClick());
  if (onClicked) onClicked();
}

void RadioButton::setChecked(bool checked) {
  CheckableButton::setChecked(checked);
  if (!checked) return;
  for (Unit* sibling : parent()->children()) {
    auto* radio = dynamic_cast<RadioButton*>(sibling);
    if (radio != nullptr && radio != this && radio->checked_) {
      radio->checked_ = false;
      radio->changed(Property::Checked);
    }
  }
}

}  // namespace platform
