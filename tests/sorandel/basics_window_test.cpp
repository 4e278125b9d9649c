#include <gmock/gmock.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "content/content_folders.h"
#include "sorandel/basics_window.h"
#include "tests/sorandel/sorandel_fixture.h"

namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

// What the learner sees of an open basics window.
struct BasicsSeen {
  std::vector<std::string> strips;   // the topic strips shown
  std::vector<std::string> checked;  // the checked radio buttons of the strips shown
  std::string page;                  // where the player points, after the program folder
};

class BasicsRun : public SorandelRun {
 public:
  BasicsRun() { addLesson1(); }

  // Opens the basics window on the stored topic (or none when `topic` is empty), lets `act`
  // work in it, notes what is seen then, and closes it with its close button.
  BasicsSeen open(std::optional<std::string> topic,
                  const std::function<void(BasicsWindow&)>& act = {}) {
    if (topic) folder_.writeSettings("[入门基础]\r\n当前选项=" + *topic + "\r\n");
    BasicsSeen seen;
    backend().whenWindowOpens<BasicsWindow>([&](BasicsWindow& w) {
      if (act) act(w);
      seen = look(w);
      EXPECT_TRUE(backend().click(w.退出软件按钮));
    });
    runtime().open<BasicsWindow>(state_);
    return seen;
  }

  BasicsSeen look(const BasicsWindow& w) {
    BasicsSeen seen;
    for (const platform::Unit* strip : w.图片框1.children()) {
      if (strip->kind() != "PictureBox" || !strip->shown()) continue;
      seen.strips.push_back(strip->name());
      for (const platform::Unit* unit : strip->children()) {
        const auto* radio = dynamic_cast<const platform::RadioButton*>(unit);
        if (radio != nullptr && radio->checked()) seen.checked.push_back(radio->name());
      }
    }
    const std::string& address = w.swf播放器.address();
    const std::string& folder = folder_.path();
    EXPECT_EQ(address.substr(0, folder.size()), folder) << address;
    seen.page = address.substr(std::min(folder.size(), address.size()));
    return seen;
  }
};

TEST(BasicsWindow, OpensOnTheStoredTopicWithItsFirstPage) {
  struct Case {
    std::optional<std::string> topic;
    std::vector<std::string> strips;
    std::vector<std::string> checked;
    std::string page;
  };
  const Case cases[] = {
      {std::nullopt, {"练习容器"}, {"看读单选框"}, "\\flash\\kandu.swf"},
      {"日语的发音", {"日语的发音容器"}, {"五十音图单选框"}, "\\flash\\wushiyin.swf"},
      {"日语文字与书写", {"日语文字与书写容器"}, {"日语的文字单选框"}, "\\flash\\riyudehanzi.swf"},
      {"声调与语调", {"声调和语调容器"}, {"声调单选框"}, "\\flash\\shengdiao.swf"},
      {"要注意的发音", {"要注意的发音容器"}, {"第一组单选框"}, "\\flash\\diyizu.swf"},
      {"入门基础练习", {"练习容器"}, {"看读单选框"}, "\\flash\\kandu.swf"},
      // Spelled as the navigation item's caption, with 和: no topic, and at the first opening
      // of a run no page either, so the player points at the program folder itself.
      {"日语文字和书写", {}, {}, ""},
      {"声调和语调", {}, {}, ""},
      {"", {}, {}, ""},
      {"日语の发音", {}, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.topic.value_or("(no settings file)"));
    BasicsRun run;
    run.start();
    const BasicsSeen seen = run.open(c.topic);
    EXPECT_EQ(seen.strips, c.strips);
    EXPECT_EQ(seen.checked, c.checked);
    EXPECT_EQ(seen.page, c.page);
    EXPECT_EQ(run.state_.basicsTopic, c.topic.value_or("入门基础练习"));
    EXPECT_EQ(run.state_.basicsPagePath, c.page);
    EXPECT_TRUE(run.folder_.settingsText().find("\\flash") == std::string::npos)
        << "the window writes nothing";
  }
}

TEST(BasicsWindow, ATopicThatMatchesNothingShowsTheLastPageOfTheRunAgain) {
  BasicsRun run;
  run.start();
  const BasicsSeen chosen = run.open("声调与语调", [&](BasicsWindow& w) {
    EXPECT_THAT(run.look(w).checked, ElementsAre("声调单选框"));
    EXPECT_TRUE(run.backend().click(w.语调单选框));
  });
  EXPECT_THAT(chosen.checked, ElementsAre("语调单选框"));
  EXPECT_EQ(chosen.page, "\\flash\\yudiao.swf");

  const BasicsSeen again = run.open("no such topic");
  EXPECT_TRUE(again.strips.empty());
  EXPECT_EQ(again.page, "\\flash\\yudiao.swf");
  EXPECT_EQ(run.state_.basicsTopic, "no such topic");
}

TEST(BasicsWindow, APageChoiceIsForgottenWhenTheWindowCloses) {
  BasicsRun run;
  run.start();
  const BasicsSeen chosen = run.open(
      "日语的发音", [&](BasicsWindow& w) { EXPECT_TRUE(run.backend().click(w.拨音单选框)); });
  EXPECT_THAT(chosen.checked, ElementsAre("拨音单选框"));
  EXPECT_EQ(chosen.page, "\\flash\\bccy.swf");
  EXPECT_EQ(run.state_.basicsPagePath, "\\flash\\bccy.swf");

  const BasicsSeen reopened = run.open("日语的发音");
  EXPECT_THAT(reopened.checked, ElementsAre("五十音图单选框"));
  EXPECT_EQ(reopened.page, "\\flash\\wushiyin.swf");
}

// Each navigation item of the basics group opens the window on its topic, and every radio
// button of that topic's strip shows its own page, by its caption.
TEST(BasicsWindow, EachBasicsItemOpensItsTopicWhoseRadiosShowTheirPages) {
  struct Case {
    int item;
    std::vector<std::string> captions;
    std::vector<std::string> pages;
  };
  const Case cases[] = {
      {0,
       {"日语的文字", "假名的笔顺", "假名的由来", "日语汉字", "长音的书写方法", "标点符号"},
       {"riyudehanzi", "jiamingbishun", "jiamingyoulai", "riyuhanzi", "changyinsx", "biaodian"}},
      {1,
       {"五十音图", "元音", "辅音", "拗音", "拨音、促音、长音", "外来词专用音节"},
       {"wushiyin", "yuanyin", "fuyin", "aoyin", "bccy", "wailai"}},
      {2, {"声调", "语调"}, {"shengdiao", "yudiao"}},
      {3, {"第一组", "第二组"}, {"diyizu", "dierzu"}},
      {4,
       {"看读", "听选", "组合五十音图", "分组练习"},
       {"kandu", "tingxuan", "zuhewushiyin", "fenzulianxi"}},
  };
  BasicsRun run;
  run.start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    std::vector<std::string> captions, pages;
    run.backend().whenWindowOpens<BasicsWindow>([&](BasicsWindow& w) {
      const BasicsSeen first = run.look(w);
      ASSERT_EQ(first.strips.size(), 1u);
      pages.push_back(first.page);
      // Backwards, so that every radio but the first is clicked while unchecked.
      std::vector<platform::RadioButton*> radios;
      for (platform::Unit* unit : w.图片框1.children())
        if (unit->name() == first.strips.front())
          for (platform::Unit* radio : unit->children())
            radios.push_back(dynamic_cast<platform::RadioButton*>(radio));
      for (auto it = radios.rbegin(); it != radios.rend(); ++it) {
        captions.insert(captions.begin(), (*it)->caption());
        EXPECT_TRUE(run.backend().click(**it));
        EXPECT_THAT(run.look(w).checked, ElementsAre((*it)->name()));
        pages.insert(pages.begin() + 1, run.look(w).page);
      }
      EXPECT_TRUE(run.backend().pressEsc(w));
    });
    ASSERT_TRUE(run.backend().clickItem(run.w().主菜单, 1, c.item));
    EXPECT_TRUE(run.w().入门基础容器.shown()) << "the still picture stays after the window closed";
    EXPECT_EQ(captions, c.captions);
    std::vector<std::string> expected{"\\flash\\" + c.pages.front() + ".swf"};
    for (const std::string& page : c.pages) expected.push_back("\\flash\\" + page + ".swf");
    EXPECT_THAT(pages, ElementsAreArray(expected));
  }
}

TEST(BasicsWindow, EscAndTheCloseButtonCloseIt) {
  using Close = std::function<bool(platform::HeadlessBackend&, BasicsWindow&)>;
  const std::pair<const char*, Close> cases[] = {
      {"Esc", [](auto& b, BasicsWindow& w) { return b.pressEsc(w); }},
      {"close button", [](auto& b, BasicsWindow& w) { return b.click(w.退出软件按钮); }},
  };
  for (const auto& [name, closeIt] : cases) {
    SCOPED_TRACE(name);
    BasicsRun run;
    run.start();
    bool closed = false;
    run.backend().whenWindowOpens<BasicsWindow>([&](BasicsWindow& w) {
      EXPECT_TRUE(closeIt(run.backend(), w));
      closed = w.isClosed();
    });
    run.runtime().open<BasicsWindow>(run.state_);
    EXPECT_TRUE(closed);
    EXPECT_EQ(run.runtime().openWindows().size(), 1u);
    EXPECT_TRUE(run.runtime().running());
  }
}

TEST(BasicsWindow, DesignAsTheFormSetsIt) {
  BasicsRun run;
  run.start();
  run.backend().whenWindowOpens<BasicsWindow>([&](BasicsWindow& w) {
    EXPECT_EQ(w.width(), 850);
    EXPECT_EQ(w.height(), 680);
    EXPECT_EQ(w.border(), platform::Border::None);
    EXPECT_EQ(w.caption(), "");
    EXPECT_TRUE(w.centred());
    EXPECT_EQ(w.left(), (1366 - 850) / 2);
    EXPECT_TRUE(w.taskbarButton());
    EXPECT_TRUE(w.movable() && w.dragAnywhere());
    EXPECT_FALSE(w.alwaysOnTop());
    EXPECT_TRUE(w.escCloses());
    expectPlacements({
        {&w.图片框1, &w, {0, 0, 850, 680}},
        {&w.透明标签1, &w.图片框1, {184, 8, 384, 16}},
        {&w.练习容器, &w.图片框1, {16, 30, 640, 28}},
        {&w.拨音单选框, &w.日语的发音容器, {256, 8, 128, 16}},
        {&w.分组练习单选框, &w.练习容器, {240, 8, 80, 16}},
        {&w.swf播放器, &w.图片框1, {13, 61, 825, 600}},
        {&w.退出软件按钮, &w.图片框1, {820, 5, 26, 18}},
    });
    EXPECT_THAT(w.透明标签1.caption(), testing::Not(testing::HasSubstr("Flash")));
    EXPECT_THAT(w.透明标签1.caption(), testing::StartsWith("提示："));
    EXPECT_EQ(w.透明标签1.textColor(), platform::rgb(255, 255, 255));
    EXPECT_EQ(w.五十音图单选框.textColor(), platform::rgb(0x02, 0x44, 0x67));
    EXPECT_EQ(w.五十音图单选框.backgroundColor(), platform::rgb(0xd2, 0xe8, 0xf6));
    EXPECT_EQ(w.退出软件按钮.cursor(), platform::Cursor::Hand);
    EXPECT_FALSE(w.图片框1.picture().empty());
    EXPECT_FALSE(w.要注意的发音容器.picture().empty());
    EXPECT_TRUE(run.backend().pressEsc(w));
  });
  run.runtime().open<BasicsWindow>(run.state_);
}

}  // namespace
