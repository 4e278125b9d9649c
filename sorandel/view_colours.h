#pragma once

#include "platform/design.h"

// The colours of the lesson views' own units, matched to the grounds of their background
// pictures (assets/assets.h) so that labels and radios sit flat on them.
namespace view_colours {

inline constexpr platform::Color kInk = platform::rgb(0x1c, 0x55, 0x77);
// The flat #e0f1f9 ground of the title and control rows.
inline constexpr platform::Color kGround = platform::rgb(0xe0, 0xf1, 0xf9);
// The #fdfdeb paper of the drill's caption card and typing row.
inline constexpr platform::Color kPaper = platform::rgb(0xfd, 0xfd, 0xeb);

}  // namespace view_colours
