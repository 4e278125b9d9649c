#include "platform/timer.h"

#include "platform/runtime.h"

namespace platform {

Timer::Timer(Unit& parent, std::string name) : Unit(parent, std::move(name)) {}

Timer::~Timer() {
  if (alive_ != nullptr) *alive_ = false;
  if (interval_ > 0) runtime().timerStopped(*this);
}

void Timer::setInterval(int milliseconds) {
  interval_ = milliseconds > 0 ? milliseconds : 0;
  if (interval_ > 0 && !window().isClosed()) {
    runtime().timerStarted(*this);
  } else {
    interval_ = 0;
    runtime().timerStopped(*this);
  }
}

void Timer::windowClosing() { setInterval(0); }

}  // namespace platform
