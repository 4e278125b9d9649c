// Answering a practice: judgement, feedback and record, auto mode, moves, start and submit.
#include <gmock/gmock.h>

#include "tests/sorandel/practice_fixture.h"

namespace {

using testing::ElementsAre;

constexpr const char* kChineseSet = "Lesson1中选日句子";

class AnsweringTest : public PracticeTest {
 protected:
  // Starts a practice of `count` questions "S1".. in the mode "中选日".
  void startPractice(int count = 3) {
    addSet(kChineseSet, count, "S");
    start();
    choosePracticeItem(3);
    clickStart();
  }

  using Answer = std::pair<std::string, std::string>;
  // nin and shuru of a row.
  Answer row(const std::string& key) {
    const auto q = folder_.question(key);
    EXPECT_TRUE(q.has_value()) << key;
    return q ? Answer{q->nin, q->shuru} : Answer{};
  }
};

TEST_F(AnsweringTest, RightAndWrongAnswersSoundMarkAndLandInTheRow) {
  struct Case {
    int option;
    const char* sound;
    const char* nin;
    const char* shuru;
  };
  const Case cases[] = {
      {1, "right", "正确", "S1B"},
      {3, "wrong", "错误", "S1D"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shuru);
    PracticeRun run;
    run.addSet(kChineseSet, 2, "S");
    run.start();
    run.choosePracticeItem(3);
    run.clickStart();
    run.clickOption(c.option);
    EXPECT_THAT(run.effectSoundsHeard(), ElementsAre(c.sound));
    EXPECT_EQ(run.markShown(), c.sound);
    EXPECT_TRUE(run.w().练习正确答案标签.shown());
    EXPECT_EQ(run.w().练习正确答案标签.caption(), "正确答案：S1B");
    const auto answered = run.folder_.question("S1");
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->nin, c.nin);
    EXPECT_EQ(answered->shuru, c.shuru);
    EXPECT_EQ(run.folder_.question("S2")->nin, "您未做此题");
    EXPECT_EQ(run.folder_.question("S2")->daan, "S2B");
  }
}

TEST_F(AnsweringTest, TheLastOfTwoClicksOnOneQuestionStays) {
  startPractice();
  clickOption(0);
  clickOption(1);
  EXPECT_THAT(effectSoundsHeard(), ElementsAre("wrong", "right"));
  EXPECT_EQ(markShown(), "right");
  EXPECT_EQ(row("S1"), Answer("正确", "S1B"));
  EXPECT_EQ(state_.chosenOptionText, "S1B");
}

// Shuffled, the answer lands in the row of the question shown, also when the shuffle box
// changed between the display and the answer.
TEST_F(AnsweringTest, AnswersLandInTheRowOfTheQuestionShown) {
  addSet(kChineseSet, 6, "S");
  start();
  runtime().random().fixRandomizeSeeds(11);
  choosePracticeItem(3);
  ASSERT_TRUE(backend().click(w().打乱顺序选择框));
  clickStart();
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  const std::string second = shownKey();
  ASSERT_NE(second, "S2");
  clickOption(2);
  EXPECT_EQ(row(second), Answer("错误", second + "C"));
  EXPECT_EQ(row("S2").first, "您未做此题");

  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  const std::string third = shownKey();
  ASSERT_TRUE(backend().click(w().打乱顺序选择框));
  ASSERT_NE(w().顺序对照列表框.getCellText(2, 0), third);
  clickOption(1);
  EXPECT_EQ(row(third).first, "正确");
  EXPECT_EQ(row(w().顺序对照列表框.getCellText(2, 0)).first, "您未做此题");
}

TEST_F(AnsweringTest, AnswerLabelFollowsItsBoxAndAMoveHidesTheFeedback) {
  startPractice();
  ASSERT_TRUE(backend().click(w().练习自动模式选择框));
  ASSERT_TRUE(backend().click(w().练习显示答案选择框));
  clickOption(1);
  EXPECT_EQ(markShown(), "right");
  EXPECT_FALSE(w().练习正确答案标签.visible());
  ASSERT_TRUE(backend().click(w().练习显示答案选择框));
  clickOption(0);
  EXPECT_TRUE(w().练习正确答案标签.visible());
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  EXPECT_EQ(markShown(), "");
  EXPECT_FALSE(w().练习正确答案标签.visible());
  EXPECT_FALSE(w().自动下一题时钟.running());
}

TEST_F(AnsweringTest, AutoModeMovesOnAfterOneSecond) {
  startPractice();
  clickOption(1);
  backend().advance(999);
  EXPECT_EQ(shownKey(), "S1");
  EXPECT_EQ(markShown(), "right");
  backend().advance(1);
  EXPECT_EQ(shownKey(), "S2");
  EXPECT_EQ(markShown(), "");
  EXPECT_FALSE(w().练习正确答案标签.visible());
  EXPECT_EQ(w().答题进度标签.caption(), "当前答题进度：2/3");
  EXPECT_FALSE(w().自动下一题时钟.running());
}

// The moves of a pending tick: at the last question, with auto mode cleared, after a click on
// next within the second.
TEST_F(AnsweringTest, APendingTickHidesTheFeedbackAndMovesOnlyInAutoMode) {
  startPractice();
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  clickOption(0);
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  EXPECT_EQ(shownKey(), "S3");
  backend().advance(1000);
  EXPECT_EQ(shownKey(), "S3") << "the tick steps past the end and back";
  EXPECT_EQ(state_.currentQuestionIndex, 2);

  clickOption(0);
  backend().advance(1000);
  EXPECT_EQ(shownKey(), "S3");
  EXPECT_EQ(markShown(), "");
  EXPECT_TRUE(backend().messageBoxes().empty());

  ASSERT_TRUE(backend().click(w().练习上一题按钮));
  clickOption(0);
  ASSERT_TRUE(backend().click(w().练习自动模式选择框));
  backend().advance(1000);
  EXPECT_EQ(shownKey(), "S2");
  EXPECT_EQ(markShown(), "");
  EXPECT_FALSE(w().练习正确答案标签.visible());
  EXPECT_FALSE(w().自动下一题时钟.running());
}

TEST_F(AnsweringTest, NextWithinTheSecondMovesOnceNowAndOnceAtTheTick) {
  startPractice(4);
  clickOption(1);
  backend().advance(300);
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  EXPECT_EQ(shownKey(), "S2");
  backend().advance(700);
  EXPECT_EQ(shownKey(), "S3");
}

TEST_F(AnsweringTest, NextAtTheLastQuestionOffersToSubmit) {
  startPractice(2);
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  ASSERT_TRUE(backend().click(w().练习自动模式选择框));
  clickOption(0);
  backend().answerNextMessageBox(1);
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  ASSERT_EQ(backend().messageBoxes().size(), 1u);
  EXPECT_EQ(backend().messageBoxes()[0].text, "到底了，是否交卷？");
  EXPECT_EQ(backend().messageBoxes()[0].caption, "是否交卷");
  EXPECT_EQ(backend().messageBoxes()[0].style, 1);
  EXPECT_EQ(shownKey(), "S2");
  EXPECT_EQ(markShown(), "");
  EXPECT_TRUE(answering());

  backend().answerNextMessageBox(0);
  closeResultsWithEsc();
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  EXPECT_THAT(backend().windowsOpened(), ElementsAre("mainWindow", "resultsWindow"));
  EXPECT_FALSE(answering());
  EXPECT_TRUE(w().开始按钮.visible());
  EXPECT_FALSE(w().交卷按钮.visible());
  EXPECT_FALSE(w().练习下一题按钮.visible());
  EXPECT_FALSE(w().练习句子单选框.disabled());
}

TEST_F(AnsweringTest, PreviousAtTheFirstQuestionSaysSo) {
  startPractice();
  backend().answerNextMessageBox(0);
  ASSERT_TRUE(backend().click(w().练习上一题按钮));
  ASSERT_EQ(backend().messageBoxes().size(), 1u);
  EXPECT_EQ(backend().messageBoxes()[0].text, "到顶了！");
  EXPECT_EQ(backend().messageBoxes()[0].style, 0);
  EXPECT_EQ(state_.currentQuestionIndex, 0);
  EXPECT_EQ(shownKey(), "S1");
}

TEST_F(AnsweringTest, StartAndSubmitSwitchTheControls) {
  addSet(kChineseSet, 2, "S");
  start();
  choosePracticeItem(3);
  EXPECT_EQ(w().选项A标签.userClick(), platform::InputResult::Disabled);
  EXPECT_EQ(row("S1").first, "您未做此题");
  EXPECT_FALSE(answering());

  clickStart();
  EXPECT_TRUE(answering());
  EXPECT_TRUE(w().练习上一题按钮.visible());
  EXPECT_TRUE(w().练习下一题按钮.visible());
  EXPECT_TRUE(w().练习句子单选框.disabled());
  EXPECT_TRUE(w().练习单词单选框.disabled());

  clickOption(1);
  closeResultsWithEsc();
  ASSERT_TRUE(backend().click(w().交卷按钮));
  EXPECT_FALSE(answering());
  EXPECT_TRUE(w().选项B标签.disabled());
  EXPECT_FALSE(w().练习单词单选框.disabled());
  EXPECT_TRUE(w().自动下一题时钟.running()) << "a submission leaves the pending tick";
  EXPECT_EQ(markShown(), "right") << "a submission leaves the feedback";
}

// A start or a navigation load shows the new first question without the last answer's
// feedback, which would give its answer away.
TEST_F(AnsweringTest, StartAndLoadsHideTheLastAnswersFeedback) {
  startPractice();
  ASSERT_TRUE(backend().click(w().练习自动模式选择框));
  clickOption(0);
  closeResultsWithEsc();
  ASSERT_TRUE(backend().click(w().交卷按钮));
  ASSERT_EQ(markShown(), "wrong");
  clickStart();
  EXPECT_EQ(markShown(), "");
  EXPECT_FALSE(w().练习正确答案标签.visible());

  clickOption(0);
  choosePracticeItem(3);
  EXPECT_EQ(markShown(), "");
  EXPECT_FALSE(w().练习正确答案标签.visible());
  EXPECT_TRUE(answering()) << "a load from the bar keeps the answering state";
}

TEST_F(AnsweringTest, ARestartOverTheWrongRowsOnly) {
  startPractice(4);
  ASSERT_TRUE(backend().click(w().练习自动模式选择框));
  for (const int option : {0, 1, 3}) {
    clickOption(option);
    ASSERT_TRUE(backend().click(w().练习下一题按钮));
  }
  clickOption(1);
  closeResultsWithEsc();
  ASSERT_TRUE(backend().click(w().交卷按钮));
  state_.redoWrongOnly = 1;
  w().practiceControls.restartPractice();
  EXPECT_TRUE(answering());
  EXPECT_EQ(state_.practiceQuestionCount, 2);
  EXPECT_EQ(cells(w().顺序对照列表框), (std::vector<std::string>{"S1", "S3"}));
  EXPECT_EQ(shownKey(), "S1");
  clickOption(1);
  EXPECT_EQ(row("S1"), Answer("正确", "S1B"));
}

}  // namespace
