#pragma once

#include <functional>

#include "platform/system/shared_bytes.h"
#include "platform/unit.h"

namespace platform {

// A bar from minimum to maximum. A position above the maximum is kept and shows the bar full.
// A bar designed as a slider can be moved by the user, which raises onPositionChanged.
// A bar may be drawn as a picture strip: its track picture whole, with the fill picture over it
// from the left up to position / range.
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

  // Bytes of a JPEG, GIF, PNG or BMP file; empty bytes draw the plain bar.
  const SharedBytes& trackPicture() const { return trackPicture_; }
  void setTrackPicture(SharedBytes picture);
  const SharedBytes& fillPicture() const { return fillPicture_; }
  void setFillPicture(SharedBytes picture);

  std::function<void()> onPositionChanged;

  // The user drags a slider to a position (kept within minimum and maximum).
  InputResult userDragTo(int position);

  std::string_view kind() const override { return "ProgressBar"; }

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  bool slider_ = false;
  SharedBytes trackPicture_;
  SharedBytes fillPicture_;
};

}  // namespace platform
