#pragma once

#include <QLineEdit>

#include "platform/edit_box.h"
#include "platform/qt/unit_widget.h"

namespace platform::qt {

// A plain text box. Keys, typed text and input-method text go to the unit, which keeps the
// text; the box shows it, and the composition of an input method while it lasts.
class EditBoxWidget : public QLineEdit, public UnitWidget {
 public:
  EditBoxWidget(EditBox& box, QWidget* parent);
  QWidget* widget() override { return this; }

 protected:
  void refresh(Property property) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  bool composing_ = false;
};

}  // namespace platform::qt
