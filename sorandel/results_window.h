#pragma once

#include "content/statements.h"
#include "platform/platform.h"
#include "platform/system/database.h"
#include "sorandel/sorandel_state.h"

class MainWindow;

// The score sheet of a practice, opened modally by the submit: the counts of wrong, right and
// all questions, every question of the set with its answers and mark, and what OK does next:
// clear the set's answers or practise the wrong questions again. It reads and writes the
// exercise database through a connection of its own.
class ResultsWindow : public platform::Window {
 public:
  ResultsWindow(platform::Runtime& runtime, MainWindow& mainWindow, SorandelState& state);

  void resultsWindowCreated();
  void fillResultsWindow();
  void redoWrongSelected();
  void resultsOkClicked();
  void clearAnswerRecords();
  void resultsCancelClicked();
  void resultsCloseButtonClicked();

  platform::PictureBox 得分统计图片框{*this, "得分统计图片框", {0, 0, 640, 480}};
  platform::Label 题数显示标签{得分统计图片框, "题数显示标签", {24, 40, 96, 16}};
  platform::Label 正确题数量显示标签{得分统计图片框, "正确题数量显示标签", {112, 40, 72, 16}};
  platform::Label 错题数量显示标签{得分统计图片框, "错题数量显示标签", {192, 40, 104, 16}};
  platform::ListView 题目列表框{得分统计图片框, "题目列表框", {16, 96, 608, 336}};
  platform::RadioButton 清空答题记录单选框{
      得分统计图片框, "清空答题记录单选框", {24, 448, 112, 16}};
  platform::RadioButton 错题重做单选框{得分统计图片框, "错题重做单选框", {144, 448, 112, 16}};
  platform::ImageButton 确定按钮{得分统计图片框, "确定按钮", {456, 445, 70, 24}};
  platform::ImageButton 取消按钮{得分统计图片框, "取消按钮", {544, 445, 70, 24}};
  platform::ImageButton 退出软件按钮{得分统计图片框, "退出软件按钮", {610, 6, 26, 18}};
  platform::GroupBox 分组框1{得分统计图片框, "分组框1", {320, 208, 200, 136}};
  platform::DatabaseConnection 数据库连接1;
  platform::RecordSet 记录集1;

  // Images of the result column.
  static constexpr int kCrossImage = 0;
  static constexpr int kTickImage = 1;

 private:
  // Opens the window's connection on the exercise database and attaches the record set.
  void openExerciseDatabase();
  // Runs the statement on the record set, from `lastSqlText`.
  void runQuery(const content::Statement& statement);

  MainWindow& main_;
  SorandelState& s_;
};
