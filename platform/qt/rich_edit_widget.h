#pragma once

#include <QTextLayout>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <unordered_map>

#include "platform/qt/unit_widget.h"
#include "platform/rich_edit_box.h"

class QScrollBar;

namespace platform::qt {

// Draws exactly the lines of the box's model: each model line is laid out on its own, without
// wrapping, with the characters' formats (font, size, underline, colour). Changes only mark the
// box dirty; the lines are measured and laid out when it is next painted, and only the lines in
// view are laid out, so a text built by hundreds of appends costs one layout, not hundreds.
class RichEditWidget : public QWidget, public UnitWidget {
 public:
  RichEditWidget(RichEditBox& box, QWidget* parent);
  ~RichEditWidget() override;
  QWidget* widget() override { return this; }

  // The character position under a point of the widget; a point below the last line gives a
  // position on the last line. For the mouse and for tests.
  int positionAt(QPoint point);
  // The pixel height of a line and the first pixel row in view.
  int lineHeight();
  int scrollOffset() const;
  // The composition the input method is showing ("" when none).
  const QString& preedit() const { return preedit_; }

 protected:
  void refresh(Property property) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  const RichEditBox& box() const { return static_cast<const RichEditBox&>(unit()); }
  RichEditBox& box() { return static_cast<RichEditBox&>(unit()); }
  void markDirty();
  void relayout();
  QRect textArea() const;
  // The laid-out line (cached until the next change); the caret line carries the composition.
  QTextLayout& layoutOf(int line);
  std::unique_ptr<QTextLayout> makeLayout(int line, bool withPreedit);
  QList<QTextLayout::FormatRange> withPreeditFormats(const QList<QTextLayout::FormatRange>& ranges,
                                                     int at) const;
  QTextCharFormat formatOf(int position);
  // The line's characters as drawn (without its line break) and its first position.
  QString lineText(int line, int* start) const;
  int lineCount() const;
  QRect caretRect();
  void ensureLineVisible(int line);
  void afterUserAction();

  QScrollBar* bar_;
  QTimer blink_;
  bool caretOn_ = true;
  bool dirty_ = true;
  int lineHeight_ = 16;
  int ascent_ = 12;
  std::unordered_map<int, std::unique_ptr<QTextLayout>> layouts_;
  std::unique_ptr<QTextLayout> preeditLayout_;
  std::unordered_map<const CharFormat*, QTextCharFormat> formats_;
  QString preedit_;
  int preeditCursor_ = 0;
  // The input method's own look of the composition (the segment being converted, underlines),
  // positions within the composition.
  QList<QTextLayout::FormatRange> preeditFormats_;
};

}  // namespace platform::qt
