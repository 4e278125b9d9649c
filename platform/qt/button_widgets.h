#pragma once

#include <QCheckBox>
#include <QRadioButton>

#include "platform/check_box.h"
#include "platform/image_button.h"
#include "platform/qt/pictures.h"
#include "platform/qt/unit_widget.h"

namespace platform::qt {

// The normal picture, or the mouse-over picture while the pointer is over the button. The
// mouse-over picture is decoded at the first hover.
class ImageButtonWidget : public PlainUnitWidget {
 public:
  ImageButtonWidget(ImageButton& button, QWidget* parent) : PlainUnitWidget(button, parent) {}

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  LazyPicture picture_;
  LazyPicture hoverPicture_;
  bool hover_ = false;
};

// Check boxes and radio buttons look like Qt's, but their marks are the unit's: a click asks
// the unit, which sets the marks (of the whole radio group) and raises its event.
template <class QtButton>
class CheckWidget : public QtButton, public UnitWidget {
 public:
  CheckWidget(CheckableButton& button, QWidget* parent);
  QWidget* widget() override { return this; }

 protected:
  void refresh(Property property) override;
  void nextCheckState() override;
  void mousePressEvent(QMouseEvent* event) override;
};

using CheckBoxWidget = CheckWidget<QCheckBox>;
using RadioButtonWidget = CheckWidget<QRadioButton>;

}  // namespace platform::qt
