#include "platform/qt/popup_menu.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/qt/qt_style.h"
#include "platform/runtime.h"

namespace platform::qt {

PopupMenu::PopupMenu(MenuItem& top, QWidget* parent, std::function<void()> dismissed)
    : QMenu(parent), top_(&top), dismissed_(std::move(dismissed)) {
  setObjectName("popupMenu");
  addItems(*this, top);
  connect(this, &QMenu::aboutToHide, this, [this] {
    // Qt hides the menu before it reports the chosen action: look once that has passed.
    QTimer::singleShot(0, this, [this] {
      if (!chosen_ && dismissed_) dismissed_();
      deleteLater();
    });
  });
}

void PopupMenu::addItems(QMenu& menu, MenuItem& holder) {
  for (MenuItem* item : holder.items()) {
    if (!item->visible()) continue;
    if (item->isSeparator()) {
      menu.addSeparator();
      continue;
    }
    const QString caption = toQString(item->caption());
    if (!item->items().empty()) {
      QMenu* sub = menu.addMenu(caption);
      sub->setEnabled(!item->disabled());
      addItems(*sub, *item);
      continue;
    }
    QAction* action = menu.addAction(caption);
    action->setObjectName(toQString(item->name()));
    action->setCheckable(item->checked());
    action->setChecked(item->checked());
    action->setEnabled(!item->disabled());
    connect(action, &QAction::triggered, this, [this, item] {
      chosen_ = true;
      // The item's handler may open a modal window with an event loop of its own, in which
      // this menu is deleted: it runs once the menu is done with the click. The item is still
      // there when the runtime still holds the popup (a closed window clears it).
      Runtime* runtime = &item->runtime();
      const MenuItem* top = top_;
      QTimer::singleShot(0, QCoreApplication::instance(), [runtime, top, item] {
        if (runtime->openPopup() == top) item->userChoose();
      });
    });
  }
}

}  // namespace platform::qt
