#pragma once

#include <string>

#include "platform/unit.h"

namespace platform {

enum class Alignment { Left, Centre, Right };

// A text on the window. Clicks raise onLeftButtonUp (not when disabled).
class Label : public Unit {
 public:
  using Unit::Unit;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment alignment);

  std::string_view kind() const override { return "Label"; }

 private:
  std::string caption_;
  Alignment alignment_ = Alignment::Left;
};

// A label that draws only its text over whatever lies behind it.
class TransparentLabel : public Label {
 public:
  using Label::Label;
  std::string_view kind() const override { return "TransparentLabel"; }
};

}  // namespace platform
