#pragma once

#include <QPixmap>
#include <QWidget>

#include "platform/group_box.h"
#include "platform/label.h"
#include "platform/picture_box.h"
#include "platform/qt/unit_widget.h"
#include "platform/web_view.h"

namespace platform::qt {

// A picture at its own size from the top left corner, over the background colour if the unit
// has one; also the holder of its child units.
class PictureBoxWidget : public QWidget, public UnitWidget {
 public:
  PictureBoxWidget(PictureBox& box, QWidget* parent);
  QWidget* widget() override { return this; }

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override { mousePressed(*event); }
  void mouseReleaseEvent(QMouseEvent* event) override { mouseReleased(*event); }

 private:
  QPixmap picture_;
};

// A frame with its caption; a holder of its child units.
class GroupBoxWidget : public QWidget, public UnitWidget {
 public:
  GroupBoxWidget(GroupBox& box, QWidget* parent);
  QWidget* widget() override { return this; }

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override { mousePressed(*event); }
  void mouseReleaseEvent(QMouseEvent* event) override { mouseReleased(*event); }
};

// A label's text, wrapped within the label, in its font and colours. A transparent label draws
// only its text and lets the mouse through to what lies behind it.
class LabelWidget : public QWidget, public UnitWidget {
 public:
  LabelWidget(Label& label, QWidget* parent);
  QWidget* widget() override { return this; }

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override { mousePressed(*event); }
  void mouseReleaseEvent(QMouseEvent* event) override { mouseReleased(*event); }

 private:
  const Label& label() const { return static_cast<const Label&>(unit()); }
  bool transparent_;
};

// Stands in for the page player: shows the address it was sent to.
class WebViewWidget : public QWidget, public UnitWidget {
 public:
  WebViewWidget(WebView& view, QWidget* parent);
  QWidget* widget() override { return this; }

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace platform::qt
