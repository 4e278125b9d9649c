#pragma once

#include <string>

class MainWindow;
struct SorandelState;

// The practice view 练习容器: loads the practice set of the current course, mode and kind,
// builds the order its questions are presented in and shows the question at the current
// position.
//
// 顺序对照列表框 holds the item keys in query order; 打乱顺序列表框 holds, for each position, the
// 1-based ordinal in that list of the question shown there, as decimal text. The shuffle box
// decides at every use which of the two orders a position follows.
class PracticeView {
 public:
  PracticeView(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void loadPracticeSet();
  void shuffleQuestionOrder();
  void showPracticeProgress();
  void showCurrentQuestion();

  // Hides the mark and the correct answer of the last answer.
  void hideFeedback();

  static constexpr const char* kAnswerPrefix = "正确答案：";

 private:
  // The item key of the question at `currentQuestionIndex`, in the order the shuffle box says.
  std::string keyAtCurrentPosition();

  MainWindow& w_;
  SorandelState& s_;
};
