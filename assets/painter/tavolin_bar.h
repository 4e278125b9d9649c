#pragma once

#include <QImage>

namespace painter {

// Tavolin's bar, 629 x 80: a light-blue bar (the labels' ground) inside a thin rounded grey
// frame, with a headphone icon on a blue square at the left.
QImage tavolinBarSkin();

}  // namespace painter
