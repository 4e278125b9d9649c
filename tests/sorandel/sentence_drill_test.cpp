#include <gmock/gmock.h>

#include "content/content_folders.h"
#include "platform/system/file_bytes.h"
#include "tests/sorandel/sorandel_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kEnter = 13;

class SentenceDrillTest : public SorandelTest {
 protected:
  SentenceDrillTest() {
    addLesson1();
    folder_.putFile(content::ContentFolders::rightMarkPicture, "JPEG right");
    folder_.putFile(content::ContentFolders::wrongMarkPicture, "JPEG wrong");
    folder_.putFile(content::ContentFolders::rightAnswerSound, "RIFF typing");
  }

  // Starts Sorandel and chooses 逐句跟读; the recordings heard from here on are the drill's.
  void startDrill() {
    start();
    openDrill();
  }
  void openDrill() {
    ASSERT_TRUE(backend().clickItem(w().主菜单, 0, 1));
    playedBefore_ = recordingsPlayed().size();
  }
  std::vector<std::string> drillRecordings() const {
    const std::vector<std::string> all = recordingsPlayed();
    return {all.begin() + static_cast<std::ptrdiff_t>(playedBefore_), all.end()};
  }

  void typeAndEnter(const std::string& text) {
    ASSERT_TRUE(backend().type(w().逐句跟读输入框, text));
    ASSERT_TRUE(backend().pressKey(w().逐句跟读输入框, kEnter));
  }

  // The drill as the learner sees it, in one line: progress, captions, box, mark.
  std::string seen() {
    std::string mark = "no mark";
    if (w().输入正确错误图片框.visible()) {
      const platform::SharedBytes& picture = w().输入正确错误图片框.picture();
      mark = std::string(picture.begin(), picture.end());
    }
    return w().逐句跟读进度标签.caption() + " " + w().逐句跟读日文显示框.caption() + " " +
           w().逐句跟读中文显示框.caption() + " [" + w().逐句跟读输入框.content() + "] " + mark;
  }

  int typingSounds() const {
    const std::string typing =
        content::ContentFolders::path(folder_.path(), content::ContentFolders::rightAnswerSound);
    int count = 0;
    for (const auto& s : backend_.soundsPlayed()) count += s.file == typing ? 1 : 0;
    return count;
  }

  std::vector<std::string> boxesShown() const {
    std::vector<std::string> texts;
    for (const auto& box : backend_.messageBoxes()) texts.push_back(box.text);
    return texts;
  }

  std::size_t playedBefore_ = 0;
};

TEST_F(SentenceDrillTest, TheViewHasTheFormsUnitsInPlace) {
  MainWindow& m = start();
  expectPlacements({
      {&m.句子跟读容器, &m.课文学习容器, {0, 0, 696, 525}},
      {&m.逐句跟读标题图片框, &m.句子跟读容器, {184, 8, 248, 29}},
      {&m.逐句跟读进度标签, &m.句子跟读容器, {40, 72, 120, 16}},
      {&m.逐句跟读进度条, &m.句子跟读容器, {181, 67, 432, 24}},
      {&m.图片框7, &m.句子跟读容器, {78, 117, 159, 16}},
      {&m.逐句跟读句子单选框, &m.图片框7, {0, 0, 71, 16}},
      {&m.逐句跟读单词单选框, &m.图片框7, {72, 0, 69, 16}},
      {&m.显示日文选择框, &m.句子跟读容器, {261, 117, 72, 16}},
      {&m.显示译文选择框, &m.句子跟读容器, {342, 117, 72, 16}},
      {&m.图片框6, &m.句子跟读容器, {77, 165, 536, 152}},
      {&m.逐句跟读日文显示框, &m.图片框6, {8, 7, 495, 96}},
      {&m.逐句跟读中文显示框, &m.图片框6, {8, 103, 511, 41}},
      {&m.逐句跟读声音播放按钮, &m.图片框6, {512, 8, 20, 20}},
      {&m.标签1, &m.句子跟读容器, {77, 325, 48, 40}},
      {&m.逐句跟读输入框, &m.句子跟读容器, {125, 325, 488, 40}},
      {&m.输入正确错误图片框, &m.句子跟读容器, {616, 328, 24, 24}},
      {&m.逐句跟读上一题, &m.句子跟读容器, {424, 381, 80, 24}},
      {&m.逐句跟读下一题, &m.句子跟读容器, {520, 381, 80, 24}},
      {&m.逐句跟读顺序列表框, &m.分组框1, m.逐句跟读顺序列表框.rect()},
  });
  EXPECT_FALSE(m.句子跟读容器.visible());
  EXPECT_FALSE(m.输入正确错误图片框.visible());
  EXPECT_FALSE(m.逐句跟读自动下一题时钟.running());
  EXPECT_EQ(m.逐句跟读自动下一题时钟.parent(), &m.分组框1);
  EXPECT_TRUE(m.逐句跟读句子单选框.checked());
  EXPECT_FALSE(m.逐句跟读单词单选框.checked());
  EXPECT_TRUE(m.显示日文选择框.checked());
  EXPECT_TRUE(m.显示译文选择框.checked());
  EXPECT_EQ(m.标签1.caption(), "输入：");
  EXPECT_EQ(m.逐句跟读日文显示框.font(), platform::Font::pixels("宋体", 24));
  EXPECT_EQ(m.逐句跟读中文显示框.font(), platform::Font::pixels("新宋体", 20));
  EXPECT_EQ(m.标签1.font(), platform::Font::pixels("楷体_GB2312", 20));
  EXPECT_EQ(m.标签1.textColor(), platform::rgb(0xc0, 0x60, 0x00));
  EXPECT_EQ(m.逐句跟读进度标签.backgroundColor(), platform::rgb(0x18, 0x7d, 0xb1));
  EXPECT_EQ(m.逐句跟读输入框.backgroundColor(), platform::rgb(0xfd, 0xfd, 0xeb));
  ASSERT_EQ(m.逐句跟读顺序列表框.columns().size(), 1u);
  EXPECT_EQ(m.逐句跟读顺序列表框.columns()[0].caption, "顺序对照表");
  EXPECT_EQ(m.逐句跟读顺序列表框.columns()[0].width, 100);
  for (platform::ImageButton* button : {&m.逐句跟读上一题, &m.逐句跟读下一题}) {
    EXPECT_FALSE(button->picture().empty()) << button->name();
    EXPECT_FALSE(button->hoverPicture().empty()) << button->name();
  }
}

// Every navigation reloads the list and shows its first item without its recording.
TEST_F(SentenceDrillTest, NavigationShowsTheFirstItemSilentlyAndTheReplayButtonPlaysIt) {
  startDrill();
  EXPECT_EQ(seen(), "当前跟读进度：1/3 おはよう。 早上好。 [] no mark");
  EXPECT_EQ(w().逐句跟读进度条.maximum(), 3);
  EXPECT_EQ(w().逐句跟读进度条.position(), 1);
  EXPECT_EQ(w().逐句跟读顺序列表框.getRowCount(), 3);
  EXPECT_EQ(w().逐句跟读顺序列表框.getCellText(2, 0), "1S03");
  EXPECT_EQ(state_.drillLessonKey, "Lesson1基本课文");
  EXPECT_EQ(state_.currentKey, "1S01");
  EXPECT_EQ(state_.lastSqlText, "SELECT * FROM study WHERE biaoshi = '1S01'");
  EXPECT_TRUE(w().逐句跟读输入框.hasFocus());
  EXPECT_THAT(drillRecordings(), IsEmpty());

  ASSERT_TRUE(backend().click(w().逐句跟读声音播放按钮));
  EXPECT_THAT(drillRecordings(), ElementsAre("s01.mp3"));

  backend().click(w().逐句跟读下一题);
  ASSERT_EQ(state_.drillIndex, 1);
  openDrill();
  EXPECT_EQ(seen(), "当前跟读进度：1/3 おはよう。 早上好。 [] no mark");
  EXPECT_THAT(drillRecordings(), IsEmpty());
}

// The radios reload at once with the replay button visible, so their first item plays; their
// choice outlives navigation.
TEST_F(SentenceDrillTest, ListRadiosReloadAndPlayTheFirstItem) {
  startDrill();
  ASSERT_TRUE(backend().click(w().逐句跟读单词单选框));
  EXPECT_EQ(seen(), "当前跟读进度：1/1 家族 家人 [] no mark");
  EXPECT_EQ(state_.drillLessonKey, "Lesson1单词");
  EXPECT_EQ(w().逐句跟读顺序列表框.getRowCount(), 1);
  EXPECT_THAT(drillRecordings(), ElementsAre("w01.mp3"));

  openDrill();
  EXPECT_EQ(seen(), "当前跟读进度：1/1 家族 家人 [] no mark");
  EXPECT_THAT(drillRecordings(), IsEmpty());

  ASSERT_TRUE(backend().click(w().逐句跟读句子单选框));
  EXPECT_EQ(seen(), "当前跟读进度：1/3 おはよう。 早上好。 [] no mark");
  EXPECT_THAT(drillRecordings(), ElementsAre("s01.mp3"));
}

TEST_F(SentenceDrillTest, EnterMarksTheAnswerAndMovesOnHalfASecondLater) {
  struct Case {
    const char* typed;
    bool japaneseShown;
    const char* mark;
  };
  const Case cases[] = {
      {"おはよう。", true, "JPEG right"},
      {"おはよう。", false, "JPEG right"},  // the hidden label is still the reference
      {"おはよう", true, "JPEG wrong"},
      {"", true, "JPEG wrong"},
      {"おはよう。 ", true, "JPEG wrong"},
      {"おはよう.", true, "JPEG wrong"},
      {"ｵﾊﾖｳ。", true, "JPEG wrong"},
  };
  start();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "[" << c.typed << "] shown " << c.japaneseShown);
    openDrill();
    if (w().显示日文选择框.checked() != c.japaneseShown) backend().click(w().显示日文选择框);
    typeAndEnter(c.typed);
    EXPECT_EQ(seen(),
              std::string("当前跟读进度：1/3 おはよう。 早上好。 [") + c.typed + "] " + c.mark);
    EXPECT_EQ(w().逐句跟读日文显示框.visible(), c.japaneseShown);
    backend().advance(499);
    EXPECT_EQ(state_.drillIndex, 0);
    backend().advance(1);
    EXPECT_EQ(seen(), "当前跟读进度：2/3 ただいま。 我回来了。 [] no mark");
    EXPECT_EQ(w().逐句跟读日文显示框.visible(), c.japaneseShown);
    EXPECT_EQ(w().逐句跟读进度条.position(), 2);
    EXPECT_TRUE(w().逐句跟读输入框.hasFocus());
    EXPECT_FALSE(w().逐句跟读自动下一题时钟.running());
    EXPECT_THAT(drillRecordings(), ElementsAre("s02.mp3"));
  }
}

TEST_F(SentenceDrillTest, EveryEnterChecksAndNoneBreaksTheLine) {
  start();
  platform::RichEditBox& box = w().逐句跟读输入框;
  struct Case {
    const char* name;
    std::function<void()> enter;
  };
  const Case cases[] = {
      {"Enter", [&] { backend().pressKey(box, kEnter); }},
      {"Ctrl+Enter", [&] { backend().pressKey(box, kEnter, 1); }},
      {"Shift+Enter", [&] { backend().pressKey(box, kEnter, 2); }},
      {"typed CR LF", [&] { backend().type(box, "\r\n"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openDrill();
    ASSERT_TRUE(backend().type(box, "おはよう。"));
    c.enter();
    EXPECT_EQ(seen(), "当前跟读进度：1/3 おはよう。 早上好。 [おはよう。] JPEG right");
    backend().advance(500);
  }
  // Line breaks pasted or confirmed by an input method are dropped, not typed.
  backend().paste(box, "おはよう\r\n");
  backend().commitComposition(box, "。\n");
  EXPECT_EQ(box.content(), "おはよう。");
  EXPECT_FALSE(w().逐句跟读自动下一题时钟.running()) << "only Enter checks";
}

// What the learner changes sounds; Enter and the program's own emptying do not.
TEST_F(SentenceDrillTest, TypingDeletingAndPastingPlayTheTypingSound) {
  startDrill();
  const int before = typingSounds();
  backend().type(w().逐句跟读输入框, "おは");
  EXPECT_EQ(typingSounds(), before + 2);
  backend().pressKey(w().逐句跟读输入框, 8);
  EXPECT_EQ(typingSounds(), before + 3);
  backend().commitComposition(w().逐句跟读输入框, "はよう");
  EXPECT_EQ(typingSounds(), before + 4) << "a confirmed conversion is one change";
  backend().paste(w().逐句跟读输入框, "。");
  EXPECT_EQ(typingSounds(), before + 5);
  EXPECT_EQ(w().逐句跟读输入框.content(), "おはよう。");
  backend().pressKey(w().逐句跟读输入框, kEnter);
  backend().advance(500);
  EXPECT_EQ(state_.drillIndex, 1);
  EXPECT_EQ(typingSounds(), before + 5);
}

// A wrong attempt corrected as in any text box: each change sounds once, the answer is what the
// box shows, and the next item starts with nothing to undo.
TEST_F(SentenceDrillTest, ALearnerCorrectsAnAttemptWithTheEditingKeys) {
  constexpr int kCtrl = 1, kShift = 2, kHome = 36;
  startDrill();
  platform::RichEditBox& box = w().逐句跟读输入框;
  const int before = typingSounds();
  backend().type(box, "おはよ");
  backend().pressKey(box, kHome, kShift);
  backend().commitComposition(box, "こんにちは");
  EXPECT_EQ(box.content(), "こんにちは") << "the conversion replaces the selection";
  backend().pressKey(box, 'Z', kCtrl);
  EXPECT_EQ(box.content(), "おはよ");
  backend().pressKey(box, 'A', kCtrl);
  backend().pressKey(box, 'X', kCtrl);
  backend().paste(box, "おはよう。。\r\n");
  backend().pressKey(box, 8);
  EXPECT_EQ(box.content(), "おはよう。");
  EXPECT_EQ(typingSounds(), before + 8);
  backend().pressKey(box, kEnter);
  EXPECT_EQ(seen(), "当前跟读进度：1/3 おはよう。 早上好。 [おはよう。] JPEG right");
  backend().advance(500);
  backend().pressKey(box, 'Z', kCtrl);
  EXPECT_EQ(box.content(), "") << "the last item's answer does not come back";
  EXPECT_EQ(typingSounds(), before + 8);
}

TEST_F(SentenceDrillTest, StepButtonsStopAtTheEndsWithAMessage) {
  startDrill();
  backend().answerNextMessageBox(0);
  ASSERT_TRUE(backend().click(w().逐句跟读上一题));
  EXPECT_EQ(seen(), "当前跟读进度：1/3 おはよう。 早上好。 [] no mark");

  backend().click(w().逐句跟读下一题);
  EXPECT_EQ(seen(), "当前跟读进度：2/3 ただいま。 我回来了。 [] no mark");
  backend().click(w().逐句跟读下一题);
  backend().click(w().逐句跟读上一题);
  EXPECT_EQ(seen(), "当前跟读进度：2/3 ただいま。 我回来了。 [] no mark");
  backend().click(w().逐句跟读下一题);
  backend().type(w().逐句跟读输入框, "おや");
  backend().answerNextMessageBox(0);
  backend().click(w().逐句跟读下一题);
  EXPECT_EQ(seen(), "当前跟读进度：3/3 おやすみ。 晚安。 [おや] no mark")
      << "nothing is shown again";
  EXPECT_THAT(drillRecordings(), ElementsAre("s02.mp3", "s03.mp3", "s02.mp3", "s03.mp3"));
  EXPECT_THAT(boxesShown(), ElementsAre("到顶了！", "到底了！"));
  EXPECT_EQ(backend().messageBoxes().back().style, 0);
}

// One check gives one tick: at the last item the tick waits in the box, then stops the timer.
TEST_F(SentenceDrillTest, ACheckAtTheLastItemBringsOneMessageAndKeepsTheText) {
  startDrill();
  backend().click(w().逐句跟读下一题);
  backend().click(w().逐句跟读下一题);
  typeAndEnter("おやすみ。");
  bool markHiddenInBox = false;
  backend().answerNextMessageBox([&](const platform::HeadlessBackend::MessageBox&) {
    markHiddenInBox = !w().输入正确错误图片框.visible();
    backend().advance(1500);
    return 0;
  });
  backend().advance(500);
  EXPECT_TRUE(markHiddenInBox);
  backend().advance(3000);
  EXPECT_THAT(boxesShown(), ElementsAre("到底了！"));
  EXPECT_EQ(seen(), "当前跟读进度：3/3 おやすみ。 晚安。 [おやすみ。] no mark");
  EXPECT_FALSE(w().逐句跟读自动下一题时钟.running());
}

TEST_F(SentenceDrillTest, AStepWithinHalfASecondLeavesThePendingAdvance) {
  startDrill();
  typeAndEnter("おはよう。");
  backend().advance(200);
  backend().click(w().逐句跟读下一题);
  EXPECT_EQ(seen(), "当前跟读进度：2/3 ただいま。 我回来了。 [] no mark");
  backend().advance(300);
  EXPECT_EQ(seen(), "当前跟读进度：3/3 おやすみ。 晚安。 [] no mark");
  EXPECT_FALSE(w().逐句跟读自动下一题时钟.running());
}

TEST_F(SentenceDrillTest, DisplayCheckBoxesHideTheCaptionsAcrossItemsAndReloads) {
  startDrill();
  backend().click(w().显示日文选择框);
  backend().click(w().显示译文选择框);
  backend().click(w().逐句跟读下一题);
  openDrill();
  EXPECT_FALSE(w().逐句跟读日文显示框.visible());
  EXPECT_FALSE(w().逐句跟读中文显示框.visible());
  EXPECT_EQ(w().逐句跟读中文显示框.caption(), "早上好。") << "written while hidden";
  backend().click(w().显示译文选择框);
  EXPECT_FALSE(w().逐句跟读日文显示框.visible());
  EXPECT_TRUE(w().逐句跟读中文显示框.visible());
}

TEST_F(SentenceDrillTest, AnEmptyLessonStaysOnIndexZeroWithBothEndMessages) {
  folder_.writeSettings("[课程选择]\r\n课程名称=Lesson9  空\r\n课程索引=Lesson9\r\n");
  startDrill();
  EXPECT_EQ(seen(), "当前跟读进度：1/0   [] no mark");
  EXPECT_EQ(w().逐句跟读进度条.maximum(), 0);
  EXPECT_EQ(w().逐句跟读进度条.position(), 1);
  EXPECT_EQ(w().逐句跟读顺序列表框.getRowCount(), 0);
  EXPECT_EQ(state_.drillCount, 0);
  EXPECT_EQ(state_.currentSoundName, "");
  backend().answerNextMessageBox(0);
  backend().answerNextMessageBox(0);
  backend().click(w().逐句跟读下一题);
  backend().click(w().逐句跟读上一题);
  EXPECT_THAT(boxesShown(), ElementsAre("到底了！", "到顶了！"));
  EXPECT_EQ(state_.drillIndex, 0);
  EXPECT_THAT(drillRecordings(), IsEmpty());
}

}  // namespace
