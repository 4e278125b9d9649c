#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/system/database.h"

// What a program gives its course window: the window is the same in both programs, these are
// where they differ.
struct CourseWindowSettings {
  // The window's caption ("" in Sorandel).
  std::string caption;
  // Click sound of the close button (none in Sorandel).
  platform::Bytes closeClickSound;
  // The current course as the window opens with it: its name is shown, its key is stored if
  // OK comes without a row chosen, so the two always belong to one course.
  std::string currentName;
  std::string currentKey;
  // The program's statement store and the field buffer of the list.
  std::string& lastSqlText;
  std::string& courseFieldText;
  // Runs on OK after the settings file holds the choice, while the window is still open;
  // receives the chosen course key.
  std::function<void(const std::string& courseKey)> courseChosen;
};

// courseSelectWindow: lists the course catalogue, shows the chosen course, and on OK stores it
// in the settings file and hands it to the program. Built afresh at each opening.
class CourseSelectWindow : public platform::Window {
 public:
  CourseSelectWindow(platform::Runtime& runtime, CourseWindowSettings settings);

  void courseWindowCreated();
  void fillCourseList();
  void courseRowChanged();
  void courseOkClicked();
  void courseCancelClicked();
  void courseCloseButtonClicked();

  // 课程标签 and 取消按钮 lie on the window over the skin, which covers all of it; the earlier
  // unit lies above the later one, so they come first.
  platform::Label 课程标签{*this, "课程标签", {96, 64, 240, 24}};
  platform::ImageButton 取消按钮{*this, "取消按钮", {256, 432, 70, 24}};
  platform::PictureBox 课程选择图片框{*this, "课程选择图片框", {0, 0, 350, 467}};
  platform::Label 标签1{课程选择图片框, "标签1", {24, 64, 64, 24}};
  platform::ListView 课程列表框{课程选择图片框, "课程列表框", {16, 96, 312, 328}};
  platform::ImageButton 确定按钮{课程选择图片框, "确定按钮", {168, 432, 70, 24}};
  platform::ImageButton 退出软件按钮{课程选择图片框, "退出软件按钮", {312, 6, 26, 18}};
  platform::PictureBox 图片框1{课程选择图片框, "图片框1", {152, 168, 160, 120}};
  platform::Label kb标签{图片框1, "kb标签", {8, 72, 136, 24}};
  platform::DatabaseConnection 数据库连接1;
  platform::RecordSet 记录集1;

 private:
  CourseWindowSettings settings_;
};
