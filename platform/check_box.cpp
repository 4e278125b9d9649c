#include "platform/check_box.h"

namespace platform {

void CheckBox::setCaption(std::string caption) {
  write(caption_, std::move(caption), Property::Caption);
}

void CheckBox::setChecked(bool checked) { write(checked_, checked, Property::Checked); }

void CheckBox::handleClick() {
  setChecked(!checked_);
  if (onClicked) onClicked();
}

void RadioButton::setCaption(std::string caption) {
  write(caption_, std::move(caption), Property::Caption);
}

void RadioButton::setChecked(bool checked) {
  write(checked_, checked, Property::Checked);
  if (!checked || parent() == nullptr) return;
  for (Unit* sibling : parent()->children()) {
    auto* radio = dynamic_cast<RadioButton*>(sibling);
    if (radio != nullptr && radio != this && radio->checked_) {
      radio->checked_ = false;
      radio->changed(Property::Checked);
    }
  }
}

void RadioButton::handleClick() {
  setChecked(true);
  if (onClicked) onClicked();
}

}  // namespace platform
