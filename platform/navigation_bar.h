#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/system/shared_bytes.h"
#include "platform/unit.h"

namespace platform {

struct NavigationItem {
  std::string caption;
  SharedBytes icon;
};

struct NavigationGroup {
  std::string caption;
  std::vector<NavigationItem> items;
};

// Groups of items, each with a caption and an icon. Writing the current group or item moves the
// highlight only and raises nothing; a click on an item highlights it and raises
// onItemClicked(group, item), both 0-based.
class NavigationBar : public Unit {
 public:
  using Unit::Unit;

  const std::vector<NavigationGroup>& groups() const { return groups_; }
  void setGroups(std::vector<NavigationGroup> groups);

  int currentGroup() const { return currentGroup_; }
  void setCurrentGroup(int group);
  int currentItem() const { return currentItem_; }
  void setCurrentItem(int item);

  std::function<void(int group, int item)> onItemClicked;

  InputResult userClickItem(int group, int item);

  std::string_view kind() const override { return "NavigationBar"; }

 private:
  std::vector<NavigationGroup> groups_;
  int currentGroup_ = 0;
  int currentItem_ = 0;
};

}  // namespace platform
