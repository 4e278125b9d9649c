#include "sorandel/read_along.h"

#include "assets/assets.h"
#include "platform/system/text_numbers.h"
#include "sorandel/main_window.h"
#include "sorandel/view_colours.h"

namespace {

constexpr const char* kClickToReadHint = "当前为【句子点读】模式，点击某句日文，自动朗读该句日文";
constexpr const char* kReadAlongHint = "当前为【全文跟读】模式，自动全文朗读";
using view_colours::kGround;
using view_colours::kInk;

}  // namespace

void ReadAlong::design() {
  const auto modeButton = [](platform::ImageButton& button, const platform::SharedBytes& picture,
                             const platform::SharedBytes& hover, const char* hint) {
    button.setPicture(picture);
    button.setHoverPicture(hover);
    button.setCursor(platform::Cursor::Hand);
    button.setHintText(hint);
  };
  modeButton(w_.全文跟读按钮, assets::readAlongButton(), assets::readAlongButtonHover(),
             "选择全文跟读模式，自动全文朗读");
  w_.全文跟读按钮.setClickSound(assets::modeClickSound());
  modeButton(w_.句子点读按钮, assets::clickToReadButton(), assets::clickToReadButtonHover(),
             "选择此模式，点击某句日文，自动朗读该句日文");
  w_.图片框2.setPicture(assets::readAlongActivePicture());
  w_.图片框3.setPicture(assets::clickToReadActivePicture());
  w_.全文跟读按钮.onClicked = [this] { startReadAlong(); };
  w_.句子点读按钮.onClicked = [this] { enterClickToReadMode(); };

  w_.提示标签.setCaption(kClickToReadHint);
  w_.提示标签.setTextColor(kInk);
  w_.提示标签.setBackgroundColor(kGround);

  w_.朗读次数标签2.setCaption("重复朗读");
  w_.朗读次数标签.setCaption("1次");
  w_.朗读次数标签.setBackgroundColor(kGround);
  w_.朗读次数进度条.setMinimum(1);
  w_.朗读次数进度条.setMaximum(5);
  w_.朗读次数进度条.setPosition(1);
  w_.朗读次数进度条.setSlider(true);
  for (platform::Unit* unit : {static_cast<platform::Unit*>(&w_.朗读次数标签2),
                               static_cast<platform::Unit*>(&w_.朗读次数标签),
                               static_cast<platform::Unit*>(&w_.朗读次数进度条)}) {
    unit->setTextColor(kInk);
    unit->setVisible(false);
  }
  w_.朗读次数进度条.onPositionChanged = [this] { repeatCountChanged(); };

  w_.播放进度时钟.onTick = [this] { playTimerTick(); };
}

void ReadAlong::startReadAlong() {
  s_.readingMode = 1;
  s_.repeatActive = 1;
  s_.playCount = 1;
  w_.全文跟读按钮.setVisible(false);
  w_.句子点读按钮.setVisible(true);
  w_.提示标签.setCaption(kReadAlongHint);
  // An earlier run's last sentence would otherwise stay underlined through this one.
  removeMarkedUnderline();
  s_.readAlongLine = 0;
  s_.readAlongBlockStart = 0;
  s_.readAlongNextBlockStart = 0;
  forgetMarkedSentence();
  s_.readAlongKind.clear();
  readAlongNextSentence();
}

// Walks from `readAlongLine` to the next Japanese block: underlines and plays it. A translation
// block is passed over (the tick moves on); nothing is read outside the text.
void ReadAlong::readAlongNextSentence() {
  LessonTextView& text = w_.lessonText;
  const int blockLine = text.findBlockLine(s_.readAlongLine);
  if (blockLine < 0) return;
  s_.readAlongLine = blockLine;
  s_.readAlongBlockStart = w_.内容暂存框.getLineStart(blockLine);
  w_.搜索内容框.setContent(text.itemKeyOfBlock(s_.readAlongBlockStart));

  const int nextLine = text.findBlockLine(s_.readAlongLine + 1);
  if (nextLine < 0) return;
  s_.readAlongNextBlockStart = w_.内容暂存框.getLineStart(nextLine);
  s_.readAlongLine = nextLine;

  if (text.kindOfBlock(s_.readAlongBlockStart) == LessonTextView::kTranslationKind) {
    s_.readAlongKind = LessonTextView::kTranslationKind;
    w_.焦点停留框.setFocus();
    return;
  }
  s_.readAlongKind = LessonTextView::kJapaneseKind;
  removeMarkedUnderline();
  text.formatSentence(s_.readAlongBlockStart, s_.readAlongNextBlockStart, true);
  s_.readAlongMarkedBlockStart = s_.readAlongBlockStart;
  s_.readAlongMarkedNextBlockStart = s_.readAlongNextBlockStart;
  s_.readAlongMarkedKind = s_.readAlongKind;
  w_.全文学习内容框.setFocus();
  w_.playback.playSentenceById();
  w_.焦点停留框.setFocus();
}

void ReadAlong::playTimerTick() {
  w_.播放进度条.setPosition(w_.媒体播放1.getPosition());
  if (w_.媒体播放1.getState() != platform::MediaPlayer::kNotPlaying) return;
  if (s_.readingMode == 1) {
    ++s_.playCount;
    // A translation block plays nothing, so it has nothing to repeat: it costs one tick.
    if (s_.playCount <= s_.repeatCount && s_.readAlongKind == LessonTextView::kJapaneseKind) {
      w_.playback.playSentenceById();
      return;
    }
    w_.播放进度条.setPosition(w_.播放进度条.minimum());
    if (s_.readAlongLine >= s_.textLineCount - 1) {
      enterClickToReadMode();
      w_.播放进度时钟.setInterval(0);
    } else {
      readAlongNextSentence();
      s_.playCount = 1;
    }
    return;
  }
  if (s_.repeatActive == 0) {
    emptyBarAndStopTimer();
    return;
  }
  ++s_.playCount;
  if (s_.playCount <= s_.repeatCount) {
    w_.playback.playSentenceById();
    return;
  }
  emptyBarAndStopTimer();
  s_.repeatActive = 0;
}

void ReadAlong::enterClickToReadMode() {
  w_.媒体播放1.stop();
  s_.readingMode = 0;
  w_.全文跟读按钮.setVisible(true);
  w_.句子点读按钮.setVisible(false);
  w_.提示标签.setCaption(kClickToReadHint);
}

void ReadAlong::repeatCountChanged() {
  s_.repeatCount = w_.朗读次数进度条.position();
  w_.朗读次数标签.setCaption(platform::numberToText(s_.repeatCount) + "次");
}

void ReadAlong::forgetMarkedSentence() {
  s_.readAlongMarkedBlockStart = 0;
  s_.readAlongMarkedNextBlockStart = 0;
  s_.readAlongMarkedKind.clear();
}

void ReadAlong::removeMarkedUnderline() {
  if (s_.readAlongMarkedKind != LessonTextView::kJapaneseKind) return;
  if (w_.lessonText.underlinedByClickToRead(s_.readAlongMarkedBlockStart)) return;
  w_.lessonText.formatSentence(s_.readAlongMarkedBlockStart, s_.readAlongMarkedNextBlockStart,
                               false);
}

void ReadAlong::emptyBarAndStopTimer() {
  w_.播放进度条.setPosition(w_.播放进度条.minimum());
  w_.播放进度时钟.setInterval(0);
}
