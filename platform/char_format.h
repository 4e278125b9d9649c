#pragma once

#include <string>

#include "platform/design.h"

namespace platform {

// The character format of a rich edit box's text, fields in the order the programs fill them.
struct CharFormat {
  std::string fontName;         // "" = the box's font
  int fontSize = 0;             // points; 0 = the box's size
  int reserved = 0;             // written by no code; 0 adds nothing
  int effects = 0;              // bit set; 4 = underlined
  Color color = kDefaultColor;  // 0x00bbggrr; kDefaultColor = the box's text colour

  static constexpr int kUnderline = 4;
  bool underlined() const { return (effects & kUnderline) != 0; }

  bool operator==(const CharFormat&) const = default;
};

}  // namespace platform
