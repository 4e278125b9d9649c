#pragma once

#include <string>

#include "platform/unit.h"

namespace platform {

// A plain text box. Typed text goes in at the end; Backspace removes the last character.
class EditBox : public Unit {
 public:
  using Unit::Unit;

  const std::string& content() const { return content_; }
  void setContent(std::string content);

  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool multiLine);

  std::string_view kind() const override { return "EditBox"; }
  bool takesText() const override { return true; }

 protected:
  void handleKey(int keyCode, int shiftState) override;
  void handleText(std::u32string_view text, TextEntry entry) override;

 private:
  std::string content_;
  bool multiLine_ = false;
};

}  // namespace platform
