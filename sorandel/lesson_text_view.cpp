#include "sorandel/lesson_text_view.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/statements.h"
#include "platform/system/text_numbers.h"
#include "sorandel/main_window.h"
#include "sorandel/view_colours.h"

namespace {

using view_colours::kGround;
using view_colours::kInk;
constexpr const char* kLineBreak = "\r\n";

}  // namespace

void LessonTextView::design() {
  w_.全文学习容器.setPicture(assets::lessonTextBackground());
  w_.逐句跟读标题图片框1.setPicture(assets::lessonTextTitle());

  for (platform::PictureBox* group : {&w_.图片框5, &w_.图片框4}) group->setBackgroundColor(kGround);
  const auto radio = [](platform::RadioButton& button, const char* caption, bool checked) {
    button.setCaption(caption);
    button.setChecked(checked);
    button.setTextColor(kInk);
    button.setBackgroundColor(kGround);
  };
  radio(w_.课文句子单选框, "课文句子", true);
  radio(w_.课文单词单选框, "课文单词", false);
  radio(w_.全日文显示单选框, "全日文显示", false);
  radio(w_.中日文显示单选框, "中日文显示", true);
  w_.课文句子单选框.onClicked = [this] { textSentencesClicked(); };
  w_.课文单词单选框.onClicked = [this] { textWordsClicked(); };
  w_.全日文显示单选框.onClicked = [this] { japaneseOnlyViewClicked(); };
  w_.中日文显示单选框.onClicked = [this] { chineseJapaneseViewClicked(); };

  // The shown text and its copy break their lines at the same places only with the same
  // width, font and scroll bar. Typing is refused: the block arithmetic needs the text exactly
  // as built.
  const platform::Font lessonFont{kFontName, kFontSize};
  for (platform::RichEditBox* box : {&w_.全文学习内容框, &w_.内容暂存框}) {
    box->setFont(lessonFont);
    box->setVerticalScrollBar(true);
    box->setReadOnly(true);
  }
  w_.全文学习内容框.setCursor(platform::Cursor::Hand);
  w_.全文学习内容框.setBackgroundColor(platform::rgb(255, 255, 255));
}

void LessonTextView::loadLessonText() {
  w_.全文学习内容框.setContent("");
  w_.内容暂存框.setContent("");
  clearClickState();
  // The old read-along range would fall on other characters of the new text.
  w_.readAlong.forgetMarkedSentence();

  const std::string& folder = w_.runtime().getProgramFolder();
  w_.数据库连接1.open(
      content::ContentFolders::path(folder, content::ContentFolders::contentDatabase), "");
  const content::Statement query = content::selectLessonItems(s_.currentKey);
  s_.lastSqlText = query.text;
  w_.记录集1.attachConnection(w_.数据库连接1);
  content::openQuery(w_.记录集1, query);
  w_.记录集1.moveFirst();

  // Past the end of the text: the GBK length of everything appended, as the end was always
  // written, kept as a running sum so the build stays linear.
  int endPosition = 0;
  while (!w_.记录集1.endOfRecords()) {
    w_.记录集1.readField("jp", s_.lessonFieldText);
    w_.记录集1.readField("biaoshi", s_.lessonItemKeyText);
    const std::string head = "[" + s_.lessonItemKeyText + "]";
    if (!w_.中日文显示单选框.checked()) {
      appendPiece(head + kJapaneseKind + "：" + s_.lessonFieldText + kLineBreak + kLineBreak,
                  kJapaneseColor, endPosition);
    } else {
      appendPiece(head + kJapaneseKind + "：" + s_.lessonFieldText + kLineBreak, kJapaneseColor,
                  endPosition);
      w_.记录集1.readField("cn", s_.lessonFieldText);
      appendPiece(head + kTranslationKind + "：" + s_.lessonFieldText + kLineBreak + kLineBreak,
                  kTranslationColor, endPosition);
    }
    w_.记录集1.moveNext();
  }
  appendPiece(kEndMarker, kJapaneseColor, endPosition);

  w_.内容暂存框.setContent(w_.全文学习内容框.content());
  s_.textLineCount = w_.内容暂存框.getLineCount();
}

// The append step: an empty selection at the end, the piece's format, then the piece.
void LessonTextView::appendPiece(const std::string& piece, platform::Color color,
                                 int& endPosition) {
  platform::RichEditBox& box = w_.全文学习内容框;
  box.setSelectionStart(endPosition);
  box.setSelectionLength(1);
  setTextFormat(color, 0);
  box.applyCharFormat(s_.textFormat);
  box.setSelectedText(piece);
  endPosition += platform::getTextLength(piece);
}

void LessonTextView::setTextFormat(platform::Color color, int effects) {
  s_.textFormat.fontName = kFontName;
  s_.textFormat.fontSize = kFontSize;
  s_.textFormat.effects = effects;
  s_.textFormat.color = color;
}

void LessonTextView::clearClickState() {
  s_.clickBlockStart = 0;
  s_.clickNextBlockStart = 0;
  s_.clickLine = 0;
  s_.markedBlockStart = 0;
  s_.markedNextBlockStart = 0;
  s_.clickKind.clear();
  s_.markedKind.clear();
}

void LessonTextView::japaneseOnlyViewClicked() {
  w_.全日文显示单选框.setChecked(true);
  loadLessonText();
}

void LessonTextView::chineseJapaneseViewClicked() {
  w_.中日文显示单选框.setChecked(true);
  loadLessonText();
}

void LessonTextView::textSentencesClicked() { w_.navigation.applyCurrentCourse(); }

void LessonTextView::textWordsClicked() { w_.navigation.applyCurrentCourse(); }

std::string LessonTextView::copyText(int position, int count) {
  platform::RichEditBox& copy = w_.内容暂存框;
  copy.setSelectionStart(position);
  copy.setSelectionLength(count);
  return copy.selectedText();
}

bool LessonTextView::lineBeginsBlock(int line) {
  if (line < 0 || line >= s_.textLineCount) return false;
  const int start = w_.内容暂存框.getLineStart(line);
  return start >= 0 && copyText(start, 1) == "[";
}

int LessonTextView::findBlockLine(int line) {
  for (; line >= 0 && line < s_.textLineCount; ++line)
    if (lineBeginsBlock(line)) return line;
  return -1;
}

std::string LessonTextView::itemKeyOfBlock(int blockStart) { return copyText(blockStart + 1, 4); }

std::string LessonTextView::kindOfBlock(int blockStart) { return copyText(blockStart + 6, 2); }

void LessonTextView::formatSentence(int blockStart, int nextBlockStart, bool underlined) {
  setTextFormat(kJapaneseColor, underlined ? platform::CharFormat::kUnderline : 0);
  platform::RichEditBox& box = w_.全文学习内容框;
  box.setSelectionStart(blockStart + 9);
  box.setSelectionLength(nextBlockStart - blockStart - 10);
  box.applyCharFormat(s_.textFormat);
}

bool LessonTextView::underlinedByClickToRead(int blockStart) const {
  return s_.markedKind == kJapaneseKind && s_.markedBlockStart == blockStart;
}

bool LessonTextView::underlinedByReadAlong(int blockStart) const {
  return s_.readAlongMarkedKind == kJapaneseKind && s_.readAlongMarkedBlockStart == blockStart;
}
