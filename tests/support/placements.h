#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/unit.h"

// Where a unit of a form sits: its parent and its rectangle in it.
struct Placement {
  platform::Unit* unit;
  platform::Unit* parent;
  platform::Rect rect;
};

inline void expectPlacements(std::initializer_list<Placement> placements) {
  for (const Placement& p : placements) {
    SCOPED_TRACE(p.unit->name());
    EXPECT_EQ(p.unit->parent(), p.parent);
    EXPECT_EQ(p.unit->left(), p.rect.left);
    EXPECT_EQ(p.unit->top(), p.rect.top);
    EXPECT_EQ(p.unit->width(), p.rect.width);
    EXPECT_EQ(p.unit->height(), p.rect.height);
  }
}
