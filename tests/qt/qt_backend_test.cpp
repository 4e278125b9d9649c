#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "platform/qt/button_widgets.h"
#include "platform/qt/qt_audio.h"
#include "platform/qt/qt_measurer.h"
#include "platform/qt/qt_style.h"
#include "platform/qt/rich_edit_widget.h"
#include "platform/qt/wav_sound.h"
#include "platform/utf32.h"
#include "tests/qt/qt_driver.h"
#include "tests/qt/showcase_window.h"
#include "tests/support/program_folder.h"

namespace {

using showcase::ShowcaseWindow;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SmallDialog : public platform::Window {
 public:
  SmallDialog(platform::Runtime& rt) : Window(rt, "smallDialog", {0, 0, 200, 100}) {
    setCaption("对话框");
    setCentred(true);
  }
  platform::Label 标签{*this, "标签", {10, 10, 100, 16}};
};

class QtBackendTest : public ::testing::Test {
 protected:
  QtBackendTest() : rt(driver.backend(), folder.path()), w(rt.start<ShowcaseWindow>(log)) {
    log.clear();
  }
  QWidget* widget(const platform::Unit& unit) { return driver.qt().widgetOf(unit); }
  QColor pixel(const platform::Unit& unit, QPoint at) {
    driver.qt().processEvents();
    return widget(unit)->grab().toImage().pixelColor(at);
  }

  test_support::ProgramFolder folder;
  QtDriver driver;
  platform::Runtime rt;
  std::vector<std::string> log;
  ShowcaseWindow& w;
};

TEST_F(QtBackendTest, EveryUnitThatDrawsHasAWidgetWhereItsDesignSays) {
  for (platform::Unit* unit : w.units()) {
    const std::string_view kind = unit->kind();
    QWidget* wd = widget(*unit);
    if (kind == "Timer" || kind == "MediaPlayer" || kind == "MenuItem") {
      EXPECT_EQ(wd, nullptr) << unit->name();
      continue;
    }
    ASSERT_NE(wd, nullptr) << unit->name();
    EXPECT_EQ(wd->geometry(), QRect(unit->left(), unit->top(), unit->width(), unit->height()))
        << unit->name();
    EXPECT_EQ(wd->isVisible(), unit->shown()) << unit->name();
  }
  // Units the program hides or moves follow at once.
  w.标签.setVisible(false);
  w.按钮.setLeft(5);
  EXPECT_FALSE(widget(w.标签)->isVisible());
  EXPECT_EQ(widget(w.按钮)->pos(), QPoint(5, 10));
  w.分组框.setDisabled(true);
  EXPECT_FALSE(widget(w.单选框1)->isEnabled()) << "a disabled holder disables its units";
}

// A window manager keeps a window that cannot be resized at the size the program asks for (GNOME's
// would maximise a window nearly as large as the screen as it maps).
TEST_F(QtBackendTest, OnlyAWindowWithASizingFrameLetsTheWindowManagerResizeIt) {
  QWidget* top = widget(w);
  w.setWidth(700);
  w.setHeight(500);
  const QSize unbounded(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  const struct {
    platform::Border border;
    QSize least, greatest;
  } cases[] = {
      {platform::Border::None, {700, 500}, {700, 500}},
      {platform::Border::Single, {700, 500}, {700, 500}},
      {platform::Border::Resizable, {0, 0}, unbounded},
  };
  for (const auto& c : cases) {
    w.setBorder(c.border);
    EXPECT_EQ(top->minimumSize(), c.least) << static_cast<int>(c.border);
    EXPECT_EQ(top->maximumSize(), c.greatest) << static_cast<int>(c.border);
    EXPECT_EQ(top->size(), QSize(700, 500)) << static_cast<int>(c.border);
  }
  w.setBorder(platform::Border::None);
  w.setHeight(480);
  EXPECT_EQ(top->minimumSize(), QSize(700, 480)) << "the fixed size follows the program's";
  EXPECT_EQ(top->size(), QSize(700, 480));
}

TEST_F(QtBackendTest, ClicksReachTheUnitsAsTheirEvents) {
  driver.click(w.按钮);
  driver.click(w.单选框2);
  driver.click(w.选择框);
  driver.selectRow(w.列表, 2);
  driver.clickItem(w.导航条, 1, 0);
  driver.dragTo(w.滑块, 7);
  driver.releaseLeftButtonOnLine(w.内容框, 1, 3);
  const int clicked = w.内容框.getLineStart(1) + 3;
  EXPECT_THAT(log, ElementsAre("按钮.clicked", "单选框2.clicked", "选择框.clicked:1", "列表.row:2",
                               "导航条.item:1,0", "滑块.position:7",
                               "内容框.up:" + std::to_string(clicked)));
  // The marks drawn are the units' marks.
  EXPECT_FALSE(static_cast<QAbstractButton*>(widget(w.单选框1))->isChecked());
  EXPECT_TRUE(static_cast<QAbstractButton*>(widget(w.单选框2))->isChecked());
}

TEST_F(QtBackendTest, TheKeyboardMovesTheListSelection) {
  driver.selectRow(w.列表, 0);
  QTest::keyClick(widget(w.列表), Qt::Key_Down);
  EXPECT_THAT(log, ElementsAre("列表.row:0", "列表.row:1"));
  EXPECT_EQ(w.列表.selectedRow(), 1);
}

TEST_F(QtBackendTest, AClickBelowTheLastLineLandsOnTheLastLine) {
  w.内容框.setContent("一行目\r\n二行目");
  QWidget* box = widget(w.内容框);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, box->height() - 8));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(w.内容框.getCaretLine(), 1);
}

TEST_F(QtBackendTest, AnImageButtonShowsItsMouseOverPictureUnderThePointer) {
  const QPoint middle(45, 12);
  EXPECT_EQ(pixel(w.按钮, middle), QColor(64, 120, 180));
  QEnterEvent enter{QPointF(middle), QPointF(middle), QPointF(middle)};
  QApplication::sendEvent(widget(w.按钮), &enter);
  EXPECT_EQ(pixel(w.按钮, middle), QColor(240, 160, 40));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(widget(w.按钮), &leave);
  EXPECT_EQ(pixel(w.按钮, middle), QColor(64, 120, 180));
  EXPECT_EQ(widget(w.按钮)->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(widget(w.按钮)->toolTip(), "播放");
}

TEST_F(QtBackendTest, AProgressBarAboveItsMaximumShowsFull) {
  const QPoint nearEnd(w.进度条.width() - 3, 6);
  EXPECT_NE(pixel(w.进度条, nearEnd), QColor(64, 140, 214)) << "40 of 100 is not full";
  w.进度条.setPosition(250);
  EXPECT_EQ(pixel(w.进度条, nearEnd), QColor(64, 140, 214));
}

TEST_F(QtBackendTest, APictureStripBarCutsItsFillPictureAtThePlayedFraction) {
  const QColor track(200, 220, 230);
  const QColor fill(30, 110, 60);
  const int width = w.进度条.width();
  w.进度条.setTrackPicture(showcase::png(width, 12, track));
  w.进度条.setFillPicture(showcase::png(width, 12, fill));
  const struct {
    int position;
    int filledPixels;  // of the bar's width, from the left
  } cases[] = {{0, 0}, {25, width / 4}, {50, width / 2}, {100, width}, {250, width}};
  for (const auto& c : cases) {
    SCOPED_TRACE("position " + std::to_string(c.position));
    w.进度条.setPosition(c.position);
    driver.qt().processEvents();
    const QImage image = widget(w.进度条)->grab().toImage();
    for (int x = 0; x < width; ++x) {
      // The column at the cut may be either.
      if (x == c.filledPixels || x + 1 == c.filledPixels) continue;
      ASSERT_EQ(image.pixelColor(x, 6), x < c.filledPixels ? fill : track) << "x " << x;
      ASSERT_EQ(image.pixelColor(x, 0), image.pixelColor(x, 6)) << "x " << x << " has a frame";
    }
  }
  // Without pictures the bar is drawn plain again.
  w.进度条.setTrackPicture({});
  w.进度条.setFillPicture({});
  EXPECT_EQ(pixel(w.进度条, {width - 3, 6}), QColor(64, 140, 214));
}

TEST_F(QtBackendTest, UnitsFillWithTheirBackgroundColourOrShowWhatLiesBehind) {
  const QColor picture(169, 213, 226);
  const platform::Color ground = platform::rgb(0xe0, 0xf1, 0xf9);
  const auto rightOfCaption = [](const QWidget& box) {
    return QPoint(box.width() - 2, box.height() / 2);
  };
  // Where the frame line would run, in the gap the caption leaves.
  const auto besideCaption = [](const QWidget& box) {
    return QPoint(9, QFontMetrics(box.font()).height() / 2);
  };
  const struct {
    platform::Unit& unit;
    platform::Color background;
    std::function<QPoint(const QWidget&)> where;
  } cases[] = {
      {w.选择框, platform::kDefaultColor, rightOfCaption},
      {w.选择框, ground, rightOfCaption},
      {w.单选框2, ground, rightOfCaption},
      {w.分组框, platform::kDefaultColor, besideCaption},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit.name());
    c.unit.setBackgroundColor(c.background);
    QWidget* box = widget(c.unit);
    // Seen in the window, as a user sees it.
    const QPoint at = box->mapTo(widget(w), c.where(*box));
    const QColor expected = platform::qt::toQColor(c.background, picture);
    EXPECT_EQ(pixel(w, at).name().toStdString(), expected.name().toStdString());
  }
}

TEST_F(QtBackendTest, AnEmptyPictureClearsThePictureBox) {
  const QPoint at(300, 510);
  EXPECT_EQ(pixel(w.背景, at), QColor(169, 213, 226));
  w.背景.setPicture({});
  EXPECT_NE(pixel(w.背景, at), QColor(169, 213, 226));
}

// Three overlapping pictures, the middle one hidden at the start with units of its own, and a
// text box before and after them.
class LayersWindow : public platform::Window {
 public:
  LayersWindow(platform::Runtime& rt) : Window(rt, "layersWindow", {0, 0, 300, 200}) {
    上.setPicture(showcase::png(100, 100, Qt::red));
    中.setPicture(showcase::png(100, 100, Qt::yellow));
    下.setPicture(showcase::png(100, 100, Qt::blue));
    中.setVisible(false);
  }
  platform::EditBox 前框{*this, "前框", {0, 150, 80, 20}};
  platform::PictureBox 上{*this, "上", {0, 0, 100, 100}};
  platform::PictureBox 中{*this, "中", {50, 0, 100, 100}};
  platform::Label 中标签{中, "中标签", {10, 10, 80, 20}};
  platform::EditBox 中框{中, "中框", {10, 60, 80, 20}};
  platform::ListView 中列表{中, "中列表", {10, 30, 80, 20}};
  platform::PictureBox 下{*this, "下", {100, 0, 100, 100}};
  platform::EditBox 后框{*this, "后框", {100, 150, 80, 20}};
};

class LayersTest : public ::testing::Test {
 protected:
  LayersTest() : rt(driver.backend(), folder.path()), w(rt.start<LayersWindow>()) {}
  QWidget& window() { return *driver.qt().widgetOf(w); }
  QColor pixel(int x, int y) {
    driver.qt().processEvents();
    return window().grab().toImage().pixelColor(x, y);
  }
  // Text boxes only: asking for a unit's widget would make it.
  int textBoxes() { return static_cast<int>(window().findChildren<QLineEdit*>().size()); }

  test_support::ProgramFolder folder;
  QtDriver driver;
  platform::Runtime rt;
  LayersWindow& w;
};

TEST_F(LayersTest, AHiddenHolderGetsItsWidgetsWhenItShowsWithWhatWasWrittenMeanwhile) {
  EXPECT_EQ(textBoxes(), 2) << "the hidden holder's text box has no widget yet";
  EXPECT_EQ(pixel(120, 50), QColor(Qt::blue));
  w.中.setPicture(showcase::png(100, 100, Qt::green));
  w.中框.setContent("やあ");
  w.中标签.setCaption("中");
  w.中.setVisible(true);
  EXPECT_EQ(textBoxes(), 3);
  // The earlier unit lies above the later one, also for a widget made later.
  EXPECT_EQ(pixel(75, 50), QColor(Qt::red));
  EXPECT_EQ(pixel(120, 50), QColor(Qt::green));
  EXPECT_EQ(pixel(175, 50), QColor(Qt::blue));
  auto* box = qobject_cast<QLineEdit*>(driver.qt().widgetOf(w.中框));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->text(), "やあ");
  EXPECT_EQ(driver.qt().widgetOf(w.中)->geometry(), QRect(50, 0, 100, 100));
  // Hidden again and shown again: the same widgets.
  w.中.setVisible(false);
  EXPECT_FALSE(box->isVisible());
  w.中.setVisible(true);
  EXPECT_EQ(driver.qt().widgetOf(w.中框), box);
}

TEST_F(LayersTest, AWidgetMadeForAHiddenUnitLiesWhereTheFormPutsIt) {
  // A test asks for the hidden unit's widget: it is made, hidden, in its place.
  QWidget* middle = driver.qt().widgetOf(w.中);
  ASSERT_NE(middle, nullptr);
  EXPECT_FALSE(middle->isVisible());
  EXPECT_FALSE(driver.qt().widgetOf(w.中框)->isVisible());
  const QObjectList layers = window().children();
  EXPECT_LT(layers.indexOf(driver.qt().widgetOf(w.下)), layers.indexOf(middle));
  EXPECT_LT(layers.indexOf(middle), layers.indexOf(driver.qt().widgetOf(w.上)));
  w.中.setVisible(true);
  EXPECT_EQ(pixel(120, 50), QColor(Qt::yellow));
}

TEST_F(LayersTest, FocusGivenInsideAHiddenHolderTakesEffectWhenItShows) {
  w.后框.setFocus();
  QWidget* after = driver.qt().widgetOf(w.后框);
  EXPECT_EQ(window().focusWidget(), after);
  w.中框.setFocus();
  EXPECT_EQ(window().focusWidget(), nullptr)
      << "a unit that cannot be seen takes the focus from the others";
  w.中.setVisible(true);
  QWidget* middle = driver.qt().widgetOf(w.中框);
  EXPECT_EQ(window().focusWidget(), middle);
  // Tab goes along the widgets in the order they would have been made in at the start.
  QWidget* list = driver.qt().widgetOf(w.中列表);
  QWidget* before = driver.qt().widgetOf(w.前框);
  const std::vector<QWidget*> takeTab = {after, list, middle, before};
  std::vector<QWidget*> chain;
  for (QWidget* next = window().nextInFocusChain(); next != &window();
       next = next->nextInFocusChain()) {
    if (std::find(takeTab.begin(), takeTab.end(), next) != takeTab.end()) chain.push_back(next);
  }
  EXPECT_EQ(chain, takeTab);
}

TEST_F(LayersTest, AHolderShownAroundAHiddenFocusedUnitLeavesQtsFocusAlone) {
  // As the lesson view does: the focus rests on a box that is never shown.
  w.中框.setVisible(false);
  w.中框.setFocus();
  QWidget* after = driver.qt().widgetOf(w.后框);
  after->setFocus(Qt::ActiveWindowFocusReason);
  w.中.setVisible(true);
  EXPECT_EQ(window().focusWidget(), after);
  EXPECT_TRUE(w.中框.hasFocus());
}

struct BoxSeen {
  bool shown = false;
  QString caption;
  bool hasCancel = false;
};

// Looks at the box that is open, then answers it with a key or a button.
void inspectAndAnswer(BoxSeen& seen, std::function<void(QWidget&)> answer) {
  QTimer::singleShot(0, [&seen, answer] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() != "messageBox" || !top->isVisible()) continue;
      seen = {true, top->windowTitle(), top->findChild<QAbstractButton*>("cancel") != nullptr};
      answer(*top);
      return;
    }
  });
}

TEST_F(QtBackendTest, MessageBoxesHaveTheirButtonsAndEscIsNotOk) {
  BoxSeen seen;
  inspectAndAnswer(seen, [](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_NE(driver.qt().showMessageBox("已经是最后一题", 0, "Sorandel 部件"), 0);
  EXPECT_TRUE(seen.shown);
  EXPECT_FALSE(seen.hasCancel);
  inspectAndAnswer(seen, [](QWidget& box) {
    QTest::mouseClick(box.findChild<QAbstractButton*>("ok"), Qt::LeftButton);
  });
  EXPECT_EQ(driver.qt().showMessageBox("确定要提交吗？", 1, "提示"), 0);
  EXPECT_EQ(seen.caption, "提示");
  EXPECT_TRUE(seen.hasCancel);
  inspectAndAnswer(seen, [](QWidget& box) { box.close(); });
  EXPECT_NE(driver.qt().showMessageBox("确定要提交吗？", 1, "提示"), 0) << "the close box";
}

TEST_F(QtBackendTest, AModalWindowTakesTheInputUntilItsCloseBoxEndsIt) {
  w.按钮.onClicked = [this] {
    rt.open<SmallDialog>();
    log.push_back("open returned");
  };
  driver.whenWindowOpens<SmallDialog>([this](SmallDialog& dialog) {
    QWidget* dialogWidget = widget(dialog);
    EXPECT_EQ(QApplication::activeModalWidget(), dialogWidget);
    // It opens where the model centred it.
    EXPECT_EQ(dialogWidget->geometry(),
              QRect((rt.getScreenWidth() - 200) / 2, (rt.getScreenHeight() - 100) / 2, 200, 100));
    // Qt keeps the mouse away from the window below, as the unit would refuse it.
    QTest::mouseClick(widget(w.单选框2), Qt::LeftButton, {}, QPoint(6, 9));
    EXPECT_FALSE(w.单选框2.checked());
    dialogWidget->close();
  });
  driver.click(w.按钮);
  EXPECT_THAT(log, ElementsAre("open returned"));
  EXPECT_EQ(rt.openWindows().size(), 1u);
}

TEST_F(QtBackendTest, PopupMenusShowLevelsSeparatorsAndCheckMarks) {
  driver.rightClick(w.背景);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  const auto actions = menu->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), "开始朗读");
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_TRUE(actions[2]->isChecked());
  ASSERT_NE(actions[3]->menu(), nullptr);
  EXPECT_EQ(actions[3]->menu()->actions().value(0)->text(), "单词");
  driver.choose(w.词);
  EXPECT_THAT(log, ElementsAre("词.selected"));
  EXPECT_EQ(rt.openPopup(), nullptr);
}

TEST_F(QtBackendTest, AnInputMethodComposesAndItsEnterRaisesNoKeyDown) {
  auto* box = static_cast<platform::qt::RichEditWidget*>(widget(w.输入框));
  box->setFocus();
  QInputMethodEvent compose("にほん", {});
  QApplication::sendEvent(box, &compose);
  EXPECT_EQ(box->preedit(), "にほん");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_THAT(log, IsEmpty()) << "the Enter that confirms belongs to the input method";
  QInputMethodEvent commit;
  commit.setCommitString("日本");
  QApplication::sendEvent(box, &commit);
  EXPECT_EQ(w.输入框.content(), "日本");
  EXPECT_TRUE(box->preedit().isEmpty());
  // The confirming Enter's release follows the commit; only a press is a key down.
  QTest::keyRelease(box, Qt::Key_Return);
  EXPECT_THAT(log, ElementsAre("输入框.key:229", "输入框.changed"))
      << "the confirmed text goes in once, as one change";
  log.clear();
  QTest::keyClick(box, Qt::Key_Return);
  QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_THAT(log,
              ElementsAre("输入框.key:13", "输入框.changed", "输入框.key:13", "输入框.changed",
                          "输入框.key:13", "输入框.changed", "输入框.key:13", "输入框.changed"));
}

// The input method marks the segment it converts; the text after the caret, with its own
// format, moves past the composition.
TEST_F(QtBackendTest, ACompositionShowsTheInputMethodsFormatsInsideTheText) {
  auto* box = static_cast<platform::qt::RichEditWidget*>(widget(w.输入框));
  w.输入框.setContent("甲乙");
  w.输入框.setSelectionStart(1);
  w.输入框.setSelectionLength(1);
  w.输入框.applyCharFormat({"宋体", 13, 0, 0, platform::rgb(0, 0, 255)});
  w.输入框.setSelectionStart(1);
  box->setFocus();
  QTextCharFormat converting;
  converting.setBackground(QColor(255, 0, 0));
  QInputMethodEvent compose("にほん", {{QInputMethodEvent::TextFormat, 0, 2, converting}});
  QApplication::sendEvent(box, &compose);
  driver.qt().processEvents();
  const QImage image = box->grab().toImage();
  int redRight = -1, blueLeft = image.width();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 60 && c.blue() < 60) redRight = std::max(redRight, x);
      if (c.blue() > 150 && c.red() < 80 && c.green() < 80) blueLeft = std::min(blueLeft, x);
    }
  }
  EXPECT_GE(redRight, 0) << "the converting segment is marked";
  EXPECT_GT(blueLeft, redRight) << "乙 is drawn after the composition";
  EXPECT_LT(blueLeft, image.width()) << "乙 keeps its colour";
}

TEST_F(QtBackendTest, PasteCopyAndCutUseTheSystemClipboard) {
  QGuiApplication::clipboard()->setText("貼り付け");
  QWidget* box = widget(w.输入框);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.输入框.content(), "貼り付け");
  EXPECT_THAT(log, Contains("输入框.changed"));
  QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "け");
  QTest::keyClick(box, Qt::Key_Left);
  QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "貼り付");
  EXPECT_EQ(w.输入框.content(), "け");
}

TEST_F(QtBackendTest, AShiftClickExtendsTheSelectionThatShows) {
  auto* box = static_cast<platform::qt::RichEditWidget*>(widget(w.输入框));
  w.输入框.setContent("おはようございます");
  driver.qt().processEvents();
  QTest::mouseClick(box, Qt::LeftButton, {}, pointOfPosition(*box, w.输入框, 2));
  EXPECT_EQ(highlightedPixels(*box), 0);
  QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, pointOfPosition(*box, w.输入框, 6));
  EXPECT_EQ(w.输入框.selectionStart(), 2);
  EXPECT_EQ(w.输入框.selectionLength(), 4);
  EXPECT_GT(highlightedPixels(*box), 100);
}

TEST_F(QtBackendTest, ARichEditBoxShowsItsSelectionOnlyWhileTheModelGivesItTheFocus) {
  // As the lesson view does: the clicked sentence is underlined and left selected, and the
  // focus goes to a hidden box.
  w.内容框.onLeftButtonUp = [this](platform::MouseEvent) {
    w.内容框.setSelectionStart(w.内容框.getLineStart(w.内容框.getCaretLine()) + 9);
    w.内容框.setSelectionLength(7);
    w.内容框.applyCharFormat({"仿宋", 13, 0, 4, platform::rgb(0, 0, 0)});
    w.焦点框.setFocus();
  };
  ASSERT_TRUE(driver.releaseLeftButtonOnLine(w.内容框, 0, 3));
  QWidget& box = *widget(w.内容框);
  driver.qt().processEvents();
  ASSERT_EQ(w.内容框.selectionLength(), 7);
  EXPECT_TRUE(w.焦点框.hasFocus());
  EXPECT_EQ(highlightedPixels(box), 0) << "the underlined sentence shows, not a selection";
  // Qt handing its focus to the box by itself (the window activated again) moves no model
  // focus, and the box still shows no selection.
  box.setFocus(Qt::ActiveWindowFocusReason);
  ASSERT_TRUE(box.hasFocus());
  EXPECT_TRUE(w.焦点框.hasFocus());
  EXPECT_EQ(highlightedPixels(box), 0);
  // The program gives the box the focus: the selection shows over the sentence.
  w.内容框.setFocus();
  EXPECT_GT(highlightedPixels(box), 100);
}

TEST_F(QtBackendTest, TheModelsLinesFitTheBoxAsDrawn) {
  std::string text;
  for (int i = 0; i < 12; ++i)
    text += "はい、元気です。ありがとうございます。Thank you very much. ";
  w.内容框.setContent(text);
  const QFontMetricsF metrics(platform::qt::toQFont(w.内容框.font()));
  const auto& starts = w.内容框.lineStarts();
  ASSERT_GT(starts.size(), 3u);
  const std::u32string& chars = w.内容框.text();
  for (std::size_t l = 0; l + 1 < starts.size(); ++l) {
    const auto line = std::u32string_view(chars).substr(starts[l], starts[l + 1] - starts[l]);
    QString drawn = QString::fromUcs4(line.data(), static_cast<qsizetype>(line.size()));
    while (drawn.endsWith(' ')) drawn.chop(1);
    EXPECT_LE(metrics.horizontalAdvance(drawn), w.内容框.layoutWidth() + 0.5) << "line " << l;
  }
  // The vertical scroll bar shows for a text longer than the box.
  driver.qt().processEvents();
  auto* bar = widget(w.内容框)->findChild<QWidget*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
}

TEST_F(QtBackendTest, TheWheelAndTheTouchpadScrollALongText) {
  auto* box = static_cast<platform::qt::RichEditWidget*>(widget(w.内容框));
  driver.qt().processEvents();
  const int line = box->lineHeight();
  const struct {
    const char* label;
    QPoint pixels;
    QPoint angle;
    int scrolled;
  } cases[] = {
      {"a notch", {}, {0, -120}, 3 * line},
      {"a third of a notch", {}, {0, -40}, line},
      {"a touchpad", {0, -10}, {0, -30}, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    box->findChild<QScrollBar*>()->setValue(0);
    const QPointF at(box->rect().center());
    QWheelEvent wheel(at, box->mapToGlobal(at), c.pixels, c.angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(box->scrollOffset(), c.scrolled);
  }
}

// As the lesson view rebuilds its text after reading along to the end: emptied, then appended
// piece by piece.
TEST_F(QtBackendTest, ATextWrittenAnewIsSeenFromItsTop) {
  auto* box = static_cast<platform::qt::RichEditWidget*>(widget(w.内容框));
  w.内容框.setSelectionStart(w.内容框.characterCount() - 12);
  w.内容框.setSelectionLength(3);
  driver.qt().processEvents();
  ASSERT_GT(box->scrollOffset(), 0) << "a selected sentence is scrolled into view";
  w.内容框.setContent("");
  w.fillText();
  driver.qt().processEvents();
  EXPECT_EQ(box->scrollOffset(), 0);
}

TEST_F(QtBackendTest, AScreenshotIsTheWindowAsDrawn) {
  const std::string file = folder.path() + "/shot.png";
  ASSERT_TRUE(driver.qt().saveScreenshot(w, file));
  const QImage shot(QString::fromStdString(file));
  EXPECT_EQ(shot.size(), QSize(720, 520));
  EXPECT_EQ(shot.pixelColor(w.标签.left() + w.标签.width() - 4, w.标签.top() + w.标签.height() - 4),
            QColor(0xff, 0xfe, 0xef));
}

TEST(QtFonts, TheFormsFontNamesDrawChineseAndJapanese) {
  ensureQtApplication();
  EXPECT_EQ(platform::qt::familiesFor("楷体_GB2312").value(0), "AR PL UKai CN");
  EXPECT_EQ(platform::qt::familiesFor("宋体").value(0), "Noto Serif CJK SC");
  for (const char* name : {"宋体", "新宋体", "仿宋", "楷体_GB2312", "Tahoma"}) {
    const QFont font = platform::qt::toQFont(platform::Font{name, 13});
    EXPECT_EQ(font.pixelSize(), 17) << "13 pt at 96 dpi";
    bool drawsKana = false;
    bool drawsHanzi = false;
    for (const QString& family : font.families()) {
      const QFont face(family);
      drawsKana = drawsKana || QFontMetrics(face).inFontUcs4(U'あ');
      drawsHanzi = drawsHanzi || QFontMetrics(face).inFontUcs4(U'语');
    }
    EXPECT_TRUE(drawsKana && drawsHanzi) << name;
    EXPECT_TRUE(QFontDatabase::hasFamily(font.families().value(0))) << name;
  }
}

// The measurer takes most characters' advances without shaping them; every kind of character
// must still measure as the shaped one-character text does.
TEST(QtFonts, TheMeasurerMeasuresEachCharacterAsShaped) {
  ensureQtApplication();
  const platform::qt::QtMeasurer measurer;
  const std::u32string characters = U"Aa1 [:あアー。、：（）」図様隣语文　\u3099\u200b\t\U00020B9F";
  for (const platform::Font& font :
       {platform::Font::pixels("仿宋", 16), platform::Font::pixels("楷体_GB2312", 20),
        platform::Font{"宋体", 9, true}, platform::Font::pixels("新宋体", 14)}) {
    const QFontMetricsF shaped(platform::qt::toQFont(font));
    for (const char32_t c : characters) {
      EXPECT_EQ(measurer.advance(c, font), shaped.horizontalAdvance(QString::fromUcs4(&c, 1)))
          << font.name << " U+" << std::hex << static_cast<std::uint32_t>(c);
    }
  }
}

struct WavCase {
  const char* label;
  platform::Bytes bytes;
  int rate;
  int channels;
  std::vector<std::int16_t> samples;  // empty when the bytes are refused
};

platform::Bytes riff(int format, int channels, int rate, int bits, platform::Bytes data) {
  platform::Bytes b{'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                    'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
  auto put = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put(format, 2);
  put(channels, 2);
  put(rate, 4);
  put(rate * channels * bits / 8, 4);
  put(channels * bits / 8, 2);
  put(bits, 2);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  put(static_cast<std::uint32_t>(data.size()), 4);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

TEST(WavSound, DecodesPcmAndRefusesTheRest) {
  const WavCase cases[] = {
      {"16-bit mono", riff(1, 1, 11025, 16, {0x10, 0x00, 0xF0, 0xFF}), 11025, 1, {16, -16}},
      {"8-bit stereo is unsigned", riff(1, 2, 8000, 8, {0x80, 0xFF}), 8000, 2, {0, 127 << 8}},
      {"a torn last frame is dropped", riff(1, 2, 22050, 16, {1, 0, 2, 0, 3}), 22050, 2, {1, 2}},
      {"compressed samples", riff(2, 1, 11025, 4, {1, 2, 3, 4}), 0, 0, {}},
      {"not a wave file", {'R', 'I', 'F', 'F'}, 0, 0, {}},
      {"nothing", {}, 0, 0, {}},
  };
  for (const WavCase& c : cases) {
    auto source = platform::qt::decodeWav(c.bytes);
    if (c.samples.empty()) {
      EXPECT_EQ(source, nullptr) << c.label;
      continue;
    }
    ASSERT_NE(source, nullptr) << c.label;
    EXPECT_EQ(source->format().sampleRate, c.rate) << c.label;
    EXPECT_EQ(source->format().channels, c.channels) << c.label;
    std::vector<std::int16_t> out(16);
    const std::size_t frames = source->read(out.data(), 8);
    out.resize(frames * static_cast<std::size_t>(c.channels));
    EXPECT_EQ(out, c.samples) << c.label;
  }
}

TEST(QtAudio, WithoutADeviceARecordingFollowsTheClockAndStopsAtOnce) {
  std::int64_t now = 0;
  platform::qt::QtAudioOutput out([&] { return now; }, /*silent=*/true);
  EXPECT_FALSE(out.hasDevice());
  auto stream = out.play(platform::qt::decodeWav(showcase::wav(1000)), 1000);
  now = 400;
  EXPECT_EQ(stream->playedMs(), 400);
  EXPECT_FALSE(stream->finished());
  now = 1000;
  EXPECT_TRUE(stream->finished());
  auto second = out.play(platform::qt::decodeWav(showcase::wav(1000)), 1000);
  now = 1200;
  second->stop();
  EXPECT_TRUE(second->finished());
}

}  // namespace
