#pragma once

#include "platform/group_box.h"
#include "platform/label.h"
#include "platform/picture_box.h"
#include "platform/qt/pictures.h"
#include "platform/qt/unit_widget.h"

namespace platform::qt {

// A picture at its own size from the top left corner, over the background colour if the unit
// has one; also the holder of its child units.
class PictureBoxWidget : public PlainUnitWidget {
 public:
  PictureBoxWidget(PictureBox& box, QWidget* parent) : PlainUnitWidget(box, parent) {}

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const SharedBytes& pictureBytes() const {
    return static_cast<const PictureBox&>(unit()).picture();
  }
  void hideWhatLiesBehind();
  LazyPicture picture_;
};

// A frame with its caption; a holder of its child units.
class GroupBoxWidget : public PlainUnitWidget {
 public:
  GroupBoxWidget(GroupBox& box, QWidget* parent) : PlainUnitWidget(box, parent) {}

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
};

// A label's text, wrapped within the label, in its font and colours. A transparent label draws
// only its text and lets the mouse through to what lies behind it.
class LabelWidget : public PlainUnitWidget {
 public:
  LabelWidget(Label& label, QWidget* parent);

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  const Label& label() const { return static_cast<const Label&>(unit()); }
  bool transparent_;
};

}  // namespace platform::qt
