#include "sorandel/sentence_drill.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/keys.h"
#include "content/lesson_items.h"
#include "platform/system/file_bytes.h"
#include "platform/system/text_numbers.h"
#include "sorandel/main_window.h"
#include "sorandel/view_colours.h"

namespace {

using view_colours::kGround;
using view_colours::kInk;
using view_colours::kPaper;
constexpr int kEnterKey = 13;
constexpr int kAutoNextMs = 500;

}  // namespace

void SentenceDrill::design() {
  w_.逐句跟读标题图片框.setPicture(assets::drillTitle());
  w_.逐句跟读进度标签.setTextColor(platform::rgb(0xff, 0xff, 0xff));
  w_.逐句跟读进度标签.setBackgroundColor(platform::rgb(0x18, 0x7d, 0xb1));
  w_.逐句跟读进度条.setMinimum(0);

  w_.图片框7.setBackgroundColor(kGround);
  const auto option = [](platform::CheckableButton& button, const char* caption, bool checked) {
    button.setCaption(caption);
    button.setChecked(checked);
    button.setTextColor(kInk);
    button.setBackgroundColor(kGround);
  };
  option(w_.逐句跟读句子单选框, "课文句子", true);
  option(w_.逐句跟读单词单选框, "课文单词", false);
  option(w_.显示日文选择框, "显示日文", true);
  option(w_.显示译文选择框, "显示译文", true);
  w_.逐句跟读句子单选框.onClicked = [this] { drillSentencesClicked(); };
  w_.逐句跟读单词单选框.onClicked = [this] { drillWordsClicked(); };
  w_.显示日文选择框.onClicked = [this] { showJapaneseClicked(); };
  w_.显示译文选择框.onClicked = [this] { showTranslationClicked(); };

  const auto caption = [](platform::Label& label, const char* font, int pixels) {
    label.setFont(platform::Font::pixels(font, pixels));
    label.setTextColor(kInk);
    label.setBackgroundColor(kPaper);
  };
  caption(w_.逐句跟读日文显示框, "宋体", 24);
  caption(w_.逐句跟读中文显示框, "新宋体", 20);
  w_.逐句跟读声音播放按钮.onClicked = [this] { drillSoundButtonClicked(); };

  w_.标签1.setCaption("输入：");
  w_.标签1.setFont(platform::Font::pixels("楷体_GB2312", 20));
  w_.标签1.setTextColor(platform::rgb(0xc0, 0x60, 0x00));
  w_.标签1.setBackgroundColor(kPaper);

  platform::RichEditBox& input = w_.逐句跟读输入框;
  input.setBackgroundColor(kPaper);
  // The caption's face, a little smaller, so a typed answer reads like the sentence above it
  // and one line fits the box's height.
  input.setFont(platform::Font::pixels("宋体", 20));
  input.setVerticalScrollBar(true);
  // One answer per item: Enter checks it, and a pasted line break would make it wrong unseen.
  input.setTakesLineBreaks(false);
  input.onContentChanged = [this] { drillInputChanged(); };
  input.onKeyDown = [this](int keyCode, int shiftState) {
    return drillInputKeyDown(keyCode, shiftState);
  };
  w_.输入正确错误图片框.setVisible(false);

  const auto stepButton = [](platform::ImageButton& button, const platform::SharedBytes& picture,
                             const platform::SharedBytes& hover) {
    button.setPicture(picture);
    button.setHoverPicture(hover);
    button.setClickSound(assets::modeClickSound());
    button.setCursor(platform::Cursor::Hand);
  };
  stepButton(w_.逐句跟读上一题, assets::previousButton(), assets::previousButtonHover());
  stepButton(w_.逐句跟读下一题, assets::nextButton(), assets::nextButtonHover());
  w_.逐句跟读上一题.onClicked = [this] { previousDrillItemClicked(); };
  w_.逐句跟读下一题.onClicked = [this] { nextDrillItemClicked(); };

  w_.逐句跟读顺序列表框.setColumns({{"顺序对照表", 100}});
  w_.逐句跟读自动下一题时钟.onTick = [this] { drillAutoNextTimerTick(); };
}

void SentenceDrill::loadDrillList() {
  s_.drillLessonKey = content::lessonKey(
      s_.courseKey, w_.逐句跟读句子单选框.checked() ? content::sentenceTheme : content::wordTheme);
  s_.drillCount = content::loadLessonItemKeys(w_.runtime().getProgramFolder(), s_.drillLessonKey,
                                              w_.数据库连接1, w_.记录集1, w_.逐句跟读顺序列表框,
                                              s_.lastSqlText, s_.drillFieldText);
  s_.drillIndex = 0;
  showDrillProgress();
  showDrillItem();
}

void SentenceDrill::showDrillProgress() {
  w_.逐句跟读进度标签.setCaption("当前跟读进度：" + platform::numberToText(s_.drillIndex + 1) +
                                 "/" + platform::numberToText(s_.drillCount));
  w_.逐句跟读进度条.setMaximum(s_.drillCount);
  w_.逐句跟读进度条.setPosition(s_.drillIndex + 1);
}

void SentenceDrill::showDrillItem() {
  s_.currentKey = w_.逐句跟读顺序列表框.getCellText(s_.drillIndex, 0);
  const content::LessonItem item =
      content::readLessonItem(s_.currentKey, w_.记录集1, s_.lastSqlText, s_.drillFieldText);
  w_.逐句跟读日文显示框.setCaption(item.japanese);
  w_.逐句跟读中文显示框.setCaption(item.chinese);
  s_.currentSoundName = item.soundName;
  // The navigation hides the button while it loads, so its first item stays silent.
  if (w_.逐句跟读声音播放按钮.visible()) w_.playback.playCurrentSound();
  w_.逐句跟读输入框.setContent("");
  w_.输入正确错误图片框.setVisible(false);
  w_.逐句跟读输入框.setFocus();
}

void SentenceDrill::nextDrillItemClicked() {
  ++s_.drillIndex;
  if (s_.drillIndex >= s_.drillCount) {
    --s_.drillIndex;
    w_.runtime().showMessageBox("到底了！", 0);
    return;
  }
  showDrillProgress();
  showDrillItem();
}

void SentenceDrill::previousDrillItemClicked() {
  --s_.drillIndex;
  if (s_.drillIndex < 0) {
    ++s_.drillIndex;
    w_.runtime().showMessageBox("到顶了！", 0);
    return;
  }
  showDrillProgress();
  showDrillItem();
}

std::optional<bool> SentenceDrill::drillInputKeyDown(int keyCode, int) {
  if (keyCode != kEnterKey) return std::nullopt;
  checkDrillAnswer();
  return false;
}

// Byte for byte: no trimming and no folding of width, case or punctuation.
void SentenceDrill::checkDrillAnswer() {
  const bool right = w_.逐句跟读输入框.content() == w_.逐句跟读日文显示框.caption();
  w_.输入正确错误图片框.setPicture(platform::readFileBytes(content::ContentFolders::path(
      w_.runtime().getProgramFolder(), right ? content::ContentFolders::rightMarkPicture
                                             : content::ContentFolders::wrongMarkPicture)));
  w_.输入正确错误图片框.setVisible(true);
  w_.逐句跟读自动下一题时钟.setInterval(kAutoNextMs);
}

// Stops the timer only after the step, which at the last item waits in the "到底了！" box.
void SentenceDrill::drillAutoNextTimerTick() {
  w_.输入正确错误图片框.setVisible(false);
  nextDrillItemClicked();
  w_.逐句跟读自动下一题时钟.setInterval(0);
}

void SentenceDrill::drillInputChanged() {
  w_.runtime().playSoundFile(content::ContentFolders::path(
      w_.runtime().getProgramFolder(), content::ContentFolders::rightAnswerSound));
}

void SentenceDrill::showJapaneseClicked() {
  w_.逐句跟读日文显示框.setVisible(w_.显示日文选择框.checked());
}

void SentenceDrill::showTranslationClicked() {
  w_.逐句跟读中文显示框.setVisible(w_.显示译文选择框.checked());
}

void SentenceDrill::drillSoundButtonClicked() { w_.playback.playCurrentSound(); }

void SentenceDrill::drillSentencesClicked() { loadDrillList(); }

void SentenceDrill::drillWordsClicked() { loadDrillList(); }
