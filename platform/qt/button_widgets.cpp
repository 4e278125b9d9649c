#include "platform/qt/button_widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/qt_style.h"

namespace platform::qt {

void ImageButtonWidget::refresh(Property property) {
  if (property != Property::Picture) return;
  picture_.reset();
  hoverPicture_.reset();
  update();
}

void ImageButtonWidget::paintEvent(QPaintEvent*) {
  if (!live()) return;
  const auto& button = static_cast<const ImageButton&>(unit());
  const QImage* shown = hover_ ? &hoverPicture_.image(button.hoverPicture()) : nullptr;
  if (!shown || shown->isNull()) shown = &picture_.image(button.picture());
  QPainter p(this);
  if (!shown->isNull()) p.drawImage(rect(), *shown);
}

void ImageButtonWidget::enterEvent(QEnterEvent*) {
  hover_ = true;
  update();
}

void ImageButtonWidget::leaveEvent(QEvent*) {
  hover_ = false;
  update();
}

namespace {

const CheckableButton& buttonOf(const Unit& unit) {
  return static_cast<const CheckableButton&>(unit);
}

}  // namespace

template <class QtButton>
CheckWidget<QtButton>::CheckWidget(CheckableButton& button, QWidget* parent)
    : QtButton(parent), UnitWidget(button) {
  this->setAutoExclusive(false);
  this->setFocusPolicy(Qt::NoFocus);
}

template <class QtButton>
void CheckWidget<QtButton>::refresh(Property property) {
  if (!live()) return;
  switch (property) {
    case Property::Caption:
      this->setText(toQString(buttonOf(unit()).caption()));
      break;
    case Property::Checked:
      this->setChecked(buttonOf(unit()).checked());
      break;
    case Property::Appearance: {
      QPalette pal = this->palette();
      pal.setColor(QPalette::WindowText, toQColor(unit().textColor(), Qt::black));
      const bool filled = unit().backgroundColor() != kDefaultColor;
      this->setAutoFillBackground(filled);
      // A button fills with its own role's colour (Button, not Window).
      if (filled) {
        pal.setColor(this->backgroundRole(), toQColor(unit().backgroundColor(), Qt::white));
      }
      this->setPalette(pal);
      break;
    }
    default:
      break;
  }
}

template <class QtButton>
void CheckWidget<QtButton>::nextCheckState() {
  if (!live()) return;
  unit().userClick();
  // The unit said what the mark is now (also when it refused the click).
  if (live()) this->setChecked(buttonOf(unit()).checked());
}

template <class QtButton>
void CheckWidget<QtButton>::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    mousePressed(*event);
    return;
  }
  QtButton::mousePressEvent(event);
}

template class CheckWidget<QCheckBox>;
template class CheckWidget<QRadioButton>;

}  // namespace platform::qt
