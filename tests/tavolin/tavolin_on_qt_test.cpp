#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "course_window/course_select_window.h"
#include "tavolin/program.h"
#include "tests/qt/qt_driver.h"
#include "tests/tavolin/tavolin_fixture.h"

namespace {

// Tavolin's bar on the Qt backend (offscreen), driven by Qt mouse events as a user would.
TEST(TavolinOnQt, TheBarStaysOnTopAtTheCornerAndItsMenuWorksAlsoThroughAModalWindow) {
  TavolinRun content;
  content.addCourses();
  QtDriver driver;
  platform::Runtime rt(driver.backend(), content.folder_.path());
  TavolinState state;
  CompactWindow& w = rt.start<CompactWindow>(state);
  QWidget* bar = driver.qt().widgetOf(w);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 629, 80));
  EXPECT_TRUE(bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(bar->windowFlags() & Qt::WindowType_Mask, Qt::Tool) << "no taskbar button";
  EXPECT_EQ(w.日文显示标签.caption(), "おはよう。");

  // The course window opens from the menu and hands control back when it closes.
  driver.whenWindowOpens<CourseSelectWindow>([&](CourseSelectWindow& dialog) {
    EXPECT_EQ(driver.qt().widgetOf(dialog)->windowTitle().toStdString(), "课程选择");
    driver.selectRow(dialog.课程列表框, 1);
    driver.click(dialog.确定按钮);
  });
  ASSERT_TRUE(driver.rightClick(w.日文显示标签));
  ASSERT_TRUE(driver.choose(w.选择课程));
  driver.advance(0);
  EXPECT_EQ(rt.openWindows().size(), 1u);
  EXPECT_EQ(w.日文显示标签.caption(), "いくらですか。");

  ASSERT_TRUE(driver.rightClick(w.Tavolin图片框));
  ASSERT_TRUE(driver.choose(w.总在最前面));
  EXPECT_FALSE(driver.qt().widgetOf(w)->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  ASSERT_TRUE(driver.rightClick(w.Tavolin图片框));
  ASSERT_TRUE(driver.choose(w.仅显示中文));
  EXPECT_FALSE(driver.qt().widgetOf(w.日文显示标签)->isVisible());
  EXPECT_TRUE(driver.qt().widgetOf(w.中文显示标签)->isVisible());
  ASSERT_TRUE(driver.qt().saveScreenshot(w, TAVOLIN_SCREENSHOT));
  EXPECT_EQ(QImage(TAVOLIN_SCREENSHOT).size(), QSize(629, 80));
}

}  // namespace
