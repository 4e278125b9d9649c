// Which widget draws which unit kind.
#include "platform/qt/button_widgets.h"
#include "platform/qt/edit_box_widget.h"
#include "platform/qt/list_view_widget.h"
#include "platform/qt/navigation_bar_widget.h"
#include "platform/qt/progress_bar_widget.h"
#include "platform/qt/rich_edit_widget.h"
#include "platform/qt/simple_widgets.h"
#include "platform/qt/unit_widget.h"
#include "platform/qt/web_view_widget.h"

namespace platform::qt {

UnitWidget* createUnitWidget(Unit& unit, QWidget* parent) {
  if (auto* u = dynamic_cast<PictureBox*>(&unit)) return new PictureBoxWidget(*u, parent);
  if (auto* u = dynamic_cast<GroupBox*>(&unit)) return new GroupBoxWidget(*u, parent);
  if (auto* u = dynamic_cast<Label*>(&unit)) return new LabelWidget(*u, parent);
  if (auto* u = dynamic_cast<ImageButton*>(&unit)) {
    return new ImageButtonWidget(*u, parent);
  }
  if (auto* u = dynamic_cast<CheckBox*>(&unit)) return new CheckBoxWidget(*u, parent);
  if (auto* u = dynamic_cast<RadioButton*>(&unit)) {
    return new RadioButtonWidget(*u, parent);
  }
  if (auto* u = dynamic_cast<EditBox*>(&unit)) return new EditBoxWidget(*u, parent);
  if (auto* u = dynamic_cast<RichEditBox*>(&unit)) {
    return new RichEditWidget(*u, parent);
  }
  if (auto* u = dynamic_cast<ListView*>(&unit)) return new ListViewWidget(*u, parent);
  if (auto* u = dynamic_cast<NavigationBar*>(&unit)) {
    return new NavigationBarWidget(*u, parent);
  }
  if (auto* u = dynamic_cast<ProgressBar*>(&unit)) {
    return new ProgressBarWidget(*u, parent);
  }
  if (auto* u = dynamic_cast<WebView*>(&unit)) return new WebViewWidget(*u, parent);
  return nullptr;
}

}  // namespace platform::qt
