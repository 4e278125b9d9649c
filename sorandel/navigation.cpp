#include "sorandel/navigation.h"

#include <array>
#include <string_view>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/keys.h"
#include "content/settings_file.h"
#include "course_window/course_select_window.h"
#include "platform/system/file_bytes.h"
#include "sorandel/basics_window.h"
#include "sorandel/main_window.h"

namespace {

constexpr std::array<std::string_view, 2> kGroupCaptions = {"课文学习", "入门基础"};
constexpr std::array<std::array<std::string_view, 5>, 2> kItemCaptions = {{
    {"全文学习", "逐句跟读", "听读音辨日文", "按译文选日文", "按日文选译文"},
    {"日语文字和书写", "日语的发音", "声调与语调", "要注意的发音", "入门基础练习"},
}};

struct PracticeMode {
  std::string_view titlePicture;
  std::string_view modeText;
};
// Items 2 to 4 of the lesson group.
constexpr std::array<PracticeMode, 3> kPracticeModes = {{
    {content::ContentFolders::listenChooseJapaneseTitle, content::listenChooseJapanese},
    {content::ContentFolders::chineseChooseJapaneseTitle, content::chineseChooseJapanese},
    {content::ContentFolders::japaneseChooseChineseTitle, content::japaneseChooseChinese},
}};

}  // namespace

void Navigation::design() {
  std::vector<platform::NavigationGroup> groups;
  for (int group = 0; group < static_cast<int>(kGroupCaptions.size()); ++group) {
    platform::NavigationGroup g{std::string(kGroupCaptions[group]), {}};
    for (int item = 0; item < static_cast<int>(kItemCaptions[group].size()); ++item)
      g.items.push_back(
          {std::string(kItemCaptions[group][item]), assets::navigationIcon(group, item)});
    groups.push_back(std::move(g));
  }
  w_.主菜单.setGroups(std::move(groups));
  w_.主菜单.setCursor(platform::Cursor::Hand);
  w_.主菜单.onItemClicked = [this](int group, int item) { mainMenuItemClicked(group, item); };
  w_.课程选择按钮.onClicked = [this] { chooseCourseClicked(); };
}

void Navigation::mainMenuItemClicked(int group, int item) {
  const std::string& folder = w_.runtime().getProgramFolder();
  w_.runtime().playSoundFile(
      content::ContentFolders::path(folder, content::ContentFolders::shutterSound));
  w_.课文学习容器.setVisible(false);
  w_.入门基础容器.setVisible(false);
  w_.readAlong.enterClickToReadMode();
  if (group == 0) {
    showLessonItem(item);
  } else if (group == 1) {
    showBasicsItem(item);
  }
}

void Navigation::showLessonItem(int item) {
  w_.课文学习容器.setVisible(true);
  w_.全文学习容器.setVisible(false);
  w_.句子跟读容器.setVisible(false);
  w_.练习容器.setVisible(false);
  if (item == 0) {
    w_.全文学习容器.setVisible(true);
    s_.currentKey = content::lessonKey(
        s_.courseKey, w_.课文句子单选框.checked() ? content::sentenceTheme : content::wordTheme);
    w_.lessonText.loadLessonText();
  } else if (item == 1) {
    w_.句子跟读容器.setVisible(true);
    // Hidden while the list loads, so that its first item shows without its recording.
    w_.逐句跟读声音播放按钮.setVisible(false);
    w_.drill.loadDrillList();
    w_.逐句跟读声音播放按钮.setVisible(true);
  } else if (item >= 2 && item <= 4) {
    const PracticeMode& mode = kPracticeModes[item - 2];
    w_.练习标题图片框.setPicture(platform::readFileBytes(
        content::ContentFolders::path(w_.runtime().getProgramFolder(), mode.titlePicture)));
    w_.练习容器.setVisible(true);
    // Hidden while the set loads, so that its first question shows without its recording.
    w_.练习声音播放按钮.setVisible(false);
    s_.practiceModeText = mode.modeText;
    w_.practiceView.loadPracticeSet();
    // Only the listening mode has a recording to replay.
    if (item == 2) w_.练习声音播放按钮.setVisible(true);
  }
}

void Navigation::showBasicsItem(int item) {
  w_.入门基础容器.setVisible(true);
  if (item < 0 || item >= static_cast<int>(content::SettingsFile::basicsTopics.size())) return;
  content::SettingsFile::write(w_.runtime().getProgramFolder(), content::SettingsFile::basicsTopic,
                               content::SettingsFile::basicsTopics[item]);
  w_.runtime().open<BasicsWindow>(s_);
}

void Navigation::applyCurrentCourse() {
  s_.repeatCount = 1;
  const std::string& folder = w_.runtime().getProgramFolder();
  s_.courseName = content::SettingsFile::read(folder, content::SettingsFile::courseName);
  s_.courseKey = content::SettingsFile::read(folder, content::SettingsFile::courseKey);
  w_.课程显示标签.setCaption(s_.courseName);
  mainMenuItemClicked(0, 0);
  w_.主菜单.setCurrentGroup(0);
  w_.主菜单.setCurrentItem(0);
}

void Navigation::chooseCourseClicked() {
  w_.runtime().open<CourseSelectWindow>(CourseWindowSettings{
      .caption = "",
      .closeClickSound = {},
      .currentName = s_.courseName,
      .currentKey = s_.courseKey,
      .lastSqlText = s_.lastSqlText,
      .courseFieldText = s_.courseFieldText,
      // The settings file, not the dialog, carries the course into the main window.
      .courseChosen = [this](const std::string&) { applyCurrentCourse(); },
  });
}
