#include "sorandel/click_to_read.h"

#include "sorandel/main_window.h"

void ClickToRead::design() {
  w_.全文学习内容框.onLeftButtonUp = [this](platform::MouseEvent event) {
    lessonTextClicked(event);
  };
}

void ClickToRead::lessonTextClicked(platform::MouseEvent) {
  if (s_.readingMode == 1) return;
  s_.repeatActive = 1;
  s_.playCount = 1;
  s_.clickLine = w_.全文学习内容框.getCaretLine();
  if (!locateClickedBlock()) return;

  LessonTextView& text = w_.lessonText;
  if (text.kindOfBlock(s_.clickBlockStart) == LessonTextView::kTranslationKind) {
    s_.clickKind = LessonTextView::kTranslationKind;
    w_.焦点停留框.setFocus();
    return;
  }
  s_.clickKind = LessonTextView::kJapaneseKind;
  if (s_.markedKind == LessonTextView::kJapaneseKind &&
      !text.underlinedByReadAlong(s_.markedBlockStart))
    text.formatSentence(s_.markedBlockStart, s_.markedNextBlockStart, false);
  text.formatSentence(s_.clickBlockStart, s_.clickNextBlockStart, true);
  s_.markedBlockStart = s_.clickBlockStart;
  s_.markedNextBlockStart = s_.clickNextBlockStart;
  s_.markedKind = s_.clickKind;
  w_.playback.playSentenceById();
  w_.焦点停留框.setFocus();
}

// Up from the clicked line to the block's first line, then down to the next block.
bool ClickToRead::locateClickedBlock() {
  LessonTextView& text = w_.lessonText;
  int line = s_.clickLine;
  while (line > 0 && !text.lineBeginsBlock(line)) --line;
  if (!text.lineBeginsBlock(line)) return false;
  s_.clickBlockStart = w_.内容暂存框.getLineStart(line);
  w_.搜索内容框.setContent(text.itemKeyOfBlock(s_.clickBlockStart));

  const int nextLine = text.findBlockLine(s_.clickLine + 1);
  if (nextLine < 0) return false;
  s_.clickNextBlockStart = w_.内容暂存框.getLineStart(nextLine);
  return true;
}
