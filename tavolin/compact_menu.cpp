#include "tavolin/compact_menu.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/keys.h"
#include "content/settings_file.h"
#include "course_window/course_select_window.h"
#include "tavolin/compact_window.h"

void CompactMenu::design() {
  w_.Tavolin.setVisible(false);
  w_.课文句子.setChecked(true);
  w_.显示中日文.setChecked(true);
  w_.总在最前面.setChecked(true);

  const auto bind = [](platform::MenuItem& item, auto handler) { item.onSelected = handler; };
  bind(w_.开始朗读, [this] { startReadingClicked(); });
  bind(w_.暂停朗读, [this] { pauseReadingClicked(); });
  bind(w_.重新开始, [this] { restartReadingClicked(); });
  bind(w_.课文句子, [this] { sentencesThemeClicked(); });
  bind(w_.课文单词, [this] { wordsThemeClicked(); });
  bind(w_.仅显示日文, [this] { showJapaneseOnlyClicked(); });
  bind(w_.仅显示中文, [this] { showChineseOnlyClicked(); });
  bind(w_.显示中日文, [this] { showBothClicked(); });
  bind(w_.选择课程, [this] { chooseCourseClicked(); });
  bind(w_.总在最前面, [this] { alwaysOnTopClicked(); });
  bind(w_.返回主窗口, [this] { returnToSorandelClicked(); });
  bind(w_.退出软件, [this] { exitProgramClicked(); });

  // The two lines cover most of the bar, so a right press on them opens the menu as well.
  for (platform::Unit* unit : {static_cast<platform::Unit*>(&w_.Tavolin图片框),
                               static_cast<platform::Unit*>(&w_.日文显示标签),
                               static_cast<platform::Unit*>(&w_.中文显示标签)}) {
    unit->onRightButtonDown = [this](platform::MouseEvent) { showTavolinMenu(); };
  }
}

void CompactMenu::showTavolinMenu() { w_.popupMenu(w_.Tavolin); }

void CompactMenu::startReadingClicked() { w_.reading.playCurrentSound(); }

void CompactMenu::pauseReadingClicked() {
  w_.逐句跟读自动下一题时钟.setInterval(0);
  w_.媒体播放1.stop();
}

void CompactMenu::restartReadingClicked() { w_.reading.loadDrillList(); }

void CompactMenu::sentencesThemeClicked() {
  w_.课文句子.setChecked(true);
  w_.课文单词.setChecked(false);
  s_.studyTheme = content::sentenceTheme;
  w_.reading.loadDrillList();
}

void CompactMenu::wordsThemeClicked() {
  w_.课文句子.setChecked(false);
  w_.课文单词.setChecked(true);
  s_.studyTheme = content::wordTheme;
  w_.reading.loadDrillList();
}

void CompactMenu::showLines(bool japanese, bool chinese) {
  w_.仅显示日文.setChecked(japanese && !chinese);
  w_.仅显示中文.setChecked(chinese && !japanese);
  w_.显示中日文.setChecked(japanese && chinese);
  w_.日文显示标签.setVisible(japanese);
  w_.中文显示标签.setVisible(chinese);
}

void CompactMenu::showJapaneseOnlyClicked() { showLines(true, false); }

void CompactMenu::showChineseOnlyClicked() { showLines(false, true); }

void CompactMenu::showBothClicked() { showLines(true, true); }

// Tavolin keeps no course name: the window shows the one the settings file holds, with its key.
void CompactMenu::chooseCourseClicked() {
  const std::string& folder = w_.runtime().getProgramFolder();
  w_.runtime().open<CourseSelectWindow>(CourseWindowSettings{
      .caption = "课程选择",
      .closeClickSound = assets::exitClickSound(),
      .currentName = content::SettingsFile::read(folder, content::SettingsFile::courseName),
      .currentKey = content::SettingsFile::read(folder, content::SettingsFile::courseKey),
      .lastSqlText = s_.lastSqlText,
      .courseFieldText = s_.courseFieldText,
      .courseChosen =
          [this](const std::string& courseKey) {
            s_.courseKey = courseKey;
            w_.reading.loadDrillList();
          },
  });
}

void CompactMenu::alwaysOnTopClicked() {
  const bool onTop = !w_.总在最前面.checked();
  w_.总在最前面.setChecked(onTop);
  w_.setAlwaysOnTop(onTop);
}

// Tavolin ends whether or not Sorandel started: the two programs run one at a time.
void CompactMenu::returnToSorandelClicked() {
  w_.runtime().startFile(std::string(content::ContentFolders::sorandelProgram),
                         w_.runtime().getProgramFolder());
  w_.runtime().exit(0);
}

void CompactMenu::exitProgramClicked() {
  w_.runtime().playSoundFile(content::ContentFolders::path(w_.runtime().getProgramFolder(),
                                                           content::ContentFolders::clickSound));
  w_.记录集1.close();
  w_.数据库连接1.close();
  w_.runtime().exit(0);
}
