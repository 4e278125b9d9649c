#include "sorandel/main_window.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/settings_file.h"

MainWindow::MainWindow(platform::Runtime& runtime, SorandelState& state)
    : Window(runtime, "mainWindow", {0, 0, 1100, 700}),
      navigation(*this, state),
      lessonText(*this, state),
      playback(*this, state),
      clickToRead(*this, state),
      readAlong(*this, state),
      practiceView(*this, state),
      practiceControls(*this, state),
      drill(*this, state),
      state_(state) {
  setCaption("Sorandel");
  setBorder(platform::Border::None);
  setCentred(true);
  setBackgroundColor(platform::rgb(0, 0, 0));
  setTaskbarButton(true);
  setMovable(false);
  setOutline(platform::Outline::Rectangle);
  setAlwaysOnTop(false);
  setEscCloses(true);

  designFrame();
  navigation.design();
  lessonText.design();
  playback.design();
  clickToRead.design();
  readAlong.design();
  designDrillAndPracticeUnits();
  practiceView.design();
  practiceControls.design();
  drill.design();

  onCreated = [this] { mainWindowCreated(); };
  onSizeChanged = [this] { mainWindowResized(); };
}

void MainWindow::designFrame() {
  主容器.setPicture(assets::mainSkin());

  const auto frameButton = [](platform::ImageButton& button, const platform::SharedBytes& picture,
                              const platform::SharedBytes& hover, const platform::Bytes& sound) {
    button.setPicture(picture);
    button.setHoverPicture(hover);
    button.setClickSound(sound);
    button.setCursor(platform::Cursor::Hand);
  };
  frameButton(课程选择按钮, assets::courseButton(), assets::courseButtonHover(),
              assets::buttonClickSound());
  frameButton(Tavolin按钮, assets::tavolinButton(), assets::tavolinButtonHover(),
              assets::buttonClickSound());
  frameButton(最小化按钮, assets::minimizeButton(), assets::minimizeButtonHover(),
              assets::buttonClickSound());
  frameButton(退出软件按钮, assets::exitButton(), assets::exitButtonHover(),
              assets::exitClickSound());
  Tavolin按钮.onClicked = [this] { switchToTavolinClicked(); };
  最小化按钮.onClicked = [this] { minimizeClicked(); };
  退出软件按钮.onClicked = [this] { exitProgramClicked(); };

  课程显示标签.setTextColor(platform::rgb(247, 208, 0));
  课程显示标签.setFont(platform::Font::pixels("新宋体", 14));

  课文学习容器.setPicture(assets::lessonPanelBackground());
  入门基础容器.setPicture(assets::basicsPanelPicture());

  图片框1.setVisible(false);
}

void MainWindow::designDrillAndPracticeUnits() {
  句子跟读容器.setVisible(false);
  句子跟读容器.setPicture(assets::drillBackground());
  图片框6.setBackgroundColor(platform::rgb(0xfd, 0xfd, 0xeb));
  练习容器.setVisible(false);
  练习容器.setPicture(assets::practiceBackground());
  for (platform::ImageButton* button : {&逐句跟读声音播放按钮, &练习声音播放按钮}) {
    button->setVisible(false);
    button->setPicture(assets::soundButton());
    button->setHoverPicture(assets::soundButtonHover());
    button->setClickSound(assets::modeClickSound());
    button->setCursor(platform::Cursor::Hand);
  }
}

void MainWindow::mainWindowCreated() {
  setLeft(0);
  setTop(0);
  setWidth(runtime().getScreenWidth());
  setHeight(static_cast<int>(static_cast<double>(runtime().getScreenHeight()) - 30.0));
  state_.redoWrongOnly = 0;
  state_.repeatCount = 1;
  const std::string& folder = runtime().getProgramFolder();
  state_.courseName = content::SettingsFile::read(folder, content::SettingsFile::courseName);
  state_.courseKey = content::SettingsFile::read(folder, content::SettingsFile::courseKey);
  课程显示标签.setCaption(state_.courseName);
  navigation.mainMenuItemClicked(0, 0);
  主菜单.setCurrentGroup(0);
  主菜单.setCurrentItem(0);
}

// Centres the skin; a window smaller than the skin cuts it evenly on both sides.
void MainWindow::mainWindowResized() {
  主容器.setLeft(static_cast<int>(width() / 2.0 - 主容器.width() / 2.0));
  主容器.setTop(static_cast<int>(height() / 2.0 - 主容器.height() / 2.0));
}

void MainWindow::minimizeClicked() { setWindowState(2); }

void MainWindow::exitProgramClicked() {
  记录集1.close();
  数据库连接1.close();
  runtime().exit(0);
}

// Sorandel ends whether or not Tavolin started: the two programs run one at a time.
void MainWindow::switchToTavolinClicked() {
  runtime().startFile(std::string(content::ContentFolders::tavolinProgram),
                      runtime().getProgramFolder());
  记录集1.close();
  数据库连接1.close();
  runtime().exit(0);
}
