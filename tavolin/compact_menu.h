#pragma once

class CompactWindow;
struct TavolinState;

// The bar's popup menu: reading control, study theme, display mode, course, always on top,
// and the two ways out.
class CompactMenu {
 public:
  CompactMenu(CompactWindow& window, TavolinState& state) : w_(window), s_(state) {}

  void design();

  void showTavolinMenu();
  void startReadingClicked();
  void pauseReadingClicked();
  void restartReadingClicked();
  void sentencesThemeClicked();
  void wordsThemeClicked();
  void showJapaneseOnlyClicked();
  void showChineseOnlyClicked();
  void showBothClicked();
  void chooseCourseClicked();
  void alwaysOnTopClicked();
  void returnToSorandelClicked();
  void exitProgramClicked();

 private:
  void showLines(bool japanese, bool chinese);

  CompactWindow& w_;
  TavolinState& s_;
};
