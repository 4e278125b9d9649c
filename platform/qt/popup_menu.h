#pragma once

#include <QMenu>
#include <functional>

#include "platform/menu_item.h"

namespace platform::qt {

// The popup menu of the items below a top-level item: levels as submenus, separators, check
// marks, hidden items left out, disabled ones greyed. Choosing asks the item; closing the menu
// without choosing runs `dismissed`. It deletes itself when closed.
class PopupMenu : public QMenu {
 public:
  // `dismissed` runs when the menu closed without a choice.
  PopupMenu(MenuItem& top, QWidget* parent, std::function<void()> dismissed);

 private:
  void addItems(QMenu& menu, MenuItem& holder);

  const MenuItem* top_;
  std::function<void()> dismissed_;
  bool chosen_ = false;
};

}  // namespace platform::qt
