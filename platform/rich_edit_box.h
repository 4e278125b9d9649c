#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/char_format.h"
#include "platform/unit.h"

namespace platform {

// A text box with a character format on every character.
//
// In an editable box the user's keys move the caret (Left, Right, Home, End, Up, Down, by
// characters and lines) and Backspace and Delete remove a character or the selection, after
// onKeyDown has let them through; a read-only box ignores them.
//
// Positions count characters (code points); a line break counts one. The text keeps one '\n'
// per line break; content() and selectedText() give CR LF. Lines come from layoutLines() with
// the box's design font and width (not the per-character formats), so two boxes of the same
// width and font break every line at the same place whatever their formats.
class RichEditBox : public Unit {
 public:
  RichEditBox(Unit& parent, std::string name, Rect rect);

  // The whole text with CR LF line breaks. Writing replaces the text and drops all formats;
  // the caret goes to the start. A program write raises no onContentChanged.
  const std::string& content() const;
  void setContent(std::string_view utf8);

  // Writing a position at or past the end puts the caret at the end; a negative one at the
  // start. Writing the start empties the selection.
  int selectionStart() const { return selectionStart_; }
  void setSelectionStart(int position);
  // Selects from the selection start; a selection that would pass the end stops at the end.
  int selectionLength() const { return selectionLength_; }
  void setSelectionLength(int length);

  // The selected characters ("" when nothing is selected), CR LF line breaks.
  std::string selectedText() const;
  // Replaces the selection, or inserts at the caret, in the insertion format: the format last
  // applied to the empty selection, else the selection's own (its first character's), else that
  // of the character before the caret. The caret ends after the new text.
  void setSelectedText(std::string_view utf8);

  // Applies the font name, size, effects and colour to the selection; with an empty selection
  // sets the format of the text inserted next.
  void applyCharFormat(const CharFormat& format);

  int getLineCount() const;
  // The position of the first character of the 0-based line; -1 for a line that does not exist.
  int getLineStart(int line) const;
  // The line that holds the selection start.
  int getCaretLine() const;

  std::function<void()> onContentChanged;

  // The left button released over the box at a character position (the backend maps the point
  // to a position; a point below the last line maps into the last line). Moves the caret there,
  // then raises onLeftButtonUp.
  InputResult userReleaseLeftButtonAt(int position);
  // The same at the start (plus column) of a line; a line past the last one means the last one.
  InputResult userReleaseLeftButtonOnLine(int line, int column = 0);
  InputResult userClick() override;

  // Design attributes.
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool readOnly);
  bool verticalScrollBar() const { return verticalScrollBar_; }
  void setVerticalScrollBar(bool shown);
  // A box that takes no line breaks drops them from what the user types, pastes or confirms
  // through an input method, and an Enter that reaches it puts none in; a long text still wraps
  // onto several lines. For a one-answer box, where a stray line break would spoil the answer.
  bool takesLineBreaks() const { return takesLineBreaks_; }
  void setTakesLineBreaks(bool takes);

  // For drawing and tests.
  const std::u32string& text() const { return text_; }
  int characterCount() const { return static_cast<int>(text_.size()); }
  // The format of one character as stored (kDefaultColor, "" and 0 mean the box's own).
  const CharFormat& formatAt(int position) const;
  // The same with the box's font and colour filled in.
  CharFormat effectiveFormatAt(int position) const;
  // The width the text is laid out in: the box less its frame and scroll bar.
  double layoutWidth() const;
  const std::vector<int>& lineStarts() const;

  static constexpr int kFrame = 4;
  static constexpr int kScrollBarWidth = 17;

  std::string_view kind() const override { return "RichEditBox"; }
  bool takesText() const override { return true; }

 protected:
  void changed(Property property) override;
  void handleKey(int keyCode, int shiftState) override;
  void handleText(std::u32string_view text) override;

 private:
  std::uint32_t formatIndex(const CharFormat& format);
  std::uint32_t insertionFormat() const;
  void replaceSelection(std::u32string_view text);
  // The line that holds a position.
  int lineOf(int position) const;
  // The position at a column of a line, kept on the line (a line past the last: the last).
  int positionOnLine(int line, int column) const;
  // Left, Right, Home, End, Up and Down; false for any other key.
  bool moveCaret(int keyCode);
  void textChanged();
  void setSelection(int start, int length);

  std::u32string text_;
  std::vector<std::uint32_t> formatOf_;  // one entry per character, into formats_
  std::vector<CharFormat> formats_{CharFormat{}};
  int selectionStart_ = 0;
  int selectionLength_ = 0;
  std::uint32_t pendingFormat_ = 0;
  bool hasPendingFormat_ = false;
  bool readOnly_ = false;
  bool verticalScrollBar_ = false;
  bool takesLineBreaks_ = true;

  // Kept up to date on appends at the end (the way a lesson text is built), rebuilt lazily
  // after any other change.
  mutable std::string content_;
  mutable bool contentValid_ = true;
  mutable std::vector<int> lineStarts_{0};
  mutable bool linesValid_ = true;
};

}  // namespace platform
