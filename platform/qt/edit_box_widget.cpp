#include "platform/qt/edit_box_widget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/qt/key_codes.h"
#include "platform/qt/qt_style.h"
#include "platform/window.h"

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
  if (event->matches(QKeySequence::Paste)) {
    unit().userType(QGuiApplication::clipboard()->text().toStdString());
    return;
  }
  const int vk = virtualKeyOf(*event);
  if (vk == kVkEscape) {
    unit().window().userPressEsc();
    return;
  }
  const QString text = event->text();
  const bool printable =
      !text.isEmpty() && text.at(0).isPrint() && !event->modifiers().testFlag(Qt::ControlModifier);
  if (printable) {
    unit().userType(text.toStdString());
  } else if (vk != 0) {
    unit().userPressKey(vk, shiftStateOf(*event));
  }
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
