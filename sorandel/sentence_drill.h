#pragma once

#include <optional>

class MainWindow;
struct SorandelState;

// The sentence drill view 句子跟读容器: one item of the current course's sentences or words at a
// time, its recording, and a typing check of its Japanese that marks the answer and moves on by
// itself 500 ms later. The key list 逐句跟读顺序列表框 holds the item keys in query order; an
// item's texts and recording are looked up by its key each time it is shown.
class SentenceDrill {
 public:
  SentenceDrill(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void loadDrillList();
  void showDrillProgress();
  void showDrillItem();
  void nextDrillItemClicked();
  void previousDrillItemClicked();
  // Enter (whatever the shift state) checks and is swallowed; any other key goes to the box.
  std::optional<bool> drillInputKeyDown(int keyCode, int shiftState);
  void checkDrillAnswer();
  void drillAutoNextTimerTick();
  void drillInputChanged();
  void showJapaneseClicked();
  void showTranslationClicked();
  void drillSoundButtonClicked();
  void drillSentencesClicked();
  void drillWordsClicked();

 private:
  MainWindow& w_;
  SorandelState& s_;
};
