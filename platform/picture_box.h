#pragma once

#include "platform/system/shared_bytes.h"
#include "platform/unit.h"

namespace platform {

// A picture that also serves as a holder of other units.
class PictureBox : public Unit {
 public:
  using Unit::Unit;

  // Bytes of a JPEG, GIF, PNG or BMP file; empty bytes clear the picture.
  const SharedBytes& picture() const { return picture_; }
  void setPicture(SharedBytes picture);

  std::string_view kind() const override { return "PictureBox"; }

 private:
  SharedBytes picture_;
};

}  // namespace platform
