#pragma once

#include <QColor>

// One palette for every picture: ink blue and sky blue from the forms' own label colours,
// teal for the basics, amber as the warm accent.
namespace painter::palette {

inline const QColor kNight{0x0e, 0x2a, 0x3e};     // skin, lowest
inline const QColor kDeep{0x14, 0x3a, 0x55};      // skin, upper
inline const QColor kWell{0x0a, 0x20, 0x30};      // dark strip under the course name
inline const QColor kInk{0x1c, 0x55, 0x77};       // text on light ground
inline const QColor kSky{0x18, 0x7d, 0xb1};       // primary blue
inline const QColor kSkyLight{0x3a, 0x9d, 0xd0};  // lit primary
inline const QColor kMist{0xe0, 0xf1, 0xf9};      // pale blue ground
inline const QColor kFrost{0xee, 0xf6, 0xfa};     // page ground of the views
inline const QColor kLine{0xb6, 0xd3, 0xe3};      // thin borders on light ground
inline const QColor kPaper{0xfd, 0xfd, 0xeb};     // drill cards
inline const QColor kTeal{0x23, 0x93, 0x8c};      // basics group
inline const QColor kTealLight{0x3c, 0xb3, 0xa6};
inline const QColor kAmber{0xf0, 0xb1, 0x48};  // warm accent
inline const QColor kAmberDeep{0xdc, 0x86, 0x2a};
inline const QColor kMuted{0x8f, 0xb8, 0xcf};  // quiet text on dark ground
inline const QColor kWhite{0xff, 0xff, 0xff};

}  // namespace painter::palette
