// The basics window on the Qt backend with the real page engine, offscreen: the generated
// pages play, report their frame labels, and the exercises answer clicks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QTest>
#include <QWebEngineView>
#include <filesystem>
#include <functional>
#include <random>

#include "sorandel/basics_window.h"
#include "sorandel/program.h"
#include "tests/qt/engine_wait.h"
#include "tests/qt/qt_driver.h"
#include "tests/support/program_folder.h"

namespace {

// Long enough for the player to have given up on a damaged page many times over.
constexpr int kSettleMs = 5000;

class BasicsOnQt : public ::testing::Test {
 protected:
  BasicsOnQt() {
    initGlobals(state);
    std::filesystem::copy(SORANDEL_PAGES_DIR, std::filesystem::path(folder.path()) / "flash");
  }

  void setTopic(const std::string& topic) {
    folder.writeSettings("[入门基础]\r\n当前选项=" + topic + "\r\n");
  }

  // Opens the basics window, runs `act` in it, then closes it with its close button.
  void open(const std::function<void(BasicsWindow&)>& act) {
    driver.whenWindowOpens<BasicsWindow>([&](BasicsWindow& w) {
      driver.qt().processEvents();
      act(w);
      if (w.isOpen()) {
        EXPECT_TRUE(driver.click(w.退出软件按钮));
      }
    });
    rt.open<BasicsWindow>(state);
  }

  QWebEngineView* engineView(BasicsWindow& w) {
    return driver.qt().widgetOf(w.swf播放器)->findChild<QWebEngineView*>();
  }

  // The labels the playing movie has reported since it was loaded.
  QStringList labels(QWebEngineView& view) {
    return evaluateInPage(view, QStringLiteral("window.frameLabels || []")).toStringList();
  }

  bool reaches(BasicsWindow& w, const QString& label) {
    return runEngineUntil([&] {
      QWebEngineView* view = engineView(w);
      return view != nullptr && labels(*view).contains(label);
    });
  }

  // A learner's click at a point of the page.
  void clickPage(BasicsWindow& w, QPoint at) {
    QWidget* input = engineView(w)->focusProxy();
    QTest::mouseMove(input, at);
    QTest::qWait(60);
    QTest::mousePress(input, Qt::LeftButton, {}, at);
    QTest::qWait(60);
    QTest::mouseRelease(input, Qt::LeftButton, {}, at);
  }

  // Pixels close to `colour` in a part of the page as it is drawn now.
  int pixelsLike(BasicsWindow& w, QRect part, QColor colour) {
    const QImage image = engineView(w)->grab().toImage();
    int n = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
      for (int x = part.left(); x <= part.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) <
                     40
                 ? 1
                 : 0;
      }
    }
    return n;
  }

  bool shows(BasicsWindow& w, QRect part, QColor colour) {
    return runEngineUntil([&] { return pixelsLike(w, part, colour) > 200; });
  }

  // The page shows nothing but white for the whole time a player takes to give up on a movie
  // (about a second).
  bool staysWhite(BasicsWindow& w) {
    const QRect page(0, 0, 825, 600);
    return !runEngineUntil(
        [&] { return pixelsLike(w, page, Qt::white) < page.width() * page.height(); }, kSettleMs);
  }

  test_support::ProgramFolder folder;
  QtDriver driver;
  platform::Runtime rt{driver.backend(), folder.path()};
  SorandelState state;
};

TEST_F(BasicsOnQt, NothingToPlayLoadsNoEngine) {
  setTopic("no such topic");
  open([&](BasicsWindow& w) {
    EXPECT_EQ(w.swf播放器.address(), folder.path());
    EXPECT_EQ(engineView(w), nullptr);
  });
}

TEST_F(BasicsOnQt, EscInAPlayingPageClosesTheWindow) {
  setTopic("声调与语调");
  open([&](BasicsWindow& w) {
    ASSERT_TRUE(reaches(w, "start"));
    QTest::keyClick(engineView(w)->focusProxy(), Qt::Key_Escape);
    EXPECT_TRUE(w.isClosed());
  });
}

// Every radio button plays its own page: the page starts and goes on to its first step.
TEST_F(BasicsOnQt, EveryPageStartsAndReachesItsFirstStep) {
  for (const char* topic :
       {"日语的发音", "日语文字与书写", "声调与语调", "要注意的发音", "入门基础练习"}) {
    SCOPED_TRACE(topic);
    setTopic(topic);
    open([&](BasicsWindow& w) {
      EXPECT_TRUE(reaches(w, "step1")) << "the first page";
      for (platform::Unit* strip : w.图片框1.children()) {
        if (strip->kind() != "PictureBox" || !strip->shown()) continue;
        for (platform::Unit* radio : strip->children()) {
          SCOPED_TRACE(radio->name());
          if (static_cast<platform::RadioButton*>(radio)->checked()) continue;
          ASSERT_TRUE(driver.click(*radio));
          EXPECT_TRUE(reaches(w, "start"));
          EXPECT_TRUE(reaches(w, "step1"));
        }
      }
    });
  }
}

// A damaged page shows the empty white page, and the intact page chosen next plays as always.
TEST_F(BasicsOnQt, ADamagedPageLeavesThePageWhiteAndTheNextOnePlays) {
  std::string damaged(20000, '\0');
  std::mt19937 random(24);
  for (char& c : damaged) c = static_cast<char>(random());
  folder.putFile("\\flash\\kandu.swf", damaged);
  setTopic("入门基础练习");
  open([&](BasicsWindow& w) {
    ASSERT_NE(engineView(w), nullptr);
    EXPECT_TRUE(staysWhite(w));
    ASSERT_TRUE(driver.click(w.听选单选框));
    ASSERT_TRUE(reaches(w, "q1-wait"));
    EXPECT_TRUE(shows(w, QRect(200, 4, 300, 40), QColor(0x18, 0x7d, 0xb1)))
        << "its title bar, with nothing over it";
  });
}

TEST_F(BasicsOnQt, ListenAndChooseAnswersAWrongAndARightClick) {
  setTopic("入门基础练习");
  open([&](BasicsWindow& w) {
    ASSERT_TRUE(driver.click(w.听选单选框));
    ASSERT_TRUE(reaches(w, "q1-wait"));
    // Four options in a row; the first (か) is right.
    const QRect mark(364, 126, 96, 96);
    clickPage(w, {330, 301});
    EXPECT_TRUE(reaches(w, "q1-wrong"));
    EXPECT_TRUE(shows(w, mark, QColor(0xd2, 0x3c, 0x2a))) << "a red cross";
    EXPECT_TRUE(runEngineUntil([&] { return labels(*engineView(w)).count("q1-wait") == 2; }));
    clickPage(w, {166, 301});
    EXPECT_TRUE(reaches(w, "q1-right"));
    EXPECT_TRUE(shows(w, mark, QColor(0x2e, 0x9d, 0x3a))) << "a green tick";
    EXPECT_TRUE(reaches(w, "q2")) << "on to the next question";
  });
}

TEST_F(BasicsOnQt, SeeAndHearShowsAndReadsTheClickedKana) {
  setTopic("入门基础练习");
  open([&](BasicsWindow& w) {
    ASSERT_TRUE(reaches(w, "ready"));
    clickPage(w, {78, 242});
    EXPECT_TRUE(reaches(w, "say-ka"));
    EXPECT_TRUE(shows(w, QRect(520, 156, 260, 260), QColor(0x1c, 0x55, 0x77))) << "か, large";
  });
}

TEST_F(BasicsOnQt, CombiningAConsonantAndAVowelShowsTheKanaOrThatThereIsNone) {
  setTopic("入门基础练习");
  open([&](BasicsWindow& w) {
    ASSERT_TRUE(driver.click(w.组合五十音图单选框));
    ASSERT_TRUE(reaches(w, "c-"));
    const QRect result(152, 336, 520, 120);
    clickPage(w, {147, 168});
    EXPECT_TRUE(reaches(w, "c-k"));
    clickPage(w, {215, 254});
    EXPECT_TRUE(reaches(w, "kana-ka"));
    EXPECT_TRUE(shows(w, result, QColor(0x1c, 0x55, 0x77)));
    clickPage(w, {597, 168});
    EXPECT_TRUE(reaches(w, "c-y"));
    clickPage(w, {315, 254});
    EXPECT_TRUE(reaches(w, "kana-yi"));
    EXPECT_TRUE(shows(w, result, QColor(0xd2, 0x3c, 0x2a))) << "no such sound, in red";
  });
}

TEST_F(BasicsOnQt, GroupPracticeAnswersWithinTheChosenGroup) {
  setTopic("入门基础练习");
  open([&](BasicsWindow& w) {
    ASSERT_TRUE(driver.click(w.分组练习单选框));
    ASSERT_TRUE(reaches(w, "groups"));
    clickPage(w, {315, 226});
    ASSERT_TRUE(reaches(w, "ka-q1-wait"));
    const QRect mark(364, 126, 96, 96);
    clickPage(w, {144, 296});
    EXPECT_TRUE(reaches(w, "ka-q1-wrong"));
    EXPECT_TRUE(shows(w, mark, QColor(0xd2, 0x3c, 0x2a)));
    EXPECT_TRUE(runEngineUntil([&] { return labels(*engineView(w)).count("ka-q1-wait") == 2; }));
    clickPage(w, {278, 296});
    EXPECT_TRUE(reaches(w, "ka-q1-right"));
    EXPECT_TRUE(shows(w, mark, QColor(0x2e, 0x9d, 0x3a)));
  });
}

}  // namespace
