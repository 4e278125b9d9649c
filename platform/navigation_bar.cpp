#include "platform/navigation_bar.h"

namespace platform {

void NavigationBar::setGroups(std::vector<NavigationGroup> groups) {
  write(groups_, std::move(groups), Property::Items);
}

void NavigationBar::setCurrentGroup(int group) {
  write(currentGroup_, group, Property::CurrentItem);
}

void NavigationBar::setCurrentItem(int item) { write(currentItem_, item, Property::CurrentItem); }

InputResult NavigationBar::userClickItem(int group, int item) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (group < 0 || group >= static_cast<int>(groups_.size()) || item < 0 ||
      item >= static_cast<int>(groups_[static_cast<std::size_t>(group)].items.size())) {
    return InputResult::NotApplicable;
  }
  currentGroup_ = group;
  write(currentItem_, item, Property::CurrentItem);
  if (onItemClicked) onItemClicked(group, item);
  return InputResult::Accepted;
}

}  // namespace platform
