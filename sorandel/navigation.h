#pragma once

class MainWindow;
struct SorandelState;

// The navigation bar 主菜单: the only way between the views, and the course application that
// every course change and study theme change runs.
class Navigation {
 public:
  Navigation(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void mainMenuItemClicked(int group, int item);
  void applyCurrentCourse();
  void chooseCourseClicked();

 private:
  void showLessonItem(int item);
  void showBasicsItem(int item);

  MainWindow& w_;
  SorandelState& s_;
};
