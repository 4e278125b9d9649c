#include "platform/qt/rich_edit_widget.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "platform/qt/key_input.h"
#include "platform/qt/qt_style.h"

namespace platform::qt {

namespace {

constexpr int kFrame = RichEditBox::kFrame;

// Model positions count code points; Qt strings count UTF-16 units.
int utf16Length(std::u32string_view text) {
  int n = 0;
  for (char32_t c : text) n += c > 0xFFFF ? 2 : 1;
  return n;
}

int codePointsIn(const QString& text, int utf16) {
  int n = 0;
  for (int i = 0; i < utf16 && i < text.size(); ++i) {
    if (!text.at(i).isLowSurrogate()) ++n;
  }
  return n;
}

Font fontOf(const CharFormat& format, const Font& boxFont) {
  Font f = boxFont;
  if (!format.fontName.empty()) f.name = format.fontName;
  if (format.fontSize > 0) f.points = format.fontSize;
  f.underline = boxFont.underline || format.underlined();
  return f;
}

}  // namespace

RichEditWidget::RichEditWidget(RichEditBox& box, QWidget* parent)
    : QWidget(parent), UnitWidget(box), bar_(new QScrollBar(Qt::Vertical, this)) {
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  bar_->hide();
  connect(bar_, &QScrollBar::valueChanged, this, [this] { update(); });
  blink_.setInterval(530);
  connect(&blink_, &QTimer::timeout, this, [this] {
    caretOn_ = !caretOn_;
    update(caretRect().adjusted(-1, -1, 1, 1));
  });
}

RichEditWidget::~RichEditWidget() = default;

void RichEditWidget::refresh(Property property) {
  if (!live()) return;
  switch (property) {
    case Property::Content:
      // A text written anew is seen from its top, where the model puts the caret; the old
      // scroll offset means nothing in it.
      bar_->setValue(0);
      markDirty();
      break;
    case Property::Edit:
    case Property::Format:
    case Property::Geometry:
    case Property::Appearance:
      markDirty();
      break;
    case Property::Focus:
      // The model's focus, not Qt's, decides whether the caret and the selection show: a box
      // that gave the focus away shows its formats alone, as a Windows rich edit box does.
      caretOn_ = true;
      if (box().hasFocus()) {
        blink_.start();
      } else {
        blink_.stop();
      }
      update();
      break;
    case Property::Selection:
      preeditLayout_.reset();
      // The program shows a sentence it selects (reading along); moving the caret alone, as
      // every append does, scrolls nothing.
      if (box().selectionLength() > 0 && isVisible()) {
        relayout();
        ensureLineVisible(box().getCaretLine());
      }
      update();
      break;
    default:
      break;
  }
}

void RichEditWidget::markDirty() {
  dirty_ = true;
  layouts_.clear();
  preeditLayout_.reset();
  formats_.clear();
  update();
}

int RichEditWidget::lineCount() const { return static_cast<int>(box().lineStarts().size()); }

QRect RichEditWidget::textArea() const {
  const int bar = box().verticalScrollBar() ? RichEditBox::kScrollBarWidth : 0;
  return QRect(kFrame, kFrame, std::max(0, width() - 2 * kFrame - bar),
               std::max(0, height() - 2 * kFrame));
}

void RichEditWidget::relayout() {
  if (!dirty_ || !live()) return;
  dirty_ = false;
  const RichEditBox& b = box();
  // One line height for the whole box: the tallest of the fonts its characters use.
  QFontMetricsF boxMetrics(toQFont(b.font()));
  double ascent = boxMetrics.ascent();
  double descent = boxMetrics.descent();
  double leading = boxMetrics.leading();
  const CharFormat* last = nullptr;
  std::vector<const CharFormat*> seen;
  for (int i = 0; i < b.characterCount(); ++i) {
    const CharFormat* f = &b.formatAt(i);
    if (f == last) continue;
    last = f;
    if (std::find(seen.begin(), seen.end(), f) != seen.end()) continue;
    seen.push_back(f);
    QFontMetricsF m(toQFont(fontOf(*f, b.font())));
    ascent = std::max(ascent, m.ascent());
    descent = std::max(descent, m.descent());
    leading = std::max(leading, m.leading());
  }
  ascent_ = static_cast<int>(std::ceil(ascent));
  lineHeight_ = std::max(1, static_cast<int>(std::ceil(ascent + descent + leading)));

  const QRect area = textArea();
  const int contentHeight = lineCount() * lineHeight_;
  const int range = std::max(0, contentHeight - area.height());
  bar_->setRange(0, range);
  bar_->setPageStep(std::max(1, area.height()));
  bar_->setSingleStep(lineHeight_);
  bar_->setGeometry(width() - kFrame - RichEditBox::kScrollBarWidth, kFrame,
                    RichEditBox::kScrollBarWidth, area.height());
  bar_->setVisible(b.verticalScrollBar() && range > 0);
}

int RichEditWidget::lineHeight() {
  relayout();
  return lineHeight_;
}

int RichEditWidget::scrollOffset() const { return bar_->value(); }

QString RichEditWidget::lineText(int line, int* start) const {
  const auto& starts = box().lineStarts();
  const std::u32string& text = box().text();
  const int from = starts[static_cast<std::size_t>(line)];
  int to = line + 1 < static_cast<int>(starts.size()) ? starts[static_cast<std::size_t>(line + 1)]
                                                      : static_cast<int>(text.size());
  if (to > from && text[static_cast<std::size_t>(to - 1)] == U'\n') --to;
  *start = from;
  return QString::fromUcs4(text.data() + from, to - from);
}

QTextCharFormat RichEditWidget::formatOf(int position) {
  const CharFormat* f = &box().formatAt(position);
  const auto found = formats_.find(f);
  if (found != formats_.end()) return found->second;
  QTextCharFormat qf;
  qf.setFont(toQFont(fontOf(*f, box().font())));
  const Color own = box().textColor();
  const QColor boxColour = toQColor(own, Qt::black);
  qf.setForeground(toQColor(f->color, boxColour));
  formats_.emplace(f, qf);
  return qf;
}

std::unique_ptr<QTextLayout> RichEditWidget::makeLayout(int line, bool withPreedit) {
  int start = 0;
  const QString text = lineText(line, &start);
  auto layout = std::make_unique<QTextLayout>(text, toQFont(box().font()));
  QList<QTextLayout::FormatRange> ranges;
  const std::u32string& chars = box().text();
  int offset = 0;
  const int count = codePointsIn(text, static_cast<int>(text.size()));
  for (int i = 0; i < count;) {
    const CharFormat* f = &box().formatAt(start + i);
    int j = i + 1;
    while (j < count && &box().formatAt(start + j) == f) ++j;
    const int length = utf16Length(std::u32string_view(chars).substr(
        static_cast<std::size_t>(start + i), static_cast<std::size_t>(j - i)));
    ranges.push_back({offset, length, formatOf(start + i)});
    offset += length;
    i = j;
  }
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout->setTextOption(option);
  if (withPreedit) {
    const int column = box().selectionStart() - start;
    const int at = utf16Length(std::u32string_view(chars).substr(
        static_cast<std::size_t>(start), static_cast<std::size_t>(std::max(0, column))));
    layout->setPreeditArea(at, preedit_);
    ranges = withPreeditFormats(ranges, at);
  }
  layout->setFormats(ranges);
  layout->beginLayout();
  QTextLine l = layout->createLine();
  if (l.isValid()) {
    l.setLineWidth(1e6);
    l.setPosition(QPointF(0, 0));
  }
  layout->endLayout();
  return layout;
}

// Format positions count the line's text with the composition inside it: the text's own ranges
// after the caret move past the composition, which takes the input method's formats.
QList<QTextLayout::FormatRange> RichEditWidget::withPreeditFormats(
    const QList<QTextLayout::FormatRange>& ranges, int at) const {
  const int length = static_cast<int>(preedit_.size());
  QList<QTextLayout::FormatRange> out;
  for (QTextLayout::FormatRange r : ranges) {
    if (r.start >= at) {
      r.start += length;
    } else if (r.start + r.length > at) {
      QTextLayout::FormatRange after = r;
      after.start = at + length;
      after.length = r.start + r.length - at;
      r.length = at - r.start;
      out.push_back(after);
    }
    out.push_back(r);
  }
  for (QTextLayout::FormatRange r : preeditFormats_) {
    r.start += at;
    out.push_back(r);
  }
  return out;
}

QTextLayout& RichEditWidget::layoutOf(int line) {
  relayout();
  if (!preedit_.isEmpty() && line == box().getCaretLine()) {
    if (preeditLayout_ == nullptr) preeditLayout_ = makeLayout(line, true);
    return *preeditLayout_;
  }
  auto& slot = layouts_[line];
  if (slot == nullptr) slot = makeLayout(line, false);
  return *slot;
}

QRect RichEditWidget::caretRect() {
  if (!live()) return {};
  relayout();
  const int line = box().getCaretLine();
  QTextLayout& layout = layoutOf(line);
  int start = 0;
  const QString text = lineText(line, &start);
  const int column = box().selectionStart() - start;
  int at = 0;
  for (int n = 0; at < text.size() && n < column; ++at) {
    if (!text.at(at).isHighSurrogate()) ++n;
  }
  if (!preedit_.isEmpty()) at += preeditCursor_;
  const QTextLine l = layout.lineAt(0);
  const double x = l.isValid() ? l.cursorToX(at) : 0;
  const QRect area = textArea();
  return QRect(area.left() + static_cast<int>(x), area.top() + line * lineHeight_ - bar_->value(),
               1, lineHeight_);
}

void RichEditWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!live()) return;
  relayout();
  p.fillRect(rect(), toQColor(unit().backgroundColor(), Qt::white));
  p.setPen(QColor(170, 170, 170));
  p.drawRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
  const QRect area = textArea();
  p.setClipRect(area);
  const int scroll = bar_->value();
  const int first = std::max(0, scroll / lineHeight_);
  const int last = std::min(lineCount() - 1, (scroll + area.height()) / lineHeight_);
  const bool focused = box().hasFocus();
  const int selStart = box().selectionStart();
  const int selEnd = selStart + box().selectionLength();
  QTextLayout::FormatRange selection;
  selection.format.setBackground(palette().highlight());
  selection.format.setForeground(palette().highlightedText());
  for (int line = first; line <= last; ++line) {
    QTextLayout& layout = layoutOf(line);
    int start = 0;
    const QString text = lineText(line, &start);
    QList<QTextLayout::FormatRange> selections;
    const int end = start + codePointsIn(text, static_cast<int>(text.size()));
    if (focused && selEnd > selStart && selStart < end && selEnd > start) {
      const std::u32string_view chars(box().text());
      const int a = std::max(selStart, start);
      const int b = std::min(selEnd, end);
      selection.start = utf16Length(
          chars.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(a - start)));
      selection.length =
          utf16Length(chars.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a)));
      selections.push_back(selection);
    }
    const double y =
        area.top() + line * lineHeight_ - scroll + (ascent_ - layout.lineAt(0).ascent());
    layout.draw(&p, QPointF(area.left(), y), selections);
  }
  if (focused && caretOn_ && box().selectionLength() == 0) p.fillRect(caretRect(), Qt::black);
}

void RichEditWidget::resizeEvent(QResizeEvent*) { markDirty(); }

void RichEditWidget::showEvent(QShowEvent*) { markDirty(); }

int RichEditWidget::positionAt(QPoint point) {
  relayout();
  const QRect area = textArea();
  const int count = lineCount();
  const int line = std::clamp((point.y() - area.top() + bar_->value()) / lineHeight_, 0, count - 1);
  int start = 0;
  const QString text = lineText(line, &start);
  const QTextLine l = layoutOf(line).lineAt(0);
  const int at = l.isValid() ? l.xToCursor(point.x() - area.left()) : 0;
  return start + codePointsIn(text, at);
}

void RichEditWidget::mousePressEvent(QMouseEvent* event) {
  if (!live()) return;
  setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton) {
    box().userPressLeftButtonAt(positionAt(event->position().toPoint()),
                                event->modifiers().testFlag(Qt::ShiftModifier));
    caretOn_ = true;
    update();
  }
  mousePressed(*event);
}

void RichEditWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!live() || !event->buttons().testFlag(Qt::LeftButton)) return;
  const int caret = box().caret();
  box().userDragLeftButtonTo(positionAt(event->position().toPoint()));
  // Dragging past the top or the bottom scrolls the text along.
  if (box().caret() != caret) afterUserAction();
}

void RichEditWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!live() || event->button() != Qt::LeftButton) return;
  const int position = positionAt(event->position().toPoint());
  box().userReleaseLeftButtonAt(position);
  afterUserAction();
}

void RichEditWidget::wheelEvent(QWheelEvent* event) {
  if (!bar_->isVisible()) {
    event->ignore();
    return;
  }
  // Three lines a notch (a fine wheel sends parts of a notch); a touchpad gives its pixels.
  const QPoint pixels = event->pixelDelta();
  const int by = !pixels.isNull() ? pixels.y() : event->angleDelta().y() * 3 * lineHeight_ / 120;
  bar_->setValue(bar_->value() - by);
  event->accept();
}

void RichEditWidget::keyPressEvent(QKeyEvent* event) {
  if (!live()) return;
  // While a composition is open the keys are the input method's (Enter confirms it).
  if (!preedit_.isEmpty()) return;
  passKeyToUnit(box(), *event);
  afterUserAction();
}

void RichEditWidget::inputMethodEvent(QInputMethodEvent* event) {
  if (!live()) return;
  preedit_ = event->preeditString();
  preeditCursor_ = static_cast<int>(preedit_.size());
  preeditFormats_.clear();
  for (const QInputMethodEvent::Attribute& a : event->attributes()) {
    if (a.type == QInputMethodEvent::Cursor) preeditCursor_ = a.start;
    if (a.type != QInputMethodEvent::TextFormat) continue;
    const QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
    if (format.isValid()) preeditFormats_.push_back({a.start, a.length, format});
  }
  preeditLayout_.reset();
  const QString commit = event->commitString();
  if (!commit.isEmpty()) box().userCommitComposition(commit.toStdString());
  afterUserAction();
  update();
}

QVariant RichEditWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  auto* self = const_cast<RichEditWidget*>(this);
  if (!live()) return QWidget::inputMethodQuery(query);
  switch (query) {
    case Qt::ImEnabled:
      return !box().readOnly();
    case Qt::ImCursorRectangle:
      return self->caretRect();
    case Qt::ImFont:
      return toQFont(box().font());
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
      int start = 0;
      self->lineText(box().getCaretLine(), &start);
      return box().selectionStart() - start;
    }
    case Qt::ImSurroundingText: {
      int start = 0;
      return self->lineText(box().getCaretLine(), &start);
    }
    case Qt::ImHints:
      return static_cast<int>(box().takesLineBreaks() ? Qt::ImhMultiLine : Qt::ImhNone);
    default:
      return QWidget::inputMethodQuery(query);
  }
}

void RichEditWidget::focusInEvent(QFocusEvent* event) { focusedByQt(event->reason()); }

void RichEditWidget::ensureLineVisible(int line) {
  const QRect area = textArea();
  const int top = line * lineHeight_;
  if (top < bar_->value()) {
    bar_->setValue(top);
  } else if (top + lineHeight_ > bar_->value() + area.height()) {
    bar_->setValue(top + lineHeight_ - area.height());
  }
}

void RichEditWidget::afterUserAction() {
  if (!live()) return;
  relayout();
  caretOn_ = true;
  ensureLineVisible(box().lineOf(box().caret()));
  update();
  // The input method places its candidate list at the caret.
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

}  // namespace platform::qt
