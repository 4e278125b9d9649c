#pragma once

#include <string>

#include "platform/unit.h"

namespace platform {

// Shows a local page or movie file.
class WebView : public Unit {
 public:
  using Unit::Unit;

  // Shows the file at the address (a path as the program gives it), replacing what was shown.
  void navigate(std::string address);
  const std::string& address() const { return address_; }

  std::string_view kind() const override { return "WebView"; }

 private:
  std::string address_;
};

}  // namespace platform
