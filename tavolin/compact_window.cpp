#include "tavolin/compact_window.h"

#include "assets/assets.h"
#include "content/keys.h"
#include "content/settings_file.h"

CompactWindow::CompactWindow(platform::Runtime& runtime, TavolinState& state)
    : Window(runtime, "compactWindow", {0, 0, 629, 80}),
      reading(*this, state),
      menu(*this, state),
      state_(state) {
  setCaption("");
  setBorder(platform::Border::None);
  setCentred(true);
  setTaskbarButton(false);
  setMovable(true);
  setDragAnywhere(true);
  setOutline(platform::Outline::RoundedRectangle);
  setAlwaysOnTop(true);
  setEscCloses(true);

  Tavolin图片框.setPicture(assets::tavolinBarSkin());
  const platform::Font font = platform::Font::pixels("宋体", 16);
  日文显示标签.setTextColor(platform::rgb(0xeb, 0x65, 0x1e));
  中文显示标签.setTextColor(platform::rgb(0x00, 0x4e, 0x7e));
  for (platform::Label* label : {&日文显示标签, &中文显示标签}) {
    label->setFont(font);
    label->setBackgroundColor(platform::rgb(0xe5, 0xf3, 0xff));
    label->setCaption("标签");
  }
  分组框1.setVisible(false);
  分组框2.setCaption("逐句跟读");

  reading.design();
  menu.design();

  onCreated = [this] { compactWindowCreated(); };
}

void CompactWindow::compactWindowCreated() {
  move(0, 0);
  state_.courseKey =
      content::SettingsFile::read(runtime().getProgramFolder(), content::SettingsFile::courseKey);
  state_.studyTheme = content::sentenceTheme;
  reading.loadDrillList();
}
