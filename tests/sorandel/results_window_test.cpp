// The results window: counts, the list of the set, clearing, and the redo of wrong questions.
#include <gmock/gmock.h>

#include <functional>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "sorandel/results_window.h"
#include "tests/sorandel/practice_fixture.h"

namespace {

using testing::Each;
using testing::ElementsAre;

constexpr const char* kChineseSet = "Lesson1中选日句子";

// What the window showed when it opened.
struct Sheet {
  std::string wrong;
  std::string right;
  std::string total;
  // Per row: timu | daan | shuru | mark ("tick", "cross", a text or "").
  std::vector<std::string> rows;
  bool clearChecked = false;
};

class ResultsTest : public PracticeTest {
 protected:
  // A practice of `count` questions "S1".. in the mode "中选日", started.
  void startPractice(int count) {
    addSet(kChineseSet, count, "S");
    start();
    choosePracticeItem(3);
    ASSERT_TRUE(backend().click(w().练习自动模式选择框));
    clickStart();
  }

  void setNin(const std::string& keys, const std::string& nin) {
    folder_.execute(content::ContentFolders::exerciseDatabase,
                    "UPDATE lianxi SET nin = '" + nin + "' WHERE biaoshi IN (" + keys + ")");
  }

  // Answers every question of the practice with the options given, in order.
  void answerAll(const std::vector<int>& options) {
    for (std::size_t i = 0; i < options.size(); ++i) {
      clickOption(options[i]);
      if (i + 1 < options.size()) {
        ASSERT_TRUE(backend().click(w().练习下一题按钮));
      }
    }
  }

  // Submits; the window is read, then `act` closes it.
  Sheet submit(const std::function<void(ResultsWindow&)>& act) {
    Sheet sheet;
    backend().whenWindowOpens<ResultsWindow>([&](ResultsWindow& r) {
      sheet = read(r);
      act(r);
    });
    EXPECT_TRUE(backend().click(w().交卷按钮));
    return sheet;
  }

  static Sheet read(ResultsWindow& r) {
    Sheet sheet{r.错题数量显示标签.caption(),
                r.正确题数量显示标签.caption(),
                r.题数显示标签.caption(),
                {},
                r.清空答题记录单选框.checked()};
    const platform::ListView& list = r.题目列表框;
    for (int row = 0; row < list.getRowCount(); ++row) {
      std::string mark = list.getCellText(row, 3);
      if (list.getCellImage(row, 3) == ResultsWindow::kTickImage) mark += "tick";
      if (list.getCellImage(row, 3) == ResultsWindow::kCrossImage) mark += "cross";
      sheet.rows.push_back(list.getCellText(row, 0) + "|" + list.getCellText(row, 1) + "|" +
                           list.getCellText(row, 2) + "|" + mark);
    }
    return sheet;
  }

  void clickOk(ResultsWindow& r) { ASSERT_TRUE(backend().click(r.确定按钮)); }
  void chooseRedoAndOk(ResultsWindow& r) {
    ASSERT_TRUE(backend().click(r.错题重做单选框));
    clickOk(r);
  }

  std::vector<std::string> ninOfSet() {
    std::vector<std::string> nin;
    for (const auto& q : folder_.questions())
      if (q.id == kChineseSet) nin.push_back(q.nin);
    return nin;
  }
};

TEST_F(ResultsTest, WindowDesign) {
  startPractice(1);
  submit([&](ResultsWindow& r) {
    EXPECT_EQ(r.width(), 640);
    EXPECT_EQ(r.height(), 480);
    EXPECT_EQ(r.border(), platform::Border::None);
    EXPECT_EQ(r.caption(), "");
    EXPECT_TRUE(r.centred());
    EXPECT_TRUE(r.taskbarButton());
    EXPECT_TRUE(r.dragAnywhere());
    EXPECT_TRUE(r.escCloses());
    EXPECT_FALSE(r.alwaysOnTop());
    expectPlacements({
        {&r.得分统计图片框, &r, {0, 0, 640, 480}},
        {&r.题数显示标签, &r.得分统计图片框, {24, 40, 96, 16}},
        {&r.正确题数量显示标签, &r.得分统计图片框, {112, 40, 72, 16}},
        {&r.错题数量显示标签, &r.得分统计图片框, {192, 40, 104, 16}},
        {&r.题目列表框, &r.得分统计图片框, {16, 96, 608, 336}},
        {&r.清空答题记录单选框, &r.得分统计图片框, {24, 448, 112, 16}},
        {&r.错题重做单选框, &r.得分统计图片框, {144, 448, 112, 16}},
        {&r.确定按钮, &r.得分统计图片框, {456, 445, 70, 24}},
        {&r.取消按钮, &r.得分统计图片框, {544, 445, 70, 24}},
        {&r.退出软件按钮, &r.得分统计图片框, {610, 6, 26, 18}},
        {&r.分组框1, &r.得分统计图片框, {320, 208, 200, 136}},
    });
    EXPECT_FALSE(r.分组框1.visible());
    EXPECT_EQ(r.得分统计图片框.picture(), assets::resultsSkin());
    const auto& columns = r.题目列表框.columns();
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].caption, "题目");
    EXPECT_EQ(columns[3].caption, "结果");
    EXPECT_EQ(columns[0].width + columns[1].width + columns[2].width + columns[3].width,
              242 + 160 + 160 + 45);
    EXPECT_TRUE(columns[3].centred);
    EXPECT_EQ(r.题目列表框.fillColumn(), 3);
    EXPECT_EQ(r.题目列表框.font(), platform::Font::pixels("宋体", 14));
    EXPECT_THAT(r.题目列表框.imageList(),
                ElementsAre(assets::wrongAnswerIcon(), assets::rightAnswerIcon()));
    EXPECT_EQ(r.清空答题记录单选框.textColor(), platform::rgb(0, 0, 0));
    EXPECT_EQ(r.题数显示标签.backgroundColor(), platform::rgb(0xd2, 0xe8, 0xf6));
    EXPECT_TRUE(r.退出软件按钮.clickSound().empty());
    EXPECT_FALSE(r.确定按钮.clickSound().empty());
    EXPECT_EQ(r.确定按钮.cursor(), platform::Cursor::Hand);
    ASSERT_TRUE(backend().click(r.退出软件按钮));
  });
}

TEST_F(ResultsTest, CountsAndListOfASetWithWrongRightAndUnansweredRows) {
  startPractice(10);
  setNin("'S1', 'S4', 'S9'", "错误");
  setNin("'S2', 'S3', 'S5', 'S6', 'S7'", "正确");
  folder_.execute(content::ContentFolders::exerciseDatabase,
                  "UPDATE lianxi SET shuru = biaoshi || 'C' WHERE nin != '您未做此题'");
  const Sheet sheet = submit([&](ResultsWindow& r) { ASSERT_TRUE(backend().pressEsc(r)); });
  EXPECT_EQ(sheet.wrong, "错误：3题");
  EXPECT_EQ(sheet.right, "正确：7题");
  EXPECT_EQ(sheet.total, "共计：10题");
  EXPECT_THAT(sheet.rows, ElementsAre("题S1|S1B|S1C|cross", "题S2|S2B|S2C|tick",
                                      "题S3|S3B|S3C|tick", "题S4|S4B|S4C|cross",
                                      "题S5|S5B|S5C|tick", "题S6|S6B|S6C|tick", "题S7|S7B|S7C|tick",
                                      "题S8|S8B||未做", "题S9|S9B|S9C|cross", "题S10|S10B||未做"));
  EXPECT_EQ(state_.wrongAnswerCount, 3);
}

// An empty or other outcome is shown without a mark and counts as right.
TEST_F(ResultsTest, AnOutcomeOtherThanTheThreeHasNoMarkAndIsNotWrong) {
  startPractice(3);
  setNin("'S1'", "");
  setNin("'S2'", "其他");
  setNin("'S3'", "错误");
  const Sheet sheet = submit([&](ResultsWindow& r) { ASSERT_TRUE(backend().pressEsc(r)); });
  EXPECT_EQ(sheet.wrong, "错误：1题");
  EXPECT_EQ(sheet.right, "正确：2题");
  EXPECT_THAT(sheet.rows, ElementsAre("题S1|S1B||", "题S2|S2B||", "题S3|S3B||cross"));
}

// No rows for the set, or no database to read: nothing wrong, the total as loaded, no rows.
TEST_F(ResultsTest, NoRowsToReadShowNothingWrongAndAnEmptyList) {
  for (const bool removeDatabase : {false, true}) {
    SCOPED_TRACE(removeDatabase ? "no database" : "no rows of the set");
    PracticeRun run;
    run.addSet(kChineseSet, 4, "S");
    run.start();
    run.choosePracticeItem(3);
    run.clickStart();
    if (removeDatabase) {
      run.folder_.removeFile(content::ContentFolders::exerciseDatabase);
    } else {
      run.folder_.execute(content::ContentFolders::exerciseDatabase, "DELETE FROM lianxi");
    }
    Sheet sheet;
    run.backend().whenWindowOpens<ResultsWindow>([&](ResultsWindow& r) {
      sheet = read(r);
      ASSERT_TRUE(run.backend().click(r.确定按钮));
    });
    ASSERT_TRUE(run.backend().click(run.w().交卷按钮));
    EXPECT_EQ(sheet.wrong, "错误：0题");
    EXPECT_EQ(sheet.right, "正确：4题");
    EXPECT_EQ(sheet.total, "共计：4题");
    EXPECT_TRUE(sheet.rows.empty());
  }
}

TEST_F(ResultsTest, OkWithClearResetsEveryRowOfTheSetAndNothingElse) {
  addSet("Lesson1中选日单词", 2, "W");
  setNin("'W1'", "错误");
  startPractice(3);
  answerAll({0, 1});
  const Sheet sheet = submit([&](ResultsWindow& r) { clickOk(r); });
  EXPECT_TRUE(sheet.clearChecked);
  for (const auto& q : folder_.questions()) {
    SCOPED_TRACE(q.biaoshi);
    if (q.id == kChineseSet) {
      EXPECT_EQ(q.nin, "您未做此题");
      EXPECT_EQ(q.shuru, "");
    }
  }
  EXPECT_EQ(folder_.question("W1")->nin, "错误");
  EXPECT_FALSE(answering());
  EXPECT_EQ(state_.redoWrongOnly, 0);
  // The next opening lists every question as not answered, with clearing chosen again.
  clickStart();
  const Sheet again = submit([&](ResultsWindow& r) {
    ASSERT_TRUE(backend().click(r.错题重做单选框));
    ASSERT_TRUE(backend().click(r.取消按钮));
  });
  EXPECT_THAT(again.rows, Each(testing::EndsWith("||未做")));
  EXPECT_TRUE(again.clearChecked);
}

// A row that cannot be written halfway through leaves the whole set as it was, not half cleared.
TEST_F(ResultsTest, AClearThatFailsHalfwayLeavesEveryRowOfTheSet) {
  startPractice(4);
  answerAll({0, 1, 0, 1});
  folder_.execute(content::ContentFolders::exerciseDatabase,
                  "CREATE TRIGGER refuse BEFORE UPDATE ON lianxi WHEN OLD.biaoshi = 'S3' "
                  "BEGIN SELECT RAISE(ABORT, 'disk fault'); END");
  const auto before = folder_.questions();
  ASSERT_EQ(before.size(), 4u);
  ::testing::internal::CaptureStderr();
  submit([&](ResultsWindow& r) { clickOk(r); });
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), testing::HasSubstr("disk fault"));
  EXPECT_EQ(folder_.questions(), before);
}

TEST_F(ResultsTest, RedoWithoutWrongAnswersRestartsNothing) {
  startPractice(2);
  answerAll({1, 1});
  const Sheet sheet = submit([&](ResultsWindow& r) {
    ASSERT_TRUE(backend().click(r.错题重做单选框));
    EXPECT_EQ(state_.redoWrongOnly, 1);
    clickOk(r);
  });
  EXPECT_EQ(sheet.wrong, "错误：0题");
  EXPECT_EQ(state_.currentQuestionIndex, 1) << "no new load";
  EXPECT_EQ(state_.redoWrongOnly, 0);
  EXPECT_FALSE(answering());
  EXPECT_EQ(runtime().openWindows().size(), 1u);
}

// The whole loop: some answers wrong, a redo of those while the window is open, all right.
TEST_F(ResultsTest, RedoTheWrongQuestionsUntilNoneIsWrong) {
  startPractice(10);
  answerAll({1, 0, 1, 1, 3, 1, 1, 2, 1, 1});
  std::string firstRedoQuestion;
  const Sheet first = submit([&](ResultsWindow& r) {
    chooseRedoAndOk(r);
    // The practice restarted before the window closed.
    firstRedoQuestion = shownKey();
  });
  EXPECT_EQ(first.wrong, "错误：3题");
  EXPECT_EQ(firstRedoQuestion, "S2");
  EXPECT_TRUE(answering());
  EXPECT_EQ(state_.practiceQuestionCount, 3);
  EXPECT_EQ(cells(w().顺序对照列表框), (std::vector<std::string>{"S2", "S5", "S8"}));

  answerAll({1, 2});
  const Sheet partly = submit([&](ResultsWindow& r) { ASSERT_TRUE(backend().pressEsc(r)); });
  EXPECT_EQ(partly.total, "共计：3题");
  EXPECT_EQ(partly.wrong, "错误：2题");
  EXPECT_EQ(partly.right, "正确：1题");
  EXPECT_EQ(partly.rows.size(), 10u);

  clickStart();
  EXPECT_EQ(state_.practiceQuestionCount, 10) << "the redo applied to its own load only";
  answerAll({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  const Sheet last = submit([&](ResultsWindow& r) { chooseRedoAndOk(r); });
  EXPECT_EQ(last.wrong, "错误：0题");
  EXPECT_EQ(last.right, "正确：10题");
  EXPECT_THAT(ninOfSet(), Each(std::string("正确")));
  EXPECT_THAT(last.rows, Each(testing::EndsWith("|tick")));
  EXPECT_FALSE(answering());
}

// A click on 错题重做 that starts no redo leaves no trace: the next load loads the whole set.
TEST_F(ResultsTest, ARedoChoiceWithoutItsRedoIsForgotten) {
  struct Case {
    const char* how;
    std::function<void(ResultsTest&, ResultsWindow&)> close;
  };
  const Case cases[] = {
      {"cancel", [](ResultsTest& t, ResultsWindow& r) { t.backend().click(r.取消按钮); }},
      {"close button", [](ResultsTest& t, ResultsWindow& r) { t.backend().click(r.退出软件按钮); }},
      {"esc", [](ResultsTest& t, ResultsWindow& r) { t.backend().pressEsc(r); }},
      {"clear chosen again",
       [](ResultsTest& t, ResultsWindow& r) {
         t.backend().click(r.清空答题记录单选框);
         t.backend().click(r.确定按钮);
       }},
  };
  startPractice(4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    clickOption(0);
    submit([&](ResultsWindow& r) {
      ASSERT_TRUE(backend().click(r.错题重做单选框));
      c.close(*this, r);
    });
    EXPECT_EQ(runtime().openWindows().size(), 1u);
    choosePracticeItem(3);
    EXPECT_EQ(state_.practiceQuestionCount, 4);
    clickStart();
    EXPECT_EQ(state_.practiceQuestionCount, 4);
  }
}

}  // namespace
