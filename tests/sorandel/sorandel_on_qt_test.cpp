#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QInputMethodEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>
#include <QWidget>

#include "content/content_folders.h"
#include "content/settings_file.h"
#include "course_window/course_select_window.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"
#include "sorandel/results_window.h"
#include "tests/qt/qt_driver.h"
#include "tests/sorandel/sorandel_fixture.h"

namespace {

using ::testing::ElementsAre;

// Sorandel's main window on the Qt backend, on an offscreen screen of 1366 x 768, driven by Qt
// mouse events as a learner would.
class SorandelOnQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The offscreen platform's own screen is smaller than the window's skin.
    const std::string platform =
        "offscreen:configfile=" + std::string(SORANDEL_FIXTURES) + "/screen_1366x768.json";
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
  }

  SorandelOnQt() {
    addLesson1(folder);
    initGlobals(state);
  }

  std::vector<std::string> recordingFiles(platform::MediaEvent event) {
    std::vector<std::string> files;
    for (const auto& r : driver.recordings()) {
      if (r.event == event) files.push_back(r.file);
    }
    return files;
  }

  test_support::ProgramFolder folder;
  QtDriver driver;
  platform::Runtime rt{driver.backend(), folder.path()};
  SorandelState state;
};

TEST_F(SorandelOnQt, AClickOnAJapaneseLineUnderlinesItsSentenceAndPlaysItsRecording) {
  MainWindow& w = rt.start<MainWindow>(state);
  ASSERT_EQ(rt.getScreenWidth(), 1366);
  EXPECT_EQ(driver.qt().widgetOf(w)->geometry(), QRect(0, 0, 1366, 738));
  // Line 3 is the Japanese line of the second item ("[1S02]日文：ただいま。").
  ASSERT_TRUE(driver.releaseLeftButtonOnLine(w.全文学习内容框, 3, 4));
  EXPECT_THAT(underlinedRuns(w.全文学习内容框), ElementsAre("ただいま。"));
  const std::string recording =
      content::ContentFolders::path(folder.path(), content::ContentFolders::recording("s02"));
  EXPECT_THAT(recordingFiles(platform::MediaEvent::Opened), ElementsAre(recording));
  EXPECT_THAT(recordingFiles(platform::MediaEvent::Played), ElementsAre(recording));
  EXPECT_GT(w.媒体播放1.getLength(), 600);
  EXPECT_EQ(w.播放进度条.maximum(), w.媒体播放1.getLength());
  EXPECT_TRUE(w.焦点停留框.hasFocus());
  EXPECT_EQ(highlightedPixels(*driver.qt().widgetOf(w.全文学习内容框)), 0)
      << "the learner sees the underline, not a selection over it";

  driver.advance(160);
  EXPECT_EQ(w.播放进度条.position(), 160) << "the bar follows the recording";
  const std::string shot = SORANDEL_SCREENSHOT;
  ASSERT_TRUE(driver.qt().saveScreenshot(w, shot));
  EXPECT_EQ(QImage(QString::fromStdString(shot)).size(), QSize(1366, 738));

  driver.advance(1000);
  EXPECT_FALSE(w.播放进度时钟.running());
  EXPECT_EQ(w.播放进度条.position(), w.播放进度条.minimum());
}

// While the input method composes, the keys are its own: the Enter that confirms a conversion
// checks nothing, and the learner's next Enter checks.
TEST_F(SorandelOnQt, TheEnterThatConfirmsAConversionChecksNothing) {
  folder.putFile(content::ContentFolders::rightMarkPicture, "JPEG right");
  MainWindow& w = rt.start<MainWindow>(state);
  ASSERT_TRUE(driver.clickItem(w.主菜单, 0, 1));
  QWidget* box = driver.qt().widgetOf(w.逐句跟读输入框);
  ASSERT_NE(box, nullptr);
  QInputMethodEvent compose("おはよう", {});
  QApplication::sendEvent(box, &compose);
  QTest::keyClick(box, Qt::Key_Return);
  QInputMethodEvent commit;
  commit.setCommitString("おはよう。");
  QApplication::sendEvent(box, &commit);
  QTest::keyRelease(box, Qt::Key_Return);
  EXPECT_EQ(w.逐句跟读输入框.content(), "おはよう。");
  EXPECT_FALSE(w.输入正确错误图片框.visible());
  EXPECT_FALSE(w.逐句跟读自动下一题时钟.running());
  const std::string typing =
      content::ContentFolders::path(folder.path(), content::ContentFolders::rightAnswerSound);
  int typingSounds = 0;
  for (const auto& s : driver.soundsPlayed()) typingSounds += s.file == typing ? 1 : 0;
  EXPECT_EQ(typingSounds, 1) << "the confirmed text is one change";

  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_TRUE(w.输入正确错误图片框.visible());
  EXPECT_EQ(
      std::string(w.输入正确错误图片框.picture().begin(), w.输入正确错误图片框.picture().end()),
      "JPEG right");
  driver.advance(500);
  EXPECT_EQ(w.逐句跟读进度标签.caption(), "当前跟读进度：2/3");
  EXPECT_EQ(w.逐句跟读输入框.content(), "");
  EXPECT_TRUE(w.逐句跟读输入框.hasFocus());
}

TEST_F(SorandelOnQt, TheCourseButtonOpensTheCentredWindowWhereARowAndOkChangeTheCourse) {
  folder.addCourse("Lesson2  商店购物", "Lesson2")
      .addCourse("Lesson3  问路", "Lesson3")
      .addItem("Lesson2基本课文", "2S01", "いくらですか。", "多少钱？", "l2s01");
  MainWindow& w = rt.start<MainWindow>(state);
  driver.whenWindowOpens<CourseSelectWindow>([&](CourseSelectWindow& dialog) {
    QWidget* widget = driver.qt().widgetOf(dialog);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), QRect((1366 - 350) / 2, (768 - 467) / 2, 350, 467));
    ASSERT_EQ(dialog.课程列表框.getRowCount(), 3);
    EXPECT_TRUE(driver.qt().widgetOf(dialog.课程标签)->isVisible());
    EXPECT_TRUE(driver.qt().widgetOf(dialog.取消按钮)->isVisible());
    // The keyboard moves the selection as a click does.
    ASSERT_TRUE(driver.selectRow(dialog.课程列表框, 2));
    ASSERT_TRUE(driver.pressKey(dialog.课程列表框, 38));  // Up
    EXPECT_EQ(dialog.课程列表框.selectedRow(), 1);
    EXPECT_EQ(dialog.课程标签.caption(), "Lesson2  商店购物");
    EXPECT_EQ(dialog.kb标签.caption(), "Lesson2");
    ASSERT_TRUE(driver.qt().saveScreenshot(dialog, SORANDEL_COURSE_SCREENSHOT));
    driver.click(dialog.确定按钮);
  });
  ASSERT_TRUE(driver.click(w.课程选择按钮));
  EXPECT_EQ(w.课程显示标签.caption(), "Lesson2  商店购物");
  EXPECT_EQ(content::SettingsFile::read(folder.path(), content::SettingsFile::courseKey),
            "Lesson2");
  EXPECT_EQ(splitLines(w.全文学习内容框.content()).front(), "[2S01]日文：いくらですか。");
  EXPECT_EQ(rt.openWindows().size(), 1u);
}

// The first column, from the left, of the rectangle's pixels that are darker than its ground
// (the leftmost pixel), or -1 when none is.
int firstInkColumn(QWidget& widget, const QRect& place) {
  const QImage image = widget.grab(place).toImage();
  const int ground = qGray(image.pixel(0, 0));
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (qGray(image.pixel(x, y)) < ground - 96) return place.left() + x;
  return -1;
}

int darkPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
  return n;
}

// The skin paints the headings from one pixel inside the list, 242, 160, 160 and 45 px wide: a
// scroll bar must narrow the last column only.
void expectColumnsUnderTheirHeadings(QTreeView& list) {
  const QWidget& window = *list.window();
  const auto atWindow = [&](int viewportX) {
    return list.viewport()->mapTo(&window, QPoint(viewportX, 0)).x();
  };
  EXPECT_EQ(list.mapTo(&window, QPoint(0, 0)).x(), 16);
  int headingLeft = 17;
  const int widths[] = {242, 160, 160, 45};
  for (int column = 0; column < 4; ++column) {
    SCOPED_TRACE(testing::Message() << "column " << column);
    EXPECT_EQ(atWindow(list.header()->sectionViewportPosition(column)), headingLeft);
    headingLeft += widths[column];
  }
  EXPECT_EQ(atWindow(list.header()->sectionViewportPosition(3) + list.header()->sectionSize(3)),
            atWindow(list.viewport()->width()))
      << "the last column ends at the scroll bar";
}

// The cell's text as drawn has about the ink of the text drawn whole in the list's font (an
// ellipsis has much less).
void expectCellShowsWhole(QTreeView& list, int row, int column, const char* text) {
  const QRect cell = list.visualRect(list.model()->index(row, column));
  const int drawn = darkPixels(list.viewport()->grab(cell).toImage());
  QImage whole(200, cell.height(), QImage::Format_RGB32);
  whole.fill(Qt::white);
  QPainter painter(&whole);
  painter.setFont(list.font());
  painter.drawText(whole.rect(), Qt::AlignCenter, QString::fromUtf8(text));
  painter.end();
  EXPECT_GT(drawn, darkPixels(whole) * 3 / 4)
      << text << " is cut short in a cell " << cell.width() << " px wide";
}

// Until the first start the submit button lies beneath the start button; an answer clicked
// on the Qt backend lands in the database and the results window lists it, marked.
TEST_F(SorandelOnQt, APracticeAnsweredWithTheMouseEndsOnItsScoreSheet) {
  for (int i = 1; i <= 20; ++i) {
    std::string key = "Q";
    key += std::to_string(i);
    folder.addQuestion({.id = "Lesson1中选日句子",
                        .biaoshi = key,
                        .timu = "题" + key + std::string(40, '-'),
                        .a = key + "A",
                        .b = key + "B",
                        .c = key + "C",
                        .d = key + "D",
                        .daan = key + "B",
                        .xuanxiang = "B"});
  }
  MainWindow& w = rt.start<MainWindow>(state);
  ASSERT_TRUE(driver.clickItem(w.主菜单, 0, 3));
  EXPECT_NONFATAL_FAILURE(driver.click(w.交卷按钮), "is covered by");
  ASSERT_TRUE(driver.click(w.开始按钮));
  ASSERT_TRUE(driver.click(w.选项B标签));
  EXPECT_EQ(folder.question("Q1")->nin, "正确");
  EXPECT_TRUE(driver.qt().widgetOf(w.显示正确错误图片框)->isVisible());
  ASSERT_TRUE(driver.click(w.练习下一题按钮));
  ASSERT_TRUE(driver.click(w.选项C标签));
  EXPECT_EQ(folder.question("Q2")->shuru, "Q2C");

  driver.whenWindowOpens<ResultsWindow>([&](ResultsWindow& sheet) {
    EXPECT_EQ(sheet.错题数量显示标签.caption(), "错误：1题");
    auto* list = dynamic_cast<QTreeView*>(driver.qt().widgetOf(sheet.题目列表框));
    ASSERT_NE(list, nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(list->header()->isVisible()) << "the skin paints the headings";
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(list->verticalScrollBar()->isVisible()) << "twenty rows do not fit";
    EXPECT_EQ(list->model()->rowCount(), 20);
    EXPECT_EQ(list->textElideMode(), Qt::ElideRight);
    expectColumnsUnderTheirHeadings(*list);
    QWidget& window = *driver.qt().widgetOf(sheet);
    // The total's label lies over the right count's first 8 px: that text starts beside them.
    const int totalInset = firstInkColumn(window, QRect(24, 40, 88, 16)) - 24;
    EXPECT_NEAR(firstInkColumn(window, QRect(112, 40, 72, 16)) - 120, totalInset, 1);
    expectCellShowsWhole(*list, 5, 3, "未做");
    ASSERT_TRUE(driver.qt().saveScreenshot(sheet, SORANDEL_RESULTS_SCREENSHOT));
    ASSERT_TRUE(driver.click(sheet.取消按钮));
  });
  ASSERT_TRUE(driver.click(w.交卷按钮));
  EXPECT_EQ(rt.openWindows().size(), 1u);
  EXPECT_TRUE(driver.qt().widgetOf(w.开始按钮)->isVisible());
}

}  // namespace
