#pragma once

namespace platform {
class Label;
}
class MainWindow;
struct SorandelState;

// Answering in the practice view: the four options, the judgement and its record in the
// exercise database, auto mode, the moves, start and submit, and the replay button.
//
// The view is idle (start button shown, options disabled) before the first start and after
// each submission, and answering from a start to the submission; the state is held in the
// units alone.
class PracticeControls {
 public:
  PracticeControls(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void optionALabelClicked();
  void optionBLabelClicked();
  void optionCLabelClicked();
  void optionDLabelClicked();
  void checkAndRecordAnswer();
  void applyAfterAnswerOptions();
  void autoNextTimerTick();
  void autoAdvanceQuestion();
  void nextQuestionClicked();
  void previousQuestionClicked();
  void startPracticeClicked();
  void submitPracticeClicked();
  void practiceSoundButtonClicked();
  void restartPractice();

 private:
  void chooseOption(const platform::Label& option);
  // The units of the answering state (true) or of the idle state (false).
  void showStateControls(bool answering);
  // Shows the question at the new index, or undoes a step past either end (false).
  bool moveTo(int index);

  MainWindow& w_;
  SorandelState& s_;
};
