#include "sorandel/results_window.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/keys.h"
#include "platform/system/text_numbers.h"
#include "sorandel/main_window.h"

namespace {

constexpr platform::Color kBlack = platform::rgb(0, 0, 0);
constexpr platform::Color kSheetGround = platform::rgb(0xd2, 0xe8, 0xf6);
constexpr const char* kNotAnsweredMark = "未做";

}  // namespace

ResultsWindow::ResultsWindow(platform::Runtime& runtime, MainWindow& mainWindow,
                             SorandelState& state)
    : Window(runtime, "resultsWindow", {0, 0, 640, 480}), main_(mainWindow), s_(state) {
  setBorder(platform::Border::None);
  setCentred(true);
  setTaskbarButton(true);
  setDragAnywhere(true);
  setOutline(platform::Outline::Rectangle);
  setAlwaysOnTop(false);
  setEscCloses(true);

  得分统计图片框.setPicture(assets::resultsSkin());
  题数显示标签.setCaption("共计：  题");
  正确题数量显示标签.setCaption("正确：  题");
  错题数量显示标签.setCaption("错误：  题");
  清空答题记录单选框.setCaption("清空答题记录");
  错题重做单选框.setCaption("错题重做");
  for (platform::Unit* unit : {static_cast<platform::Unit*>(&题数显示标签),
                               static_cast<platform::Unit*>(&正确题数量显示标签),
                               static_cast<platform::Unit*>(&错题数量显示标签),
                               static_cast<platform::Unit*>(&清空答题记录单选框),
                               static_cast<platform::Unit*>(&错题重做单选框)}) {
    unit->setTextColor(kBlack);
    unit->setBackgroundColor(kSheetGround);
  }
  清空答题记录单选框.setChecked(true);
  // The total's label lies over this one's first pixels: its text starts beside them.
  正确题数量显示标签.setTextIndent(题数显示标签.left() + 题数显示标签.width() -
                                   正确题数量显示标签.left());

  // The skin paints the column headings above the list, aligned with these widths; a scroll
  // bar narrows the last column only, so that every column stays under its heading.
  题目列表框.setColumns({{"题目", 242}, {"正确答案", 160}, {"您的答案", 160}, {"结果", 45, true}});
  题目列表框.setHeaderVisible(false);
  题目列表框.setFillColumn(3);
  题目列表框.setFont(platform::Font::pixels("宋体", 14));
  题目列表框.setImageList({assets::wrongAnswerIcon(), assets::rightAnswerIcon()});

  确定按钮.setDesign(assets::resultsOkButton(), assets::resultsOkButtonHover(),
                     assets::modeClickSound());
  取消按钮.setDesign(assets::resultsCancelButton(), assets::resultsCancelButtonHover(),
                     assets::modeClickSound());
  退出软件按钮.setDesign(assets::resultsCloseButton(), assets::resultsCloseButtonHover(), {});
  分组框1.setVisible(false);

  onCreated = [this] { resultsWindowCreated(); };
  错题重做单选框.onClicked = [this] { redoWrongSelected(); };
  确定按钮.onClicked = [this] { resultsOkClicked(); };
  取消按钮.onClicked = [this] { resultsCancelClicked(); };
  退出软件按钮.onClicked = [this] { resultsCloseButtonClicked(); };
}

void ResultsWindow::resultsWindowCreated() {
  s_.redoWrongOnly = 0;
  fillResultsWindow();
}

void ResultsWindow::openExerciseDatabase() {
  数据库连接1.open(content::ContentFolders::path(runtime().getProgramFolder(),
                                                 content::ContentFolders::exerciseDatabase),
                   "");
  记录集1.attachConnection(数据库连接1);
}

void ResultsWindow::runQuery(const content::Statement& statement) {
  s_.lastSqlText = statement.text;
  content::openQuery(记录集1, statement);
}

void ResultsWindow::fillResultsWindow() {
  openExerciseDatabase();
  runQuery(content::selectWrongAnswers(s_.practiceSetId));
  s_.wrongAnswerCount = 记录集1.recordCount();
  // A question never answered is not wrong: it counts as right.
  const double right =
      static_cast<double>(s_.practiceQuestionCount) - static_cast<double>(s_.wrongAnswerCount);
  错题数量显示标签.setCaption("错误：" + platform::numberToText(s_.wrongAnswerCount) + "题");
  正确题数量显示标签.setCaption("正确：" + platform::numberToText(right) + "题");
  题数显示标签.setCaption("共计：" + platform::numberToText(s_.practiceQuestionCount) + "题");

  runQuery(content::selectPracticeSet(s_.practiceSetId));
  记录集1.moveFirst();
  题目列表框.clearRows();
  std::string field;
  while (!记录集1.endOfRecords()) {
    题目列表框.appendRow();
    const int row = 题目列表框.getRowCount() - 1;
    int column = 0;
    for (const char* name : {"timu", "daan", "shuru"}) {
      记录集1.readField(name, field);
      题目列表框.setCellText(row, column++, field);
    }
    记录集1.readField("nin", field);
    if (field == content::answeredRight) {
      题目列表框.setCellImage(row, 3, kTickImage);
    } else if (field == content::answeredWrong) {
      题目列表框.setCellImage(row, 3, kCrossImage);
    } else if (field == content::notAnswered) {
      题目列表框.setCellText(row, 3, kNotAnsweredMark);
    }
    记录集1.moveNext();
  }
  记录集1.close();
  数据库连接1.close();
}

void ResultsWindow::redoWrongSelected() { s_.redoWrongOnly = 1; }

void ResultsWindow::resultsOkClicked() {
  if (清空答题记录单选框.checked()) {
    clearAnswerRecords();
  } else if (s_.wrongAnswerCount != 0) {
    // The practice restarts over the wrong questions while this window is still open.
    main_.practiceControls.restartPractice();
  } else {
    s_.redoWrongOnly = 0;
  }
  close();
}

// Every row of the set, answered or not, goes back to not answered: all of them in one
// transaction, so that a kill or a row that cannot be written leaves the set as it was, never
// half cleared.
void ResultsWindow::clearAnswerRecords() {
  openExerciseDatabase();
  bool cleared = 数据库连接1.beginTransaction();
  runQuery(content::selectPracticeSet(s_.practiceSetId));
  记录集1.moveFirst();
  while (cleared && !记录集1.endOfRecords()) {
    记录集1.writeField("shuru", "");
    记录集1.writeField("nin", content::notAnswered);
    cleared = 记录集1.update();
    记录集1.moveNext();
  }
  if (cleared) {
    数据库连接1.commitTransaction();
  } else {
    数据库连接1.rollbackTransaction();
  }
  记录集1.close();
  数据库连接1.close();
}

void ResultsWindow::resultsCancelClicked() { close(); }

void ResultsWindow::resultsCloseButtonClicked() { close(); }
