#include "platform/progress_bar.h"

#include <algorithm>

namespace platform {

void ProgressBar::setMinimum(int minimum) { write(minimum_, minimum, Property::Range); }

void ProgressBar::setMaximum(int maximum) { write(maximum_, maximum, Property::Range); }

void ProgressBar::setPosition(int position) { write(position_, position, Property::Range); }

void ProgressBar::setSlider(bool slider) { write(slider_, slider, Property::Appearance); }

void ProgressBar::setTrackPicture(SharedBytes picture) {
  write(trackPicture_, std::move(picture), Property::Picture);
}

void ProgressBar::setFillPicture(SharedBytes picture) {
  write(fillPicture_, std::move(picture), Property::Picture);
}

InputResult ProgressBar::userDragTo(int position) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (!slider_) return InputResult::NotApplicable;
  const int kept = std::clamp(position, minimum_, std::max(minimum_, maximum_));
  if (kept == position_) return InputResult::Accepted;
  write(position_, kept, Property::Range);
  if (onPositionChanged) onPositionChanged();
  return InputResult::Accepted;
}

}  // namespace platform
