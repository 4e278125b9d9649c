#include "platform/qt/edit_box_widget.h"

#include <QInputMethodEvent>

#include "platform/qt/key_input.h"
#include "platform/qt/qt_style.h"

namespace platform::qt {

EditBoxWidget::EditBoxWidget(EditBox& box, QWidget* parent) : QLineEdit(parent), UnitWidget(box) {
  setAttribute(Qt::WA_InputMethodEnabled);
  setContextMenuPolicy(Qt::NoContextMenu);
}

void EditBoxWidget::refresh(Property property) {
  if (!live()) return;
  if (property == Property::Content) {
    setText(toQString(static_cast<const EditBox&>(unit()).content()));
  } else if (property == Property::Appearance) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(unit().textColor(), Qt::black));
    pal.setColor(QPalette::Base, toQColor(unit().backgroundColor(), Qt::white));
    setPalette(pal);
  }
}

void EditBoxWidget::keyPressEvent(QKeyEvent* event) {
  if (!live()) return;
  // The Enter that ends a composition belongs to the input method.
  if (composing_) return;
  passKeyToUnit(unit(), *event);
}

void EditBoxWidget::inputMethodEvent(QInputMethodEvent* event) {
  if (!live()) return;
  const QString commit = event->commitString();
  composing_ = !event->preeditString().isEmpty();
  // Show the composition only; committed text goes through the unit like typing.
  QInputMethodEvent preedit(event->preeditString(), event->attributes());
  QLineEdit::inputMethodEvent(&preedit);
  if (!commit.isEmpty()) unit().userType(commit.toStdString());
}

void EditBoxWidget::mousePressEvent(QMouseEvent* event) {
  mousePressed(*event);
  setFocus(Qt::MouseFocusReason);
}

void EditBoxWidget::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  focusedByQt(event->reason());
}

void EditBoxWidget::mouseReleaseEvent(QMouseEvent* event) { mouseReleased(*event); }

}  // namespace platform::qt
