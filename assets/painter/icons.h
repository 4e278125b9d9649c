#pragma once

#include <QImage>

#include "glyphs.h"

namespace painter {

constexpr int kNavigationGroups = 2;
constexpr int kNavigationItems = 5;

Glyph navigationGlyph(int group, int item);

// 60 x 60: a rounded tile in the group's colour with the item's white line glyph.
QImage navigationIcon(int group, int item);

}  // namespace painter
