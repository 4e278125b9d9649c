#pragma once

#include <functional>

#include "platform/system/bytes.h"
#include "platform/system/shared_bytes.h"
#include "platform/unit.h"

namespace platform {

// A button drawn as a picture, with a mouse-over picture that the backend shows while the
// pointer is over it. A click plays the button's click sound (WAV bytes, if any), then raises
// onClicked.
class ImageButton : public Unit {
 public:
  ImageButton(Unit& parent, std::string name, Rect rect);

  const SharedBytes& picture() const { return picture_; }
  void setPicture(SharedBytes picture);
  const SharedBytes& hoverPicture() const { return hoverPicture_; }
  void setHoverPicture(SharedBytes picture);
  const Bytes& clickSound() const { return clickSound_; }
  void setClickSound(Bytes wav);
  // Both pictures and the click sound at once, as a form designs a button.
  void setDesign(SharedBytes picture, SharedBytes hoverPicture, Bytes clickSound);

  std::function<void()> onClicked;

  std::string_view kind() const override { return "ImageButton"; }

 protected:
  void handleClick() override;

 private:
  SharedBytes picture_;
  SharedBytes hoverPicture_;
  Bytes clickSound_;
};

}  // namespace platform
