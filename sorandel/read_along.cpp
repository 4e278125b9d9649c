#include "sorandel/read_along.h"

#include "assets/assets.h"
#include "sorandel/main_window.h"

namespace {

constexpr const char* kClickToReadHint = "当前为【句子点读】模式，点击某句日文，自动朗读该句日文";
constexpr platform::Color kInk = platform::rgb(0x1c, 0x55, 0x77);
constexpr platform::Color kMist = platform::rgb(0xe0, 0xf1, 0xf9);

}  // namespace

void ReadAlong::design() {
  const auto modeButton = [](platform::ImageButton& button, const platform::Bytes& picture,
                             const platform::Bytes& hover, const char* hint) {
    button.setPicture(picture);
    button.setHoverPicture(hover);
    button.setClickSound(assets::modeClickSound());
    button.setCursor(platform::Cursor::Hand);
    button.setHintText(hint);
  };
  modeButton(w_.全文跟读按钮, assets::readAlongButton(), assets::readAlongButtonHover(),
             "选择全文跟读模式，自动全文朗读");
  modeButton(w_.句子点读按钮, assets::clickToReadButton(), assets::clickToReadButtonHover(),
             "选择此模式，点击某句日文，自动朗读该句日文");
  w_.图片框2.setPicture(assets::readAlongActivePicture());
  w_.图片框3.setPicture(assets::clickToReadActivePicture());
  w_.句子点读按钮.onClicked = [this] { enterClickToReadMode(); };

  w_.提示标签.setCaption(kClickToReadHint);
  w_.提示标签.setTextColor(kInk);
  w_.提示标签.setBackgroundColor(kMist);

  w_.朗读次数标签2.setCaption("重复朗读");
  w_.朗读次数标签.setCaption("1次");
  w_.朗读次数标签.setBackgroundColor(kMist);
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
}

void ReadAlong::enterClickToReadMode() {
  w_.媒体播放1.stop();
  s_.readingMode = 0;
  w_.全文跟读按钮.setVisible(true);
  w_.句子点读按钮.setVisible(false);
  w_.提示标签.setCaption(kClickToReadHint);
}
