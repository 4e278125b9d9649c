#include <gtest/gtest.h>

#include "tests/platform/test_windows.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Timers : public PlatformTest {
 protected:
  EventLog log;
  EventLog ticks;
  FormWindow& w = rt().start<FormWindow>(log);
  void logTicks(platform::Timer& t) {
    t.onTick = [this, &t] { ticks.push_back(t.name() + "@" + std::to_string(rt().now())); };
  }
};

TEST_P(Timers, AnIntervalStartsZeroStopsAndTicksFollowTheClockInOrder) {
  logTicks(w.时钟1);
  logTicks(w.时钟2);
  d().advance(1000);
  EXPECT_THAT(ticks, IsEmpty()) << "designs store no interval";
  w.时钟1.setInterval(80);
  w.时钟2.setInterval(200);
  d().advance(400);
  w.时钟1.setInterval(0);
  d().advance(400);
  EXPECT_THAT(ticks,
              ElementsAre("时钟1@1080", "时钟1@1160", "时钟2@1200", "时钟1@1240", "时钟1@1320",
                          "时钟1@1400", "时钟2@1400", "时钟2@1600", "时钟2@1800"));
}

TEST_P(Timers, AOneShotStoppedByItsOwnTickTicksOnce) {
  w.时钟1.onTick = [this] {
    ticks.push_back("tick@" + std::to_string(rt().now()));
    w.时钟1.setInterval(0);
  };
  w.时钟1.setInterval(500);
  d().advance(300);
  // Writing the interval again restarts the countdown.
  w.时钟1.setInterval(500);
  d().advance(2000);
  EXPECT_THAT(ticks, ElementsAre("tick@800"));
}

TEST_P(Timers, NoTickWhileTheHandlerOfThePreviousTickWaitsInAMessageBox) {
  w.时钟1.onTick = [this] {
    ticks.push_back("时钟1@" + std::to_string(rt().now()));
    rt().showMessageBox("下一题", 0);
    w.时钟1.setInterval(0);
  };
  logTicks(w.时钟2);
  w.时钟1.setInterval(500);
  w.时钟2.setInterval(300);
  // The learner takes 2 s to close the box; 时钟1's handler is waiting in it all that time.
  d().answerNextMessageBox([this](const Driver::MessageBox&) {
    d().advance(2000);
    return 0;
  });
  d().advance(600);
  EXPECT_THAT(ticks, ElementsAre("时钟2@300", "时钟1@500", "时钟2@600", "时钟2@900", "时钟2@1200",
                                 "时钟2@1500", "时钟2@1800", "时钟2@2100", "时钟2@2400"));
  EXPECT_FALSE(w.时钟1.running());
  ASSERT_EQ(d().messageBoxes().size(), 1u);
}

TEST_P(Timers, ARepeatingTimerSkipsTheTicksItsHandlerSpentInABoxAndGoesOnAfter) {
  int boxes = 0;
  w.时钟1.onTick = [this, &boxes] {
    ticks.push_back("时钟1@" + std::to_string(rt().now()));
    if (boxes++ == 0) rt().showMessageBox("wait", 0);
  };
  w.时钟1.setInterval(100);
  d().answerNextMessageBox([this](const Driver::MessageBox&) {
    d().advance(250);
    return 0;
  });
  d().advance(500);
  EXPECT_THAT(ticks, ElementsAre("时钟1@100", "时钟1@400", "时钟1@500"));
}

TEST_P(Timers, NoTickWhileTheHandlerWaitsInAModalWindow) {
  w.时钟1.onTick = [this] {
    ticks.push_back("时钟1@" + std::to_string(rt().now()));
    rt().open<DialogWindow>(log);
  };
  w.时钟1.setInterval(100);
  d().whenWindowOpens<DialogWindow>([this](DialogWindow& dialog) {
    d().advance(1000);
    d().click(dialog.确定按钮);
  });
  d().whenWindowOpens<DialogWindow>([this](DialogWindow& dialog) { d().click(dialog.确定按钮); });
  d().advance(1200);
  EXPECT_THAT(ticks, ElementsAre("时钟1@100", "时钟1@1200"));
}

TEST_P(Timers, ClosingTheWindowStopsItsTimers) {
  logTicks(w.时钟1);
  w.时钟1.setInterval(100);
  w.close();
  d().advance(1000);
  EXPECT_THAT(ticks, IsEmpty());
  EXPECT_FALSE(w.时钟1.running());
}

PLATFORM_TEST_SUITE(Timers);

}  // namespace
