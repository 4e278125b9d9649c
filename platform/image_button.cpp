#include "platform/image_button.h"

#include "platform/runtime.h"

namespace platform {

ImageButton::ImageButton(Unit& parent, std::string name, Rect rect)
    : Unit(parent, std::move(name), rect) {
  setCursor(Cursor::Hand);
}

void ImageButton::setPicture(SharedBytes picture) {
  write(picture_, std::move(picture), Property::Picture);
}

void ImageButton::setHoverPicture(SharedBytes picture) {
  write(hoverPicture_, std::move(picture), Property::Picture);
}

void ImageButton::setClickSound(Bytes wav) {
  write(clickSound_, std::move(wav), Property::Appearance);
}

void ImageButton::setDesign(SharedBytes picture, SharedBytes hoverPicture, Bytes clickSound) {
  setPicture(std::move(picture));
  setHoverPicture(std::move(hoverPicture));
  setClickSound(std::move(clickSound));
}

void ImageButton::handleClick() {
  if (!clickSound_.empty()) runtime().backend().playClickSound(*this, clickSound_);
  if (onClicked) onClicked();
}

}  // namespace platform
