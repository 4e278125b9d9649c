#include "platform/rich_edit_box.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "platform/runtime.h"
#include "platform/text_layout.h"
#include "platform/utf32.h"
#include "platform/virtual_keys.h"

namespace platform {

using namespace vk;

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
  caretAtStart_ = false;
  selectingFrom_.reset();
  hasPendingFormat_ = false;
  history_.clear();
  contentValid_ = false;
  linesValid_ = false;
  // A new text is seen from its top, where the caret is.
  changed(Property::Content);
}

void RichEditBox::setSelection(int start, int length) {
  const int from = std::clamp(start, 0, characterCount());
  select(from, from + std::clamp(length, 0, characterCount() - from));
}

void RichEditBox::select(int anchor, int caret) {
  const int size = characterCount();
  const int a = std::clamp(anchor, 0, size);
  const int c = std::clamp(caret, 0, size);
  selectionStart_ = std::min(a, c);
  selectionLength_ = std::abs(c - a);
  caretAtStart_ = c < a;
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

void RichEditBox::setSelectedText(std::string_view utf8) {
  history_.clear();
  replace(selectionStart_, selectionLength_, toBoxText(utf8));
}

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

void RichEditBox::replaceRange(int at, int length, std::u32string_view text, std::uint32_t format) {
  const auto start = static_cast<std::size_t>(at);
  const auto removed = static_cast<std::size_t>(length);
  const bool append = start == text_.size();
  text_.replace(start, removed, text);
  formatOf_.erase(formatOf_.begin() + static_cast<std::ptrdiff_t>(start),
                  formatOf_.begin() + static_cast<std::ptrdiff_t>(start + removed));
  formatOf_.insert(formatOf_.begin() + static_cast<std::ptrdiff_t>(start), text.size(), format);
  // Appending keeps the CR LF text up to date, so that building a text piece by piece while
  // reading it back stays linear.
  if (append && contentValid_) {
    appendWithCrLf(content_, text);
  } else {
    contentValid_ = false;
  }
  linesValid_ = false;
}

void RichEditBox::replace(int at, int length, std::u32string_view text) {
  replaceRange(at, length, text, insertionFormat());
  selectionStart_ = at + static_cast<int>(text.size());
  selectionLength_ = 0;
  caretAtStart_ = false;
  hasPendingFormat_ = false;
  textChanged();
}

void RichEditBox::userEdit(int at, int length, std::u32string_view text, EditHistory::Kind kind) {
  const auto from = formatOf_.begin() + at;
  EditHistory::Edit edit{
      .at = at,
      .removed = text_.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(length)),
      .removedFormats = std::vector<std::uint32_t>(from, from + length),
      .inserted = std::u32string(text),
      .insertedFormats = std::vector<std::uint32_t>(text.size(), insertionFormat()),
      .anchorBefore = anchor(),
      .caretBefore = caret(),
      .kind = kind};
  replace(at, length, text);
  history_.record(std::move(edit));
  if (onContentChanged) onContentChanged();
}

void RichEditBox::textChanged() { changed(Property::Edit); }

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

InputResult RichEditBox::userPressLeftButtonAt(int position, bool extend) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  setFocus();
  if (readOnly_) return InputResult::Accepted;
  const int from = extend ? anchor() : position;
  select(from, position);
  selectingFrom_ = from;
  return InputResult::Accepted;
}

InputResult RichEditBox::userDragLeftButtonTo(int position) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (selectingFrom_) select(*selectingFrom_, position);
  return InputResult::Accepted;
}

InputResult RichEditBox::userReleaseLeftButtonAt(int position) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  setFocus();
  select(selectingFrom_.value_or(position), position);
  selectingFrom_.reset();
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

bool RichEditBox::moveCaret(int keyCode, int shiftState) {
  // Without Shift, keys that go back start from the selection's start, keys that go on from its
  // end, and the selection gives way to the caret. With Shift they move the caret's end of the
  // selection and keep the other.
  const bool extend = (shiftState & kShift) != 0;
  const bool toTextEnds = (shiftState & kControl) != 0;
  const bool collapse = !extend && selectionLength_ > 0;
  const int back = extend ? caret() : selectionStart_;
  const int on = extend ? caret() : selectionStart_ + selectionLength_;
  const auto columnOf = [&](int position) { return position - getLineStart(lineOf(position)); };
  const int lastLine = getLineCount() - 1;
  int to = 0;
  switch (keyCode) {
    case kLeft:
      to = collapse ? back : back - 1;
      break;
    case kRight:
      to = collapse ? on : on + 1;
      break;
    case kHome:
      to = toTextEnds ? 0 : getLineStart(lineOf(back));
      break;
    case kEnd:
      to = toTextEnds ? characterCount() : positionOnLine(lineOf(on), characterCount());
      break;
    case kUp:
      // The first line has no line above: the caret stays.
      to = lineOf(back) > 0 ? positionOnLine(lineOf(back) - 1, columnOf(back)) : back;
      break;
    case kDown:
      to = lineOf(on) < lastLine ? positionOnLine(lineOf(on) + 1, columnOf(on)) : on;
      break;
    default:
      return false;
  }
  if (extend) {
    select(anchor(), to);
  } else {
    setSelection(to, 0);
  }
  return true;
}

bool RichEditBox::runShortcut(int keyCode, int shiftState) {
  static constexpr struct {
    int keyCode;
    int shiftState;
    void (RichEditBox::*command)();
  } kShortcuts[] = {
      {'A', kControl, &RichEditBox::selectAll}, {'C', kControl, &RichEditBox::copy},
      {kInsert, kControl, &RichEditBox::copy},  {'X', kControl, &RichEditBox::cut},
      {kDelete, kShift, &RichEditBox::cut},     {'Z', kControl, &RichEditBox::undo},
      {'Y', kControl, &RichEditBox::redo},      {'Z', kControl | kShift, &RichEditBox::redo},
  };
  for (const auto& shortcut : kShortcuts) {
    if (shortcut.keyCode == keyCode && shortcut.shiftState == shiftState) {
      (this->*shortcut.command)();
      return true;
    }
  }
  return false;
}

void RichEditBox::selectAll() { select(0, characterCount()); }

void RichEditBox::copy() {
  if (selectionLength_ > 0) runtime().backend().setClipboardText(selectedText());
}

void RichEditBox::cut() {
  if (selectionLength_ == 0) return;
  copy();
  userEdit(selectionStart_, selectionLength_, {}, EditHistory::Kind::Other);
}

void RichEditBox::putBack(int at, int length, const std::u32string& text,
                          const std::vector<std::uint32_t>& formats) {
  replaceRange(at, length, text, 0);
  std::copy(formats.begin(), formats.end(), formatOf_.begin() + at);
  textChanged();
}

void RichEditBox::undo() {
  const EditHistory::Edit* edit = history_.undo();
  if (edit == nullptr) return;
  putBack(edit->at, static_cast<int>(edit->inserted.size()), edit->removed, edit->removedFormats);
  select(edit->anchorBefore, edit->caretBefore);
  if (onContentChanged) onContentChanged();
}

void RichEditBox::redo() {
  const EditHistory::Edit* edit = history_.redo();
  if (edit == nullptr) return;
  putBack(edit->at, static_cast<int>(edit->removed.size()), edit->inserted, edit->insertedFormats);
  setSelection(edit->at + static_cast<int>(edit->inserted.size()), 0);
  if (onContentChanged) onContentChanged();
}

void RichEditBox::removeAtCaret(int keyCode) {
  if (selectionLength_ > 0) {
    userEdit(selectionStart_, selectionLength_, {}, EditHistory::Kind::Other);
  } else if (keyCode == kBackspace && selectionStart_ > 0) {
    userEdit(selectionStart_ - 1, 1, {}, EditHistory::Kind::Backspace);
  } else if (keyCode == kDelete && selectionStart_ < characterCount()) {
    userEdit(selectionStart_, 1, {}, EditHistory::Kind::Delete);
  }
}

void RichEditBox::handleKey(int keyCode, int shiftState) {
  if (readOnly_) return;
  if (keyCode == kEnter) {
    handleText(U"\n", TextEntry::Typed);
  } else if (!moveCaret(keyCode, shiftState) && !runShortcut(keyCode, shiftState) &&
             (keyCode == kBackspace || keyCode == kDelete)) {
    removeAtCaret(keyCode);
  }
}

void RichEditBox::handleText(std::u32string_view text, TextEntry entry) {
  if (readOnly_) return;
  std::u32string kept;
  if (!takesLineBreaks_) {
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char32_t c) { return c != U'\n'; });
    text = kept;
  }
  // Nothing left to insert is no change.
  if (text.empty()) return;
  userEdit(selectionStart_, selectionLength_, text,
           entry == TextEntry::Typed ? EditHistory::Kind::Typing : EditHistory::Kind::Other);
}

}  // namespace platform
