#pragma once

#include <string>

#include "platform/unit.h"

namespace platform {

// A text on the window. Clicks raise onLeftButtonUp (not when disabled).
class Label : public Unit {
 public:
  using Unit::Unit;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  // The text starts this many pixels in from the left edge: for a label whose first pixels
  // a unit above it covers.
  int textIndent() const { return textIndent_; }
  void setTextIndent(int pixels);

  std::string_view kind() const override { return "Label"; }

 private:
  std::string caption_;
  int textIndent_ = 0;
};

// A label that draws only its text over whatever lies behind it.
class TransparentLabel : public Label {
 public:
  using Label::Label;
  std::string_view kind() const override { return "TransparentLabel"; }
};

}  // namespace platform
