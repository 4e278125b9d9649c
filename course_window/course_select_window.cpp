#include "course_window/course_select_window.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/settings_file.h"
#include "content/statements.h"

namespace {

// The three labels of the window draw black text on the window's light blue.
constexpr platform::Color kLabelGround = platform::rgb(0xD2, 0xEB, 0xF0);

}  // namespace

CourseSelectWindow::CourseSelectWindow(platform::Runtime& runtime, CourseWindowSettings settings)
    : Window(runtime, "courseSelectWindow", {0, 0, 350, 467}), settings_(std::move(settings)) {
  setCaption(settings_.caption);
  setBorder(platform::Border::None);
  setCentred(true);
  setDragAnywhere(true);
  setTaskbarButton(true);
  setAlwaysOnTop(false);
  setEscCloses(true);

  课程选择图片框.setPicture(assets::courseWindowSkin());
  标签1.setCaption("选定课程：");
  课程标签.setCaption("Lesson1  家庭问候");
  for (platform::Label* label : {&标签1, &课程标签, &kb标签}) {
    label->setTextColor(platform::rgb(0, 0, 0));
    label->setBackgroundColor(kLabelGround);
  }
  课程列表框.setColumns({{"列表", 312}, {"kb", 1}});
  课程列表框.setFont(platform::Font::pixels("宋体", 14));
  // The 1 px key column is a store, not for reading: the names keep the width, no sideways
  // scrolling.
  课程列表框.setFillColumn(0);
  课程列表框.onCurrentRowChanged = [this] { courseRowChanged(); };

  const auto button = [](platform::ImageButton& b, const platform::SharedBytes& picture,
                         const platform::SharedBytes& hover, const platform::Bytes& sound) {
    b.setPicture(picture);
    b.setHoverPicture(hover);
    b.setClickSound(sound);
    b.setCursor(platform::Cursor::Hand);
  };
  button(确定按钮, assets::courseOkButton(), assets::courseOkButtonHover(),
         assets::buttonClickSound());
  button(取消按钮, assets::courseCancelButton(), assets::courseCancelButtonHover(),
         assets::buttonClickSound());
  button(退出软件按钮, assets::courseCloseButton(), assets::courseCloseButtonHover(),
         settings_.closeClickSound);
  确定按钮.onClicked = [this] { courseOkClicked(); };
  取消按钮.onClicked = [this] { courseCancelClicked(); };
  退出软件按钮.onClicked = [this] { courseCloseButtonClicked(); };

  图片框1.setVisible(false);
  kb标签.setCaption("Lesson1");

  onCreated = [this] { courseWindowCreated(); };
}

void CourseSelectWindow::courseWindowCreated() { fillCourseList(); }

void CourseSelectWindow::fillCourseList() {
  课程标签.setCaption(settings_.currentName);
  // The key that belongs with the name shown: OK without a row chosen keeps the current course.
  kb标签.setCaption(settings_.currentKey);
  数据库连接1.open(content::ContentFolders::path(runtime().getProgramFolder(),
                                                 content::ContentFolders::contentDatabase),
                   "");
  const content::Statement query = content::selectAllCourses();
  settings_.lastSqlText = query.text;
  记录集1.attachConnection(数据库连接1);
  content::openQuery(记录集1, query);
  记录集1.moveFirst();
  while (!记录集1.endOfRecords()) {
    课程列表框.appendRow();
    const int row = 课程列表框.getRowCount() - 1;
    记录集1.readField("kecheng", settings_.courseFieldText);
    课程列表框.setCellText(row, 0, settings_.courseFieldText);
    记录集1.readField("kb", settings_.courseFieldText);
    课程列表框.setCellText(row, 1, settings_.courseFieldText);
    记录集1.moveNext();
  }
  记录集1.close();
}

void CourseSelectWindow::courseRowChanged() {
  const int row = 课程列表框.selectedRow();
  const std::string name = 课程列表框.getCellText(row, 0);
  if (name.empty()) return;
  课程标签.setCaption(name);
  kb标签.setCaption(课程列表框.getCellText(row, 1));
}

void CourseSelectWindow::courseOkClicked() {
  const std::string& folder = runtime().getProgramFolder();
  // One change of the file: a crash in between must not leave one course's name with another's
  // key.
  content::SettingsFile::write(folder, {{content::SettingsFile::courseName, 课程标签.caption()},
                                        {content::SettingsFile::courseKey, kb标签.caption()}});
  if (settings_.courseChosen) settings_.courseChosen(kb标签.caption());
  close();
}

void CourseSelectWindow::courseCancelClicked() { close(); }

void CourseSelectWindow::courseCloseButtonClicked() { close(); }
