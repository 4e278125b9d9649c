#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/char_format.h"
#include "platform/edit_history.h"
#include "platform/unit.h"

namespace platform {

// A text box with a character format on every character.
//
// An editable box is edited as any desktop text box, after onKeyDown has let each key through:
// the caret keys (Left, Right, Home, End, Up, Down; Ctrl+Home and Ctrl+End to the ends of the
// text) move the caret, with Shift they extend the selection, and so does dragging with the left
// button or a Shift+click; typed text replaces the selection; Backspace and Delete remove a
// character or the selection; Ctrl+A selects everything; Ctrl+C or Ctrl+Insert copy, Ctrl+X or
// Shift+Delete cut, Ctrl+V or Shift+Insert paste; Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes
// (see EditHistory). Every change of the text by the user raises onContentChanged once. A
// read-only box ignores all of these; a click there only puts the caret on the clicked point.
//
// Positions count characters (code points); a line break counts one. The text keeps one '\n'
// per line break; content() and selectedText() give CR LF. Lines come from layoutLines() with
// the box's design font and width (not the per-character formats), so two boxes of the same
// width and font break every line at the same place whatever their formats.
class RichEditBox : public Unit {
 public:
  RichEditBox(Unit& parent, std::string name, Rect rect);

  // The whole text with CR LF line breaks. Writing replaces the text and drops all formats;
  // the caret goes to the start, and the box shows the text from its top. A program write
  // raises no onContentChanged.
  const std::string& content() const;
  void setContent(std::string_view utf8);

  // Writing a position at or past the end puts the caret at the end; a negative one at the
  // start. Writing the start empties the selection. A program write of the text, whole or the
  // selected part, forgets what the user could undo.
  int selectionStart() const { return selectionStart_; }
  void setSelectionStart(int position);
  // Selects from the selection start; a selection that would pass the end stops at the end.
  int selectionLength() const { return selectionLength_; }
  void setSelectionLength(int length);
  // The end of the selection that the user moves and where the caret shows: the end after a
  // program write, the end that Shift or the mouse moved last after the user's.
  int caret() const { return caretAtStart_ ? selectionStart_ : selectionStart_ + selectionLength_; }

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
  // The line that holds a position.
  int lineOf(int position) const;

  std::function<void()> onContentChanged;

  // The left button pressed over the box at a character position (with Shift: `extend`), and
  // the pointer moved with it held. An editable box selects from where it went down (or, with
  // Shift, from the end of its selection that the caret is not at) to the pointer.
  InputResult userPressLeftButtonAt(int position, bool extend = false);
  InputResult userDragLeftButtonTo(int position);
  // The left button released over the box at a character position (the backend maps the point
  // to a position; a point below the last line maps into the last line). Moves the caret there
  // (ending the selection a press began), then raises onLeftButtonUp.
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
  void handleText(std::u32string_view text, TextEntry entry) override;

 private:
  std::uint32_t formatIndex(const CharFormat& format);
  std::uint32_t insertionFormat() const;
  // Puts `text` in place of `length` characters at `at`, each new character in `format`.
  void replaceRange(int at, int length, std::u32string_view text, std::uint32_t format);
  // The same in the insertion format, with the caret after the new text.
  void replace(int at, int length, std::u32string_view text);
  // A step of the history put back, each character in the format it had.
  void putBack(int at, int length, const std::u32string& text,
               const std::vector<std::uint32_t>& formats);
  // A change by the user: replaced, kept in the history, raised.
  void userEdit(int at, int length, std::u32string_view text, EditHistory::Kind kind);
  // The position at a column of a line, kept on the line (a line past the last: the last).
  int positionOnLine(int line, int column) const;
  // Left, Right, Home, End, Up and Down; false for any other key.
  bool moveCaret(int keyCode, int shiftState);
  // Select all, clipboard and history keys; false for any other key.
  bool runShortcut(int keyCode, int shiftState);
  void removeAtCaret(int keyCode);
  void selectAll();
  void copy();
  void cut();
  void undo();
  void redo();
  void textChanged();
  void setSelection(int start, int length);
  // The selection between two positions; the caret at the second.
  void select(int anchor, int caret);
  int anchor() const {
    return caretAtStart_ ? selectionStart_ + selectionLength_ : selectionStart_;
  }

  std::u32string text_;
  std::vector<std::uint32_t> formatOf_;  // one entry per character, into formats_
  std::vector<CharFormat> formats_{CharFormat{}};
  int selectionStart_ = 0;
  int selectionLength_ = 0;
  bool caretAtStart_ = false;
  // Where the left button went down, while it is held and selecting.
  std::optional<int> selectingFrom_;
  EditHistory history_;
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
