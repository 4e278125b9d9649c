#pragma once

#include <cstdint>
#include <functional>

#include "platform/unit.h"

namespace platform {

// A timer on the runtime's clock. setInterval(n > 0) starts it (a running timer restarts its
// countdown), setInterval(0) stops it; it stops too when its window closes. No tick is raised
// while the handler of the previous tick is still running, also not while that handler waits
// in a message box or a modal window; ticks due meanwhile are dropped, not queued.
class Timer : public Unit {
 public:
  Timer(Unit& parent, std::string name);
  ~Timer() override;

  int interval() const { return interval_; }
  void setInterval(int milliseconds);
  bool running() const { return interval_ > 0; }

  std::function<void()> onTick;

  std::string_view kind() const override { return "Timer"; }

 protected:
  void windowClosing() override;

 private:
  friend class Runtime;

  int interval_ = 0;
  std::int64_t nextDue_ = 0;
  std::uint64_t order_ = 0;  // ties between timers due at once go by start order
  bool inTick_ = false;
  bool* alive_ = nullptr;  // cleared by the destructor while a tick handler runs
};

}  // namespace platform
