#pragma once

#include <functional>

#include "platform/unit.h"

namespace platform {

// A bar from minimum to maximum. A position above the maximum is kept and shows the bar full.
// A bar designed as a slider can be moved by the user, which raises onPositionChanged.
class ProgressBar : public Unit {
 public:
  using Unit::Unit;

  int minimum() const { return minimum_; }
  void setMinimum(int minimum);
  int maximum() const { return maximum_; }
  void setMaximum(int maximum);
  int position() const { return position_; }
  void setPosition(int position);

  bool slider() const { return slider_; }
  void setSlider(bool slider);

  std::function<void()> onPositionChanged;

  // The user drags a slider to a position (kept within minimum and maximum).
  InputResult userDragTo(int position);

  std::string_view kind() const override { return "ProgressBar"; }

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  bool slider_ = false;
};

}  // namespace platform
