#include "sorandel/practice_controls.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/keys.h"
#include "content/statements.h"
#include "platform/system/file_bytes.h"
#include "sorandel/main_window.h"
#include "sorandel/results_window.h"

namespace {

constexpr int kAutoNextMs = 1000;

}  // namespace

void PracticeControls::design() {
  w_.练习上一题按钮.setDesign(assets::previousButton(), assets::previousButtonHover(),
                              assets::modeClickSound());
  w_.练习下一题按钮.setDesign(assets::nextButton(), assets::nextButtonHover(),
                              assets::modeClickSound());
  w_.开始按钮.setDesign(assets::startPracticeButton(), assets::startPracticeButtonHover(),
                        assets::modeClickSound());
  w_.交卷按钮.setDesign(assets::submitPracticeButton(), assets::submitPracticeButtonHover(),
                        assets::modeClickSound());
  w_.练习上一题按钮.setVisible(false);
  w_.练习下一题按钮.setVisible(false);

  w_.选项A标签.onLeftButtonUp = [this](platform::MouseEvent) { optionALabelClicked(); };
  w_.选项B标签.onLeftButtonUp = [this](platform::MouseEvent) { optionBLabelClicked(); };
  w_.选项C标签.onLeftButtonUp = [this](platform::MouseEvent) { optionCLabelClicked(); };
  w_.选项D标签.onLeftButtonUp = [this](platform::MouseEvent) { optionDLabelClicked(); };
  w_.开始按钮.onClicked = [this] { startPracticeClicked(); };
  w_.交卷按钮.onClicked = [this] { submitPracticeClicked(); };
  w_.练习下一题按钮.onClicked = [this] { nextQuestionClicked(); };
  w_.练习上一题按钮.onClicked = [this] { previousQuestionClicked(); };
  w_.练习声音播放按钮.onClicked = [this] { practiceSoundButtonClicked(); };
  w_.自动下一题时钟.onTick = [this] { autoNextTimerTick(); };
}

void PracticeControls::optionALabelClicked() { chooseOption(w_.选项A标签); }
void PracticeControls::optionBLabelClicked() { chooseOption(w_.选项B标签); }
void PracticeControls::optionCLabelClicked() { chooseOption(w_.选项C标签); }
void PracticeControls::optionDLabelClicked() { chooseOption(w_.选项D标签); }

void PracticeControls::chooseOption(const platform::Label& option) {
  s_.chosenOptionText = option.caption();
  checkAndRecordAnswer();
}

// The row is committed before the handler returns, so by the time the mark is drawn the
// answer is in the file.
void PracticeControls::checkAndRecordAnswer() {
  // The question on the screen, also when the shuffle box changed since it was shown.
  s_.currentKey = s_.shownQuestionKey;
  const content::Statement query = content::selectQuestion(s_.currentKey);
  s_.lastSqlText = query.text;
  content::openQuery(w_.记录集1, query);
  w_.记录集1.moveFirst();

  const std::string& folder = w_.runtime().getProgramFolder();
  const auto markPicture = [&folder](std::string_view tail) {
    return platform::readFileBytes(content::ContentFolders::path(folder, tail));
  };
  if (PracticeView::kAnswerPrefix + s_.chosenOptionText == w_.练习正确答案标签.caption()) {
    w_.runtime().playSoundFile(
        content::ContentFolders::path(folder, content::ContentFolders::rightAnswerSound));
    w_.显示正确错误图片框.setPicture(markPicture(content::ContentFolders::rightMarkPicture));
    w_.记录集1.writeField("nin", content::answeredRight);
  } else {
    w_.显示正确错误图片框.setPicture(markPicture(content::ContentFolders::wrongMarkPicture));
    w_.runtime().playSoundFile(
        content::ContentFolders::path(folder, content::ContentFolders::wrongAnswerSound));
    w_.记录集1.writeField("nin", content::answeredWrong);
  }
  w_.显示正确错误图片框.setVisible(true);
  w_.记录集1.writeField("shuru", s_.chosenOptionText);
  w_.记录集1.update();
  applyAfterAnswerOptions();
}

void PracticeControls::applyAfterAnswerOptions() {
  w_.练习正确答案标签.setVisible(w_.练习显示答案选择框.checked());
  if (w_.练习自动模式选择框.checked()) w_.自动下一题时钟.setInterval(kAutoNextMs);
}

void PracticeControls::autoNextTimerTick() {
  w_.practiceView.hideFeedback();
  autoAdvanceQuestion();
  w_.自动下一题时钟.setInterval(0);
}

// At the last question the practice stays there silently: no message, no submission.
void PracticeControls::autoAdvanceQuestion() {
  if (!w_.练习自动模式选择框.checked()) return;
  moveTo(s_.currentQuestionIndex + 1);
}

void PracticeControls::nextQuestionClicked() {
  w_.practiceView.hideFeedback();
  if (moveTo(s_.currentQuestionIndex + 1)) return;
  if (w_.runtime().showMessageBox("到底了，是否交卷？", 1, "是否交卷") == 0)
    submitPracticeClicked();
}

void PracticeControls::previousQuestionClicked() {
  w_.practiceView.hideFeedback();
  if (moveTo(s_.currentQuestionIndex - 1)) return;
  w_.runtime().showMessageBox("到顶了！");
}

bool PracticeControls::moveTo(int index) {
  if (index < 0 || index >= s_.practiceQuestionCount) return false;
  s_.currentQuestionIndex = index;
  w_.practiceView.showPracticeProgress();
  w_.practiceView.showCurrentQuestion();
  return true;
}

void PracticeControls::startPracticeClicked() {
  showStateControls(true);
  w_.practiceView.loadPracticeSet();
}

// Leaves the auto-advance timer and the feedback as they are.
void PracticeControls::submitPracticeClicked() {
  showStateControls(false);
  w_.runtime().open<ResultsWindow>(w_, s_);
  // A choice of the wrong questions applies to the redo it started, inside the window, and to
  // no later load: closed in any way, the window leaves the whole set to load.
  s_.redoWrongOnly = 0;
}

void PracticeControls::showStateControls(bool answering) {
  w_.练习上一题按钮.setVisible(answering);
  w_.练习下一题按钮.setVisible(answering);
  w_.交卷按钮.setVisible(answering);
  w_.开始按钮.setVisible(!answering);
  for (platform::Label* option : {&w_.选项A标签, &w_.选项B标签, &w_.选项C标签, &w_.选项D标签})
    option->setDisabled(!answering);
  w_.练习句子单选框.setDisabled(answering);
  w_.练习单词单选框.setDisabled(answering);
}

void PracticeControls::practiceSoundButtonClicked() { w_.playback.playCurrentSound(); }

void PracticeControls::restartPractice() { startPracticeClicked(); }
