#pragma once

#include <string>

#include "platform/unit.h"

namespace platform {

// A holder of other units, with an optional frame caption.
class GroupBox : public Unit {
 public:
  using Unit::Unit;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);

  std::string_view kind() const override { return "GroupBox"; }

 private:
  std::string caption_;
};

}  // namespace platform
