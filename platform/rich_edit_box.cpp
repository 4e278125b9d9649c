#include "platform/rich_edit_box.h"

#include <algorithm>
#include <iterator>

#include "platform/runtime.h"
#include "platform/text_layout.h"
#include "platform/utf32.h"

namespace platform {

RichEditBox::RichEditBox(Unit& parent, std::string name, Rect rect)
    : Unit(parent, std::move(name), rect) {
  setCursor(Cursor::IBeam);
}

const std::string& RichEditBox::content() const {
  if (!contentValid_) {
    content_.clear();
    appendWithCrLf(content_, text_);
    contentValid_ = true;
  }
  return content_;
}

void RichEditBox::setContent(std::string_view utf8) {
  text_ = toBoxText(utf8);
  formatOf_.assign(text_.size(), 0);
  formats_.assign(1, CharFormat{});
  selectionStart_ = 0;
  selectionLength_ = 0;
  hasPendingFormat_ = false;
  textChanged();
  contentValid_ = false;
}

void RichEditBox::setSelection(int start, int length) {
  const int size = characterCount();
  selectionStart_ = std::clamp(start, 0, size);
  selectionLength_ = std::clamp(length, 0, size - selectionStart_);
  hasPendingFormat_ = false;
  changed(Property::Selection);
}

void RichEditBox::setSelectionStart(int position) { setSelection(position, 0); }

void RichEditBox::setSelectionLength(int length) { setSelection(selectionStart_, length); }

std::string RichEditBox::selectedText() const {
  std::string out;
  appendWithCrLf(out,
                 std::u32string_view(text_).substr(static_cast<std::size_t>(selectionStart_),
                                                   static_cast<std::size_t>(selectionLength_)));
  return out;
}

void RichEditBox::setSelectedText(std::string_view utf8) { replaceSelection(toBoxText(utf8)); }

std::uint32_t RichEditBox::formatIndex(const CharFormat& format) {
  // Texts use a handful of formats; the newest are the likeliest.
  for (std::size_t i = formats_.size(); i-- > 0;) {
    if (formats_[i] == format) return static_cast<std::uint32_t>(i);
  }
  formats_.push_back(format);
  return static_cast<std::uint32_t>(formats_.size() - 1);
}

std::uint32_t RichEditBox::insertionFormat() const {
  if (hasPendingFormat_) return pendingFormat_;
  // Text that replaces a selection takes the selection's format; text inserted at the caret
  // continues the character before it.
  if (selectionLength_ > 0) return formatOf_[static_cast<std::size_t>(selectionStart_)];
  if (selectionStart_ > 0) return formatOf_[static_cast<std::size_t>(selectionStart_ - 1)];
  if (!formatOf_.empty()) return formatOf_.front();
  return 0;
}

void RichEditBox::applyCharFormat(const CharFormat& format) {
  CharFormat applied = format;
  applied.reserved = 0;
  const std::uint32_t index = formatIndex(applied);
  if (selectionLength_ == 0) {
    pendingFormat_ = index;
    hasPendingFormat_ = true;
    return;
  }
  std::fill_n(formatOf_.begin() + selectionStart_, selectionLength_, index);
  changed(Property::Format);
}

void RichEditBox::replaceSelection(std::u32string_view text) {
  const std::uint32_t format = insertionFormat();
  const auto start = static_cast<std::size_t>(selectionStart_);
  const auto length = static_cast<std::size_t>(selectionLength_);
  const bool append = start == text_.size();
  text_.replace(start, length, text);
  formatOf_.erase(formatOf_.begin() + static_cast<std::ptrdiff_t>(start),
                  formatOf_.begin() + static_cast<std::ptrdiff_t>(start + length));
  formatOf_.insert(formatOf_.begin() + static_cast<std::ptrdiff_t>(start), text.size(), format);
  // Appending keeps the CR LF text up to date, so that building a text piece by piece while
  // reading it back stays linear.
  if (append && contentValid_) {
    appendWithCrLf(content_, text);
  } else {
    contentValid_ = false;
  }
  selectionStart_ = static_cast<int>(start + text.size());
  selectionLength_ = 0;
  hasPendingFormat_ = false;
  textChanged();
}

void RichEditBox::textChanged() {
  linesValid_ = false;
  changed(Property::Content);
}

void RichEditBox::changed(Property property) {
  if (property == Property::Geometry || property == Property::Appearance) linesValid_ = false;
  Unit::changed(property);
}

const std::vector<int>& RichEditBox::lineStarts() const {
  if (!linesValid_) {
    lineStarts_ = layoutLines(text_, layoutWidth(), font(), runtime().backend().textMeasurer());
    linesValid_ = true;
  }
  return lineStarts_;
}

double RichEditBox::layoutWidth() const {
  return width() - 2 * kFrame - (verticalScrollBar_ ? kScrollBarWidth : 0);
}

int RichEditBox::getLineCount() const { return static_cast<int>(lineStarts().size()); }

int RichEditBox::getLineStart(int line) const {
  const auto& starts = lineStarts();
  if (line < 0 || line >= static_cast<int>(starts.size())) return -1;
  return starts[static_cast<std::size_t>(line)];
}

int RichEditBox::lineOf(int position) const {
  const auto& starts = lineStarts();
  const auto it = std::upper_bound(starts.begin(), starts.end(), position);
  return static_cast<int>(it - starts.begin()) - 1;
}

int RichEditBox::getCaretLine() const { return lineOf(selectionStart_); }

const CharFormat& RichEditBox::formatAt(int position) const {
  if (position < 0 || position >= characterCount()) return formats_.front();
  return formats_[formatOf_[static_cast<std::size_t>(position)]];
}

CharFormat RichEditBox::effectiveFormatAt(int position) const {
  CharFormat f = formatAt(position);
  if (f.fontName.empty()) f.fontName = font().name;
  if (f.fontSize == 0) f.fontSize = static_cast<int>(font().points);
  if (f.color == kDefaultColor) f.color = textColor() == kDefaultColor ? rgb(0, 0, 0) : textColor();
  return f;
}

void RichEditBox::setReadOnly(bool readOnly) { write(readOnly_, readOnly, Property::Appearance); }

void RichEditBox::setVerticalScrollBar(bool shown) {
  write(verticalScrollBar_, shown, Property::Appearance);
}

void RichEditBox::setTakesLineBreaks(bool takes) {
  write(takesLineBreaks_, takes, Property::Appearance);
}

InputResult RichEditBox::userReleaseLeftButtonAt(int position) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  setFocus();
  setSelection(position, 0);
  if (onLeftButtonUp) onLeftButtonUp({});
  return InputResult::Accepted;
}

int RichEditBox::positionOnLine(int line, int column) const {
  const auto& starts = lineStarts();
  const int last = static_cast<int>(starts.size()) - 1;
  const int l = std::clamp(line, 0, last);
  const int start = starts[static_cast<std::size_t>(l)];
  // A column past the end of the line stays on the line (before its break).
  const int lineEnd = l < last ? starts[static_cast<std::size_t>(l + 1)] - 1 : characterCount();
  return std::clamp(start + std::max(column, 0), start, lineEnd);
}

InputResult RichEditBox::userReleaseLeftButtonOnLine(int line, int column) {
  return userReleaseLeftButtonAt(positionOnLine(line, column));
}

InputResult RichEditBox::userClick() { return userReleaseLeftButtonAt(selectionStart_); }

bool RichEditBox::moveCaret(int keyCode) {
  constexpr int kEnd = 35;
  constexpr int kHome = 36;
  constexpr int kLeft = 37;
  constexpr int kUp = 38;
  constexpr int kRight = 39;
  constexpr int kDown = 40;
  // Keys that go back start from the selection's start, keys that go on from its end; either
  // way the selection gives way to the caret.
  const int start = selectionStart_;
  const int end = selectionStart_ + selectionLength_;
  const auto columnOf = [&](int position) { return position - getLineStart(lineOf(position)); };
  const int lastLine = getLineCount() - 1;
  int to = 0;
  switch (keyCode) {
    case kLeft:
      to = selectionLength_ > 0 ? start : start - 1;
      break;
    case kRight:
      to = selectionLength_ > 0 ? end : end + 1;
      break;
    case kHome:
      to = getLineStart(lineOf(start));
      break;
    case kEnd:
      to = positionOnLine(lineOf(end), characterCount());
      break;
    case kUp:
      // The first line has no line above: the caret stays.
      to = lineOf(start) > 0 ? positionOnLine(lineOf(start) - 1, columnOf(start)) : start;
      break;
    case kDown:
      to = lineOf(end) < lastLine ? positionOnLine(lineOf(end) + 1, columnOf(end)) : end;
      break;
    default:
      return false;
  }
  setSelection(to, 0);
  return true;
}

void RichEditBox::handleKey(int keyCode, int) {
  constexpr int kBackspace = 8;
  constexpr int kEnter = 13;
  constexpr int kDelete = 46;
  if (readOnly_) return;
  if (keyCode == kEnter) {
    handleText(U"\n");
    return;
  }
  if (moveCaret(keyCode)) return;
  if (keyCode != kBackspace && keyCode != kDelete) return;
  if (selectionLength_ == 0) {
    if (keyCode == kBackspace && selectionStart_ > 0) {
      setSelection(selectionStart_ - 1, 1);
    } else if (keyCode == kDelete && selectionStart_ < characterCount()) {
      setSelection(selectionStart_, 1);
    } else {
      return;
    }
  }
  replaceSelection({});
  if (onContentChanged) onContentChanged();
}

void RichEditBox::handleText(std::u32string_view text) {
  if (readOnly_) return;
  std::u32string kept;
  if (!takesLineBreaks_) {
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char32_t c) { return c != U'\n'; });
    text = kept;
  }
  // Nothing left to insert is no change.
  if (text.empty()) return;
  replaceSelection(text);
  if (onContentChanged) onContentChanged();
}

}  // namespace platform
