#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/platform/test_windows.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Units : public PlatformTest {
 protected:
  FormWindow& open() { return rt().start<FormWindow>(log); }
  EventLog log;
};

TEST_P(Units, RadioButtonsOfOneParentFormAGroup) {
  FormWindow& w = open();
  log.clear();
  // Writing raises nothing and unchecks the sibling, not the radios of another parent.
  w.单选框2.setChecked(true);
  EXPECT_FALSE(w.单选框1.checked());
  EXPECT_TRUE(w.单选框3.checked());
  EXPECT_THAT(log, IsEmpty());
  // A click checks, then raises clicked; the handler reads the new state.
  d().click(w.单选框1);
  EXPECT_TRUE(w.单选框1.checked());
  EXPECT_FALSE(w.单选框2.checked());
  // A radio already checked raises clicked again when clicked.
  d().click(w.单选框1);
  d().click(w.单选框4);
  EXPECT_TRUE(w.单选框1.checked());
  EXPECT_FALSE(w.单选框3.checked());
  EXPECT_THAT(log, ElementsAre("单选框1.clicked", "单选框1.clicked"));
}

TEST_P(Units, CheckingARadioInItsOwnHandlerRaisesNoFurtherClick) {
  FormWindow& w = open();
  log.clear();
  d().click(w.单选框2);
  EXPECT_THAT(log, ElementsAre("单选框2.clicked"));
  EXPECT_TRUE(w.单选框2.checked());
  EXPECT_FALSE(w.单选框1.checked());
}

TEST_P(Units, CheckBoxClickTogglesBeforeTheHandler) {
  FormWindow& w = open();
  log.clear();
  d().click(w.选择框1);
  d().click(w.选择框1);
  w.选择框1.setChecked(true);
  EXPECT_THAT(log, ElementsAre("选择框1.clicked:1", "选择框1.clicked:0"));
}

TEST_P(Units, AHiddenHolderHidesItsUnitsWhichKeepWorking) {
  FormWindow& w = open();
  EXPECT_TRUE(w.隐藏标签.visible());
  EXPECT_FALSE(w.隐藏标签.shown());
  // Properties and rows of hidden units are read and written as usual.
  w.隐藏标签.setCaption("kept");
  w.隐藏列表框.appendRow();
  w.隐藏列表框.setCellText(0, 0, "1234");
  EXPECT_EQ(w.隐藏标签.caption(), "kept");
  EXPECT_EQ(w.隐藏列表框.getCellText(0, 0), "1234");
  // No user reaches them.
  EXPECT_EQ(w.隐藏按钮.userClick(), platform::InputResult::Hidden);
  EXPECT_NONFATAL_FAILURE(d().click(w.隐藏按钮), "隐藏按钮");
  // Hiding a holder hides what is in it; showing it again shows them.
  w.容器.setVisible(false);
  EXPECT_FALSE(w.按钮1.shown());
  EXPECT_TRUE(w.按钮1.visible());
  w.容器.setVisible(true);
  EXPECT_TRUE(w.按钮1.shown());
  EXPECT_THAT(log, ElementsAre("created"));
}

TEST_P(Units, ADisabledUnitTakesNoInputAndRaisesNothing) {
  FormWindow& w = open();
  log.clear();
  w.标签1.setDisabled(true);
  EXPECT_EQ(w.标签1.userClick(), platform::InputResult::Disabled);
  w.标签1.setDisabled(false);
  d().click(w.标签1);
  // A disabled holder disables what is in it.
  w.容器.setDisabled(true);
  EXPECT_EQ(w.按钮1.userClick(), platform::InputResult::Disabled);
  EXPECT_EQ(w.单选框1.userClick(), platform::InputResult::Disabled);
  EXPECT_EQ(w.内容框.userType("x"), platform::InputResult::Disabled);
  EXPECT_EQ(w.列表框1.userSelectRow(0), platform::InputResult::Disabled);
  EXPECT_THAT(log, ElementsAre("标签1.up"));
  EXPECT_THAT(d().clickSoundsPlayed(), IsEmpty());
}

TEST_P(Units, ImageButtonPlaysItsClickSoundThenRaisesClicked) {
  FormWindow& w = open();
  std::size_t soundsWhenClicked = 0;
  w.按钮1.onClicked = [&] { soundsWhenClicked = d().clickSoundsPlayed().size(); };
  d().click(w.按钮1);
  ASSERT_EQ(d().clickSoundsPlayed().size(), 1u);
  EXPECT_EQ(d().clickSoundsPlayed()[0].file, "按钮1");
  EXPECT_EQ(soundsWhenClicked, 1u) << "the sound starts before the handler runs";
  EXPECT_EQ(w.按钮1.cursor(), platform::Cursor::Hand);
}

struct CellCase {
  const char* label;
  int rows;
  int row;
  int column;
  const char* expected;
};

TEST_P(Units, ListCellsOfMissingRowsReadEmpty) {
  FormWindow& w = open();
  const CellCase cases[] = {
      {"row -1 of a filled list", 2, -1, 0, ""}, {"row 0 of an empty list", 0, 0, 0, ""},
      {"a row past the end", 2, 2, 0, ""},       {"a column never written", 2, 1, 5, ""},
      {"a negative column", 2, 0, -1, ""},       {"an existing cell", 2, 1, 1, "r1c1"},
  };
  for (const CellCase& c : cases) {
    w.列表框1.clearRows();
    for (int r = 0; r < c.rows; ++r) {
      w.列表框1.appendRow();
      w.列表框1.setCellText(r, 1, std::string("r").append(std::to_string(r)).append("c1"));
    }
    EXPECT_EQ(w.列表框1.getCellText(c.row, c.column), c.expected) << c.label;
  }
}

TEST_P(Units, AppendingRowsSelectsNothingAndRaisesNothing) {
  FormWindow& w = open();
  log.clear();
  for (int r = 0; r < 3; ++r) {
    w.列表框1.appendRow();
    EXPECT_EQ(w.列表框1.getRowCount() - 1, r);
  }
  w.列表框1.setCellText(7, 0, "ignored");
  w.列表框1.setCellImage(1, 2, 1);
  EXPECT_EQ(w.列表框1.selectedRow(), -1);
  EXPECT_EQ(w.列表框1.getRowCount(), 3);
  EXPECT_EQ(w.列表框1.getCellImage(1, 2), 1);
  d().selectRow(w.列表框1, 2);
  d().selectRow(w.列表框1, 2);
  d().selectRow(w.列表框1, 0);
  EXPECT_EQ(w.列表框1.userSelectRow(3), platform::InputResult::NotApplicable);
  w.列表框1.clearRows();
  EXPECT_EQ(w.列表框1.selectedRow(), -1);
  EXPECT_THAT(log, ElementsAre("列表框1.row:2", "列表框1.row:0"));
}

TEST_P(Units, NavigationWritesMoveTheHighlightOnlyClicksRaise) {
  FormWindow& w = open();
  log.clear();
  w.导航条1.setCurrentGroup(1);
  w.导航条1.setCurrentItem(0);
  EXPECT_THAT(log, IsEmpty());
  d().clickItem(w.导航条1, 0, 1);
  EXPECT_EQ(w.导航条1.currentGroup(), 0);
  EXPECT_EQ(w.导航条1.currentItem(), 1);
  EXPECT_EQ(w.导航条1.userClickItem(1, 1), platform::InputResult::NotApplicable);
  EXPECT_THAT(log, ElementsAre("导航条1.item:0,1"));
}

TEST_P(Units, ProgressBarKeepsAPositionAboveTheMaximumAndSlidesWithinRange) {
  FormWindow& w = open();
  log.clear();
  w.滑块1.setPosition(9);
  EXPECT_EQ(w.滑块1.position(), 9);
  EXPECT_EQ(w.滑块1.minimum(), 1);
  d().dragTo(w.滑块1, 3);
  d().dragTo(w.滑块1, 40);
  EXPECT_EQ(w.滑块1.position(), 5);
  EXPECT_THAT(log, ElementsAre("滑块1.position:3", "滑块1.position:5"));
}

TEST_P(Units, KeyDownReturningFalseSwallowsTheKey) {
  FormWindow& w = open();
  std::vector<int> keys;
  const auto swallowEnter = [&](int code, int) -> std::optional<bool> {
    keys.push_back(code);
    if (code == 13) return false;
    return std::nullopt;
  };
  w.内容框.onKeyDown = swallowEnter;
  w.编辑框1.onKeyDown = swallowEnter;
  w.编辑框1.setMultiLine(true);
  d().type(w.内容框, "ab");
  d().pressKey(w.内容框, 13);
  d().type(w.编辑框1, "a\nb");
  EXPECT_EQ(w.内容框.content(), "ab");
  EXPECT_EQ(w.编辑框1.content(), "ab");
  EXPECT_EQ(keys, (std::vector<int>{'A', 'B', 13, 'A', 13, 'B'}));
  // Without the handler the key reaches the box.
  w.内容框.onKeyDown = nullptr;
  d().pressKey(w.内容框, 13);
  EXPECT_EQ(w.内容框.content(), "ab\r\n");
}

TEST_P(Units, EditBoxTakesTypingAndBackspace) {
  FormWindow& w = open();
  d().type(w.编辑框1, "日本ab");
  d().pressKey(w.编辑框1, 8);
  d().pressKey(w.编辑框1, 8);
  d().pressKey(w.编辑框1, 8);
  EXPECT_EQ(w.编辑框1.content(), "日");
  EXPECT_TRUE(w.编辑框1.hasFocus());
  w.编辑框1.setContent("x");
  EXPECT_EQ(w.编辑框1.content(), "x");
}

TEST_P(Units, MenuCheckMarksAreWrittenOnlyByThePrograms) {
  FormWindow& w = open();
  log.clear();
  w.子项2.setChecked(true);
  EXPECT_TRUE(w.子项2.checked());
  d().rightClick(w.容器);
  ASSERT_EQ(rt().openPopup(), &w.菜单);
  d().choose(w.子项2);
  EXPECT_TRUE(w.子项2.checked());
  EXPECT_EQ(rt().openPopup(), nullptr);
  EXPECT_EQ(w.子项2.level(), 3);
  EXPECT_EQ(w.项1.level(), 2);
  EXPECT_THAT(log, ElementsAre("容器.right", "子项2.selected"));
}

TEST_P(Units, PopupMenuOffersItsItemsButNotSeparatorsOrSubmenuHeads) {
  FormWindow& w = open();
  log.clear();
  EXPECT_EQ(w.项1.userChoose(), platform::InputResult::Closed) << "no menu is open";
  d().rightClick(w.容器);
  EXPECT_EQ(w.分隔1.userChoose(), platform::InputResult::NotApplicable);
  EXPECT_EQ(w.子菜单.userChoose(), platform::InputResult::NotApplicable);
  EXPECT_TRUE(w.分隔1.isSeparator());
  EXPECT_EQ(w.菜单.items().size(), 3u);
  // While the menu is open the window's units take no clicks.
  EXPECT_EQ(w.按钮1.userClick(), platform::InputResult::Blocked);
  d().choose(w.项1);
  // A choice closes the menu: choosing again needs a new popup.
  EXPECT_EQ(w.项1.userChoose(), platform::InputResult::Closed);
  EXPECT_THAT(log, ElementsAre("容器.right", "项1.selected"));
}

PLATFORM_TEST_SUITE(Units);

}  // namespace
