#pragma once

#include "platform/system/bytes.h"
#include "platform/unit.h"

namespace platform {

// A picture that also serves as a holder of other units.
class PictureBox : public Unit {
 public:
  using Unit::Unit;

  // Bytes of a JPEG, GIF or PNG file; empty bytes clear the picture.
  const Bytes& picture() const { return picture_; }
  void setPicture(Bytes picture);

  std::string_view kind() const override { return "PictureBox"; }

 private:
  Bytes picture_;
};

}  // namespace platform
