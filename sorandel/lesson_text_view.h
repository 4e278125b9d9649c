#pragma once

#include <string>

#include "platform/design.h"

class MainWindow;
struct SorandelState;

// The lesson text view 全文学习容器: builds the lesson text of `currentKey` in one of the two
// display modes, keeps its plain copy in 内容暂存框 and owns the block grammar that
// click-to-read and read-along read that copy with.
//
// A text block starts at a line beginning with "[" and runs to the next such line. From its
// start p: p "[", p+1..p+4 the item key, p+5 "]", p+6..p+7 the kind ("日文" or "译文"), p+8
// "：", then the text. With n the next block's start, the sentence range is p+9 for n-p-10.
class LessonTextView {
 public:
  LessonTextView(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void loadLessonText();
  void japaneseOnlyViewClicked();
  void chineseJapaneseViewClicked();
  void textSentencesClicked();
  void textWordsClicked();

  // Block grammar on the copy. Lines past the text begin no block.
  bool lineBeginsBlock(int line);
  // The first line from `line` on (up to the last line) that begins a block, or -1.
  int findBlockLine(int line);
  std::string itemKeyOfBlock(int blockStart);
  std::string kindOfBlock(int blockStart);
  // Formats the sentence range of the block in the shown text: underlined or plain black.
  void formatSentence(int blockStart, int nextBlockStart, bool underlined);
  // Whether click-to-read's or read-along's record holds the block's sentence as underlined.
  // Each mode removes only its own underline: not one that the other mode's record still holds.
  bool underlinedByClickToRead(int blockStart) const;
  bool underlinedByReadAlong(int blockStart) const;

  static constexpr const char* kFontName = "仿宋";
  static constexpr int kFontSize = 13;
  static constexpr platform::Color kJapaneseColor = 0;
  static constexpr platform::Color kTranslationColor = 0x8000;
  static constexpr const char* kJapaneseKind = "日文";
  static constexpr const char* kTranslationKind = "译文";
  static constexpr const char* kEndMarker = "[结束]";

 private:
  // Selects characters of the copy and gives them.
  std::string copyText(int position, int count);
  void setTextFormat(platform::Color color, int effects);
  void appendPiece(const std::string& piece, platform::Color color, int& endPosition);
  void clearClickState();

  MainWindow& w_;
  SorandelState& s_;
};
