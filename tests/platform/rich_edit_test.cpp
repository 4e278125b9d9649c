#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>

#include "platform/system/text_numbers.h"
#include "tests/platform/test_windows.h"

namespace {

using platform::CharFormat;
using platform::RichEditBox;

// Two boxes of the lesson text's shape: 664 px wide, design font 仿宋 13 pt (17.33 px em).
class LessonWindow : public platform::Window {
 public:
  explicit LessonWindow(platform::Runtime& rt) : Window(rt, "lessonWindow", {0, 0, 700, 600}) {
    for (RichEditBox* box : {&全文学习内容框, &内容暂存框}) {
      box->setFont({"仿宋", 13});
    }
    全文学习内容框.onLeftButtonUp = [this](platform::MouseEvent) {
      clickedLines.push_back(全文学习内容框.getCaretLine());
    };
    图片框1.setVisible(false);
  }
  std::vector<int> clickedLines;
  platform::RichEditBox 全文学习内容框{*this, "全文学习内容框", {13, 45, 664, 384}};
  platform::PictureBox 图片框1{*this, "图片框1", {0, 0, 700, 100}};
  platform::RichEditBox 内容暂存框{图片框1, "内容暂存框", {0, 0, 664, 80}};
};

CharFormat format(int color, int effects = 0) {
  return {"仿宋", 13, 0, effects, static_cast<platform::Color>(color)};
}

// The append step of a lesson text: caret past the end, a length of 1, a format, the piece.
void append(RichEditBox& box, const std::string& piece, const CharFormat& f) {
  box.setSelectionStart(platform::getTextLength(box.content()));
  box.setSelectionLength(1);
  box.applyCharFormat(f);
  box.setSelectedText(piece);
}

class RichEdit : public PlatformTest {
 protected:
  LessonWindow& w = rt().start<LessonWindow>();
  RichEditBox& box = w.全文学习内容框;
};

TEST_P(RichEdit, PositionsCountCharactersAndALineBreakCountsOne) {
  box.setContent("[0001]日文：おはよう\r\n[0001]译文：早上好\r\n\r\n[结束]");
  EXPECT_EQ(box.characterCount(), 9 + 4 + 1 + 9 + 3 + 1 + 1 + 4);
  EXPECT_EQ(box.content(), "[0001]日文：おはよう\r\n[0001]译文：早上好\r\n\r\n[结束]");
  box.setSelectionStart(9);
  box.setSelectionLength(4);
  EXPECT_EQ(box.selectedText(), "おはよう");
  box.setSelectionLength(5);
  EXPECT_EQ(box.selectedText(), "おはよう\r\n");
  box.setSelectionStart(14);
  EXPECT_EQ(box.selectedText(), "");
  box.setSelectionLength(9);
  EXPECT_EQ(box.selectedText(), "[0001]译文：");
  EXPECT_EQ(box.getLineCount(), 4);
  EXPECT_EQ(box.getLineStart(1), 14);
  EXPECT_EQ(box.getLineStart(3), 28);
}

TEST_P(RichEdit, SelectionEndsStopAtTheEndOfTheText) {
  box.setContent("abc");
  const struct {
    const char* label;
    int start, length, expectStart, expectLength;
  } cases[] = {
      {"start past the end is the end", 99, 0, 3, 0},
      {"a length past the end stops there", 1, 99, 1, 2},
      {"a length at the end selects nothing", 3, 1, 3, 0},
      {"a negative start is the start", -5, 1, 0, 1},
      {"a negative length selects nothing", 1, -2, 1, 0},
  };
  for (const auto& c : cases) {
    box.setSelectionStart(c.start);
    box.setSelectionLength(c.length);
    EXPECT_EQ(box.selectionStart(), c.expectStart) << c.label;
    EXPECT_EQ(box.selectionLength(), c.expectLength) << c.label;
  }
}

TEST_P(RichEdit, TheAppendStepAddsEachPieceAtTheEndInItsFormat) {
  append(box, "[0001]日文：はい\r\n", format(0));
  append(box, "[0001]译文：是\r\n\r\n", format(0x8000));
  append(box, "[结束]", format(0));
  EXPECT_EQ(box.content(), "[0001]日文：はい\r\n[0001]译文：是\r\n\r\n[结束]");
  EXPECT_EQ(box.getLineCount(), 4);
  EXPECT_EQ(box.formatAt(0), format(0));
  EXPECT_EQ(box.formatAt(11), format(0)) << "the line break of the Japanese line";
  EXPECT_EQ(box.formatAt(12), format(0x8000));
  EXPECT_EQ(box.formatAt(box.characterCount() - 1), format(0));
  EXPECT_EQ(box.selectionStart(), box.characterCount());
}

TEST_P(RichEdit, ApplyingAFormatToASelectionUnderlinesJustThatRange) {
  append(box, "[0001]日文：はい\r\n[结束]", format(0));
  box.setSelectionStart(9);
  box.setSelectionLength(2);
  box.applyCharFormat(format(0, CharFormat::kUnderline));
  EXPECT_FALSE(box.formatAt(8).underlined());
  EXPECT_TRUE(box.formatAt(9).underlined());
  EXPECT_TRUE(box.formatAt(10).underlined());
  EXPECT_FALSE(box.formatAt(11).underlined());
  box.applyCharFormat(format(0));
  EXPECT_FALSE(box.formatAt(9).underlined());
  EXPECT_EQ(box.content(), "[0001]日文：はい\r\n[结束]") << "formats leave the text alone";
}

TEST_P(RichEdit, TextInsertedTakesTheFormatOfTheSelectionItReplacesOrOfTheCharacterBefore) {
  append(box, "ab", format(0x8000));
  append(box, "cd", format(0, CharFormat::kUnderline));
  // Over a selection: the selection's format, not that of the character before it.
  box.setSelectionStart(2);
  box.setSelectionLength(1);
  box.setSelectedText("X");
  // At the caret: the character before it.
  box.setSelectionStart(2);
  box.setSelectedText("Y");
  box.setSelectionStart(0);
  box.setSelectedText("Z");
  EXPECT_EQ(box.content(), "ZabYXd");
  EXPECT_EQ(box.formatAt(0), format(0x8000)) << "at the start: the first character's";
  EXPECT_EQ(box.formatAt(3), format(0x8000));
  EXPECT_EQ(box.formatAt(4), format(0, CharFormat::kUnderline));
}

TEST_P(RichEdit, WritingContentDropsFormatsAndCopiesCarryTextOnly) {
  append(box, "[0001]日文：はい\r\n", format(0x8000, 4));
  append(box, "[结束]", format(0));
  w.内容暂存框.setContent(box.content());
  EXPECT_EQ(w.内容暂存框.content(), box.content());
  EXPECT_EQ(w.内容暂存框.formatAt(0), CharFormat{});
  EXPECT_EQ(w.内容暂存框.lineStarts(), box.lineStarts());
  box.setContent("");
  EXPECT_EQ(box.characterCount(), 0);
  EXPECT_EQ(box.getLineCount(), 1);
  box.setSelectedText("x");
  EXPECT_EQ(box.formatAt(0), CharFormat{});
}

// A lesson text of `items` items in the Chinese-Japanese mode.
std::string lesson(int items, const std::string& japanese) {
  std::string text;
  for (int i = 0; i < items; ++i) {
    text += "[000" + std::to_string(i) + "]日文：" + japanese + "\r\n[000" + std::to_string(i) +
            "]译文：中文\r\n\r\n";
  }
  return text + "[结束]";
}

// How many characters `c` fit after `head` on a line of the box, as the backend measures them.
int fittingAfter(const RichEditBox& box, std::u32string_view head, char32_t c,
                 const platform::TextMeasurer& measurer) {
  double width = 0;
  for (char32_t h : head) width += measurer.advance(h, box.font());
  const double advance = measurer.advance(c, box.font());
  int count = 0;
  while (width + advance <= box.layoutWidth()) {
    width += advance;
    ++count;
  }
  return count;
}

TEST_P(RichEdit, LinesOfALessonTextAndAWrappedLine) {
  // A Japanese line three characters longer than what fits after its 9-character header.
  const int fit = fittingAfter(box, U"[0000]日文：", U'あ', rt().backend().textMeasurer());
  ASSERT_GT(fit, 3);
  std::string wrapped;
  for (int i = 0; i < fit + 3; ++i) wrapped += "あ";
  struct Case {
    const char* label;
    std::string text;
    int lines;
  };
  const Case cases[] = {
      {"no items: the end marker alone", "[结束]", 1},
      {"one item, Chinese-Japanese", lesson(1, "はい"), 4},
      {"two items, Chinese-Japanese", lesson(2, "はい"), 7},
      {"one item, Japanese-only", "[0001]日文：はい\r\n\r\n[结束]", 3},
      {"a Japanese line too long for the box wraps once", lesson(1, wrapped), 5},
  };
  for (const Case& c : cases) {
    box.setContent(c.text);
    w.内容暂存框.setContent(c.text);
    EXPECT_EQ(box.getLineCount(), c.lines) << c.label;
    EXPECT_EQ(w.内容暂存框.lineStarts(), box.lineStarts()) << c.label;
  }
  // The wrapped line: the characters that do not fit start a line of their own.
  box.setContent(lesson(1, wrapped));
  EXPECT_EQ(box.getLineStart(1), 9 + fit);
  EXPECT_EQ(box.getLineStart(2), 9 + fit + 3 + 1);
  box.setSelectionStart(9 + fit + 1);
  EXPECT_EQ(box.getCaretLine(), 1);
  EXPECT_EQ(box.getLineStart(5), -1);
  EXPECT_EQ(box.getLineStart(-1), -1);
}

TEST_P(RichEdit, CaretLineOnAnEmptyLineWhoseBreakIsSelected) {
  box.setContent(lesson(1, "はい"));
  const int emptyLine = 2;
  box.setSelectionStart(box.getLineStart(emptyLine));
  box.setSelectionLength(1);
  EXPECT_EQ(box.selectedText(), "\r\n");
  EXPECT_EQ(box.getCaretLine(), emptyLine);
}

TEST_P(RichEdit, AClickMovesTheCaretBeforeLeftButtonUpAndBelowTheLastLineMeansTheLast) {
  box.setContent(lesson(2, "はい"));
  d().releaseLeftButtonOnLine(box, 3, 4);
  d().releaseLeftButtonOnLine(box, 40);
  EXPECT_EQ(w.clickedLines, (std::vector<int>{3, 6}));
  EXPECT_EQ(box.selectionStart(), box.getLineStart(6));
  EXPECT_NONFATAL_FAILURE(d().releaseLeftButtonOnLine(w.内容暂存框, 0), "内容暂存框");
}

TEST_P(RichEdit, TypingRaisesContentChangedButAProgramWriteDoesNot) {
  int changes = 0;
  box.onContentChanged = [&] { ++changes; };
  box.setContent("x");
  box.setSelectedText("y");
  EXPECT_EQ(changes, 0);
  d().type(box, "あい");
  d().pressKey(box, 8);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(box.content(), "yあx");
  box.setReadOnly(true);
  d().type(box, "z");
  EXPECT_EQ(box.content(), "yあx");
  EXPECT_EQ(changes, 3);
}

TEST_P(RichEdit, APasteOrAConfirmedCompositionIsOneKeyAndOneChange) {
  std::vector<int> keys;
  int changes = 0;
  box.onKeyDown = [&](int code, int) -> std::optional<bool> {
    keys.push_back(code);
    return std::nullopt;
  };
  box.onContentChanged = [&] { ++changes; };
  d().paste(box, "一行目\r\n二行目");
  EXPECT_EQ(box.content(), "一行目\r\n二行目");
  EXPECT_EQ(box.characterCount(), 7);
  EXPECT_EQ(keys, (std::vector<int>{'V'}));
  EXPECT_EQ(changes, 1);
  // A handler that swallows the paste key keeps the text out.
  box.onKeyDown = [](int, int) -> std::optional<bool> { return false; };
  d().paste(box, "x");
  EXPECT_EQ(box.content(), "一行目\r\n二行目");
  EXPECT_EQ(changes, 1);
  // What an input method confirms comes after its own key, however long the conversion.
  box.onKeyDown = [&](int code, int) -> std::optional<bool> {
    keys.push_back(code);
    return std::nullopt;
  };
  box.setContent("");
  ASSERT_TRUE(d().commitComposition(box, "私は学生です"));
  EXPECT_EQ(box.content(), "私は学生です");
  EXPECT_EQ(box.selectionStart(), 6);
  EXPECT_EQ(keys, (std::vector<int>{'V', platform::kInputMethodKey}));
  EXPECT_EQ(changes, 2);
}

TEST_P(RichEdit, ABoxThatTakesNoLineBreaksDropsThemFromEveryInput) {
  int changes = 0;
  box.onContentChanged = [&] { ++changes; };
  box.setTakesLineBreaks(false);
  const struct {
    const char* label;
    std::function<void()> input;
    const char* content;
    int changes;
  } cases[] = {
      {"typed", [&] { d().type(box, "一\r\n二"); }, "一二", 2},
      {"Enter", [&] { d().pressKey(box, 13); }, "", 0},
      {"pasted", [&] { d().paste(box, "一行目\r\n二行目\n"); }, "一行目二行目", 1},
      {"pasted alone", [&] { d().paste(box, "\r\n"); }, "", 0},
      {"confirmed", [&] { d().commitComposition(box, "日本\r\n"); }, "日本", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    box.setContent("");
    changes = 0;
    c.input();
    EXPECT_EQ(box.content(), c.content);
    EXPECT_EQ(changes, c.changes);
  }
}

TEST_P(RichEdit, CaretKeysMoveTheCaretAndBackspaceAndDeleteRemoveInAnEditableBox) {
  constexpr int kBackspace = 8, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39,
                kDown = 40, kDelete = 46;
  // Lines start at 0, 4 and 7; positions 3 and 6 are the line breaks, 12 the end.
  const std::string text = "abc\r\nde\r\nfghij";
  const struct {
    const char* label;
    int key;
    int start;
    int length;
    int caret;
    std::string content;  // "" = unchanged
  } cases[] = {
      {"Left", kLeft, 2, 0, 1, ""},
      {"Left at the start", kLeft, 0, 0, 0, ""},
      {"Left over a line break", kLeft, 4, 0, 3, ""},
      {"Left ends a selection at its start", kLeft, 1, 2, 1, ""},
      {"Right", kRight, 2, 0, 3, ""},
      {"Right at the end", kRight, 12, 0, 12, ""},
      {"Right ends a selection at its end", kRight, 1, 2, 3, ""},
      {"Home", kHome, 5, 0, 4, ""},
      {"End stops before the line break", kEnd, 4, 0, 6, ""},
      {"End of the last line", kEnd, 8, 0, 12, ""},
      {"Up keeps the column", kUp, 8, 0, 5, ""},
      {"Up to a shorter line stops at its end", kUp, 10, 0, 6, ""},
      {"Up on the first line", kUp, 1, 0, 1, ""},
      {"Down keeps the column", kDown, 1, 0, 5, ""},
      {"Down from a longer line stops at the end of the shorter", kDown, 2, 0, 6, ""},
      {"Down on the last line", kDown, 10, 0, 10, ""},
      {"Backspace", kBackspace, 2, 0, 1, "ac\r\nde\r\nfghij"},
      {"Backspace joins two lines", kBackspace, 4, 0, 3, "abcde\r\nfghij"},
      {"Backspace at the start", kBackspace, 0, 0, 0, ""},
      {"Backspace removes a selection", kBackspace, 1, 2, 1, "a\r\nde\r\nfghij"},
      {"Delete", kDelete, 0, 0, 0, "bc\r\nde\r\nfghij"},
      {"Delete a line break", kDelete, 6, 0, 6, "abc\r\ndefghij"},
      {"Delete at the end", kDelete, 12, 0, 12, ""},
  };
  int changes = 0;
  box.onContentChanged = [&] { ++changes; };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    box.setContent(text);
    box.setSelectionStart(c.start);
    box.setSelectionLength(c.length);
    changes = 0;
    ASSERT_TRUE(d().pressKey(box, c.key));
    EXPECT_EQ(box.selectionStart(), c.caret);
    EXPECT_EQ(box.selectionLength(), 0);
    const bool removes = !c.content.empty();
    EXPECT_EQ(box.content(), removes ? c.content : text);
    EXPECT_EQ(changes, removes ? 1 : 0);
  }
}

TEST_P(RichEdit, CaretKeysGoToKeyDownFirstAndAReadOnlyBoxIgnoresThem) {
  box.setContent("abc\r\nde");
  std::vector<int> keys;
  box.onKeyDown = [&](int code, int) -> std::optional<bool> {
    keys.push_back(code);
    if (code == 37) return false;  // Left is swallowed
    return std::nullopt;
  };
  box.setSelectionStart(2);
  d().pressKey(box, 37);
  EXPECT_EQ(box.selectionStart(), 2) << "a swallowed key moves nothing";
  d().pressKey(box, 39);
  EXPECT_EQ(box.selectionStart(), 3);
  box.setReadOnly(true);
  for (int key : {8, 35, 36, 38, 39, 40, 46}) d().pressKey(box, key);
  EXPECT_EQ(box.selectionStart(), 3);
  EXPECT_EQ(box.content(), "abc\r\nde");
  EXPECT_EQ(keys, (std::vector<int>{37, 39, 8, 35, 36, 38, 39, 40, 46}))
      << "a read-only box still raises keyDown";
}

TEST_P(RichEdit, TheUserSelectsAndEditsAsInAnyTextBox) {
  constexpr int kCtrl = 1, kShift = 2;
  constexpr int kBackspace = 8, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39,
                kInsert = 45, kDelete = 46;
  using Step = std::function<void()>;
  const auto key = [this](int code, int shiftState = 0) -> Step {
    return [this, code, shiftState] { ASSERT_TRUE(d().pressKey(box, code, shiftState)); };
  };
  const auto type = [this](const char* text) -> Step {
    return [this, text] { ASSERT_TRUE(d().type(box, text)); };
  };
  const auto drag = [this](int from, int to) -> Step {
    return [this, from, to] { ASSERT_TRUE(d().dragAcross(box, from, to)); };
  };
  const Step undo = key('Z', kCtrl);
  const struct {
    const char* label;
    const char* start;  // the caret at its end
    std::vector<Step> steps;
    const char* content;
    int selectionStart, selectionLength, caret;
    int changes;
    const char* clipboard;
  } cases[] = {
      {"typing replaces what Shift+Home and Ctrl+A select",
       "",
       {type("abc"), key(kHome, kShift), type("x"), key('A', kCtrl), type("y")},
       "y",
       1,
       0,
       1,
       5,
       "before"},
      {"Shift+Left selects back from the caret, Shift+Right gives back",
       "abcd",
       {key(kLeft, kShift), key(kLeft, kShift), key(kLeft, kShift), key(kRight, kShift)},
       "abcd",
       2,
       2,
       2,
       0,
       "before"},
      {"the selection turns over at its anchor",
       "abcd",
       {key(kLeft), key(kLeft), key(kLeft, kShift), key(kRight, kShift), key(kRight, kShift)},
       "abcd",
       2,
       1,
       3,
       0,
       "before"},
      {"Shift+Up extends by lines, keeping the column",
       "abc\r\nde\r\nfghij",
       {key(kUp, kShift), key(kUp, kShift)},
       "abc\r\nde\r\nfghij",
       2,
       10,
       2,
       0,
       "before"},
      {"Ctrl+Home and Ctrl+Shift+End go to the ends of the text",
       "abc\r\nde",
       {key(kHome, kCtrl), key(kRight), key(kEnd, kCtrl | kShift)},
       "abc\r\nde",
       1,
       5,
       6,
       0,
       "before"},
      {"a caret key without Shift ends the selection",
       "abcd",
       {key('A', kCtrl), key(kLeft)},
       "abcd",
       0,
       0,
       0,
       0,
       "before"},
      {"Ctrl+C copies and changes nothing",
       "abcd",
       {key(kLeft, kShift), key(kLeft, kShift), key('C', kCtrl)},
       "abcd",
       2,
       2,
       2,
       0,
       "cd"},
      {"Ctrl+Insert copies",
       "abcd",
       {key(kLeft, kShift), key(kInsert, kCtrl)},
       "abcd",
       3,
       1,
       3,
       0,
       "d"},
      {"Ctrl+X cuts as one change",
       "abcd",
       {key(kLeft, kShift), key(kLeft, kShift), key('X', kCtrl)},
       "ab",
       2,
       0,
       2,
       1,
       "cd"},
      {"Shift+Delete cuts",
       "abcd",
       {key(kLeft, kShift), key(kDelete, kShift)},
       "abc",
       3,
       0,
       3,
       1,
       "d"},
      {"without a selection nothing is copied or cut",
       "ab",
       {key('C', kCtrl), key('X', kCtrl), key(kDelete, kShift)},
       "ab",
       2,
       0,
       2,
       0,
       "before"},
      {"Ctrl+V and Shift+Insert paste what was copied",
       "ab",
       {key('A', kCtrl), key('C', kCtrl), key(kEnd), key('V', kCtrl), key(kInsert, kShift)},
       "ababab",
       6,
       0,
       6,
       2,
       "ab"},
      {"Ctrl+Z takes back a typed run at once", "", {type("abc"), undo}, "", 0, 0, 0, 4, "before"},
      {"Ctrl+Y and Ctrl+Shift+Z bring undone steps back",
       "",
       {type("ab"), key('A', kCtrl), key('X', kCtrl), undo, undo, key('Y', kCtrl),
        key('Z', kCtrl | kShift)},
       "",
       0,
       0,
       0,
       7,
       "ab"},
      {"undoing a replaced selection gives it back selected",
       "abc",
       {key('A', kCtrl), type("x"), undo},
       "abc",
       0,
       3,
       3,
       2,
       "before"},
      {"a run of Backspaces is one step",
       "abc",
       {key(kBackspace), key(kBackspace), undo},
       "abc",
       3,
       0,
       3,
       3,
       "before"},
      {"a run of Deletes is one step",
       "abc",
       {key(kHome), key(kDelete), key(kDelete), undo},
       "abc",
       0,
       0,
       0,
       3,
       "before"},
      {"a paste and a confirmed conversion are steps of their own",
       "",
       {type("ab"), [this] { d().paste(box, "cd"); },
        [this] { d().commitComposition(box, "日本"); }, undo, undo},
       "ab",
       2,
       0,
       2,
       6,
       "cd"},
      {"a moved caret starts a new typing step",
       "",
       {type("ab"), key(kLeft), type("x"), undo},
       "ab",
       1,
       0,
       1,
       4,
       "before"},
      {"a new change drops what was undone",
       "",
       {type("ab"), undo, type("x"), key('Y', kCtrl)},
       "x",
       1,
       0,
       1,
       4,
       "before"},
      {"nothing to undo or redo is no change",
       "ab",
       {undo, key('Y', kCtrl)},
       "ab",
       2,
       0,
       2,
       0,
       "before"},
      {"the program's write of the text forgets the history",
       "",
       {type("ab"), [this] { box.setContent("q"); }, undo},
       "q",
       0,
       0,
       0,
       2,
       "before"},
      {"so does its write of the selected text",
       "",
       {type("ab"), [this] { box.setSelectedText("q"); }, undo},
       "abq",
       3,
       0,
       3,
       2,
       "before"},
      {"dragging selects from where the button went down",
       "abcdef",
       {drag(1, 4)},
       "abcdef",
       1,
       3,
       4,
       0,
       "before"},
      {"dragging back leaves the caret at the start",
       "abcdef",
       {drag(4, 1), key(kRight, kShift)},
       "abcdef",
       2,
       2,
       2,
       0,
       "before"},
      {"typing replaces what was dragged over",
       "abcdef",
       {drag(1, 4), type("X")},
       "aXef",
       2,
       0,
       2,
       1,
       "before"},
  };
  int changes = 0;
  box.onContentChanged = [&] { ++changes; };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    box.setContent(c.start);
    box.setSelectionStart(box.characterCount());
    rt().backend().setClipboardText("before");
    changes = 0;
    for (const Step& step : c.steps) step();
    EXPECT_EQ(box.content(), c.content);
    EXPECT_EQ(box.selectionStart(), c.selectionStart);
    EXPECT_EQ(box.selectionLength(), c.selectionLength);
    EXPECT_EQ(box.caret(), c.caret);
    EXPECT_EQ(changes, c.changes);
    EXPECT_EQ(rt().backend().clipboardText(), c.clipboard);
  }
}

// The lesson text: nothing the user does edits or selects it, and a drag is a click where the
// button went up.
TEST_P(RichEdit, AReadOnlyBoxTakesNoEditingAndADragEndsAsAClick) {
  box.setReadOnly(true);
  box.setContent(lesson(2, "はい"));
  box.setSelectionStart(9);
  box.setSelectionLength(2);
  rt().backend().setClipboardText("before");
  int changes = 0;
  box.onContentChanged = [&] { ++changes; };
  const struct {
    int key, shiftState;
  } keys[] = {{'A', 1}, {'C', 1}, {'X', 1}, {'V', 1}, {'Z', 1}, {37, 2}, {46, 2}, {45, 2}};
  for (const auto& k : keys) ASSERT_TRUE(d().pressKey(box, k.key, k.shiftState));
  EXPECT_EQ(box.content(), lesson(2, "はい"));
  EXPECT_EQ(box.selectionStart(), 9);
  EXPECT_EQ(box.selectionLength(), 2);
  EXPECT_EQ(rt().backend().clipboardText(), "before");
  EXPECT_EQ(changes, 0);
  const int line3 = box.getLineStart(3);
  ASSERT_TRUE(d().dragAcross(box, 2, line3 + 4));
  EXPECT_EQ(box.selectionStart(), line3 + 4);
  EXPECT_EQ(box.selectionLength(), 0);
  EXPECT_EQ(w.clickedLines, (std::vector<int>{3}));
}

PLATFORM_TEST_SUITE(RichEdit);

}  // namespace
