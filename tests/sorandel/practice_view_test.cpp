// Loading a practice set, the order of its questions and the question shown.
#include <gmock/gmock.h>

#include <algorithm>
#include <set>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "tests/sorandel/practice_fixture.h"

namespace {

using testing::ElementsAre;

constexpr const char* kListenSet = "Lesson1音选日句子";
constexpr const char* kChineseSet = "Lesson1中选日句子";

// The decimal texts "1" to "N", each once.
void expectPermutation(const std::vector<std::string>& texts, int count) {
  std::set<std::string> expected;
  for (int i = 1; i <= count; ++i) expected.insert(std::to_string(i));
  EXPECT_EQ(static_cast<int>(texts.size()), count);
  EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()), expected);
}

TEST_F(PracticeTest, ViewLayoutAndDesign) {
  start();
  MainWindow& m = w();
  expectPlacements({
      {&m.练习标题图片框, &m.练习容器, {189, 5, 248, 29}},
      {&m.练习句子单选框, &m.练习容器, {13, 45, 48, 16}},
      {&m.练习单词单选框, &m.练习容器, {69, 45, 56, 16}},
      {&m.打乱顺序选择框, &m.练习容器, {141, 45, 72, 16}},
      {&m.练习自动模式选择框, &m.练习容器, {224, 45, 72, 16}},
      {&m.练习显示答案选择框, &m.练习容器, {304, 45, 149, 16}},
      {&m.答题进度标签, &m.练习容器, {453, 45, 120, 16}},
      {&m.答题进度条, &m.练习容器, {581, 45, 104, 16}},
      {&m.练习题目标签, &m.练习容器, {85, 102, 560, 40}},
      {&m.练习声音播放按钮, &m.练习容器, {624, 104, 20, 20}},
      {&m.透明标签1, &m.练习容器, {53, 173, 24, 24}},
      {&m.选项A标签, &m.练习容器, {85, 173, 530, 40}},
      {&m.透明标签2, &m.练习容器, {53, 240, 24, 24}},
      {&m.选项B标签, &m.练习容器, {85, 240, 530, 40}},
      {&m.透明标签3, &m.练习容器, {53, 320, 24, 24}},
      {&m.选项C标签, &m.练习容器, {85, 320, 530, 40}},
      {&m.透明标签4, &m.练习容器, {53, 384, 24, 24}},
      {&m.选项D标签, &m.练习容器, {85, 384, 530, 40}},
      {&m.显示正确错误图片框, &m.练习容器, {45, 437, 24, 24}},
      {&m.练习正确答案标签, &m.练习容器, {85, 440, 568, 29}},
      {&m.练习上一题按钮, &m.练习容器, {360, 488, 80, 24}},
      {&m.练习下一题按钮, &m.练习容器, {456, 488, 80, 24}},
      {&m.开始按钮, &m.练习容器, {552, 488, 90, 24}},
      {&m.交卷按钮, &m.练习容器, {552, 488, 90, 24}},
      {&m.练习打乱顺序图片框, &m.图片框1, {118, 94, 464, 272}},
      {&m.顺序对照列表框, &m.练习打乱顺序图片框, {136, 16, 104, 136}},
      {&m.打乱顺序列表框, &m.练习打乱顺序图片框, {23, 23, 104, 136}},
  });
  // The start button lies above the submit button: it comes first in the form.
  const auto& units = m.units();
  EXPECT_LT(std::find(units.begin(), units.end(), &m.开始按钮),
            std::find(units.begin(), units.end(), &m.交卷按钮));
  EXPECT_EQ(m.自动下一题时钟.parent(), &m.练习打乱顺序图片框);

  EXPECT_TRUE(m.练习句子单选框.checked());
  EXPECT_FALSE(m.练习单词单选框.checked());
  EXPECT_FALSE(m.打乱顺序选择框.checked());
  EXPECT_TRUE(m.练习自动模式选择框.checked());
  EXPECT_TRUE(m.练习显示答案选择框.checked());
  EXPECT_EQ(m.练习显示答案选择框.caption(), "做完题后显示正确答案");
  EXPECT_EQ(m.答题进度标签.caption(), "当前答题进度：");
  EXPECT_EQ(m.答题进度条.minimum(), 1);
  EXPECT_EQ(m.答题进度条.maximum(), 100);
  EXPECT_EQ(m.答题进度条.position(), 1);
  EXPECT_EQ(m.透明标签3.caption(), "C：");
  EXPECT_EQ(m.透明标签3.font(), platform::Font::pixels("宋体", 24));
  for (platform::Label* option : {&m.选项A标签, &m.选项B标签, &m.选项C标签, &m.选项D标签}) {
    SCOPED_TRACE(option->name());
    EXPECT_TRUE(option->disabled());
    EXPECT_EQ(option->cursor(), platform::Cursor::Hand);
    EXPECT_EQ(option->font(), platform::Font::pixels("宋体", 19));
    EXPECT_EQ(option->backgroundColor(), platform::rgb(0xe6, 0xf0, 0xf9));
  }
  EXPECT_EQ(m.练习题目标签.backgroundColor(), platform::rgb(0xff, 0xfe, 0xef));
  EXPECT_EQ(m.练习正确答案标签.textColor(), platform::rgb(0xe1, 0x51, 0x20));
  EXPECT_FALSE(m.显示正确错误图片框.visible());
  EXPECT_FALSE(m.练习正确答案标签.visible());
  EXPECT_FALSE(m.练习上一题按钮.visible());
  EXPECT_FALSE(m.练习下一题按钮.visible());
  EXPECT_TRUE(m.开始按钮.visible());
  EXPECT_TRUE(m.交卷按钮.visible());
  EXPECT_EQ(m.开始按钮.picture(), assets::startPracticeButton());
  EXPECT_EQ(m.交卷按钮.picture(), assets::submitPracticeButton());
  EXPECT_EQ(m.练习下一题按钮.picture(), assets::nextButton());
  EXPECT_EQ(m.顺序对照列表框.columns().at(0).caption, "顺序对照表");
  EXPECT_EQ(m.打乱顺序列表框.columns().at(0).caption, "打乱顺序");
}

// The set id is course + mode + kind; the redo flag keeps only the wrongly answered rows.
TEST_F(PracticeTest, LoadsTheSetOfCourseModeAndKindOrItsWrongRowsOnly) {
  addSet("Lesson1中选日单词", 3, "W");
  addSet(kChineseSet, 2, "S");
  folder_.execute(content::ContentFolders::exerciseDatabase,
                  "UPDATE lianxi SET nin = '错误' WHERE biaoshi IN ('W1', 'W3')");
  struct Case {
    bool words;
    int redoWrongOnly;
    const char* setId;
    std::vector<std::string> keys;
  };
  const Case cases[] = {
      {true, 0, "Lesson1中选日单词", {"W1", "W2", "W3"}},
      {true, 1, "Lesson1中选日单词", {"W1", "W3"}},
      {false, 0, kChineseSet, {"S1", "S2"}},
      {false, 1, kChineseSet, {}},
  };
  start();
  choosePracticeItem(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.setId << " redo " << c.redoWrongOnly);
    ASSERT_TRUE(backend().click(c.words ? w().练习单词单选框 : w().练习句子单选框));
    state_.redoWrongOnly = c.redoWrongOnly;
    choosePracticeItem(3);
    EXPECT_EQ(state_.practiceSetId, c.setId);
    EXPECT_EQ(state_.practiceQuestionCount, static_cast<int>(c.keys.size()));
    EXPECT_EQ(cells(w().顺序对照列表框), c.keys);
    EXPECT_EQ(state_.currentQuestionIndex, 0);
  }
}

TEST_F(PracticeTest, SetsOfNoneOneAndTwoHundredFiftyFourQuestions) {
  addSet("Lesson1中选日单词", 1, "W");
  addLargeSet(kChineseSet, 254, "S");
  struct Case {
    bool words;
    int count;
    const char* progress;
    const char* firstStem;
  };
  const Case cases[] = {
      {true, 1, "当前答题进度：1/1", "题W1"},
      {false, 254, "当前答题进度：1/254", "题S1"},
  };
  start();
  choosePracticeItem(4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    ASSERT_TRUE(backend().click(c.words ? w().练习单词单选框 : w().练习句子单选框));
    choosePracticeItem(3);
    EXPECT_EQ(w().答题进度标签.caption(), c.progress);
    EXPECT_EQ(w().答题进度条.maximum(), c.count);
    EXPECT_EQ(w().答题进度条.position(), 1);
    expectPermutation(cells(w().打乱顺序列表框), c.count);
    EXPECT_EQ(w().练习题目标签.caption(), c.firstStem);
    EXPECT_EQ(w().练习正确答案标签.caption(), std::string("正确答案：") + (c.firstStem + 3) + "B");
  }
  // A set of one shows the same question shuffled.
  ASSERT_TRUE(backend().click(w().练习单词单选框));
  ASSERT_TRUE(backend().click(w().打乱顺序选择框));
  choosePracticeItem(3);
  EXPECT_EQ(w().练习题目标签.caption(), "题W1");

  // An empty set: no rows, 1/0, and the question query finds nothing.
  choosePracticeItem(4);
  EXPECT_EQ(state_.practiceQuestionCount, 0);
  EXPECT_TRUE(cells(w().顺序对照列表框).empty());
  EXPECT_TRUE(cells(w().打乱顺序列表框).empty());
  EXPECT_EQ(w().答题进度标签.caption(), "当前答题进度：1/0");
  EXPECT_EQ(w().答题进度条.maximum(), 0);
  EXPECT_EQ(w().答题进度条.position(), 1);
  EXPECT_EQ(state_.lastSqlText, "SELECT * FROM lianxi WHERE biaoshi = ''");
  EXPECT_EQ(w().练习题目标签.caption(), "");
}

// Sets past what 8-bit counters hold load, shuffle to a whole permutation and show a question.
TEST_F(PracticeTest, LargeSetsShuffleToAWholePermutation) {
  addLargeSet(kChineseSet, 5000, "S");
  addLargeSet("Lesson1中选日单词", 255, "W");
  start();
  choosePracticeItem(4);
  ASSERT_TRUE(backend().click(w().打乱顺序选择框));
  for (const bool words : {false, true}) {
    ASSERT_TRUE(backend().click(words ? w().练习单词单选框 : w().练习句子单选框));
    choosePracticeItem(3);
    const int count = words ? 255 : 5000;
    EXPECT_EQ(w().顺序对照列表框.getRowCount(), count);
    expectPermutation(cells(w().打乱顺序列表框), count);
    const int first = std::stoi(w().打乱顺序列表框.getCellText(0, 0));
    const std::string prefix = words ? "W" : "S";
    EXPECT_EQ(shownKey(), prefix.substr(0, 1).append(std::to_string(first)));
    EXPECT_EQ(w().答题进度标签.caption(), "当前答题进度：1/" + std::to_string(count));
  }
}

TEST_F(PracticeTest, ShuffleBoxDecidesTheOrderAtEveryQuestionShown) {
  addSet(kChineseSet, 6, "S");
  start();
  runtime().random().fixRandomizeSeeds(11);
  choosePracticeItem(3);
  clickStart();
  const std::vector<std::string> shuffled = cells(w().打乱顺序列表框);
  expectPermutation(shuffled, 6);
  ASSERT_NE(shuffled, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
  // Unchecked: query order, although the shuffled list is filled.
  EXPECT_EQ(shownKey(), "S1");
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  EXPECT_EQ(shownKey(), "S3");
  // Checking the box changes nothing on the screen; the next move follows the shuffled order.
  ASSERT_TRUE(backend().click(w().打乱顺序选择框));
  EXPECT_EQ(shownKey(), "S3");
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  EXPECT_EQ(shownKey(), "S" + shuffled[3]);
  ASSERT_TRUE(backend().click(w().练习上一题按钮));
  ASSERT_TRUE(backend().click(w().练习上一题按钮));
  EXPECT_EQ(shownKey(), "S" + shuffled[1]);
  EXPECT_EQ(w().答题进度标签.caption(), "当前答题进度：2/6");
  EXPECT_EQ(w().答题进度条.position(), 2);
  EXPECT_EQ(w().答题进度条.maximum(), 6);
}

TEST_F(PracticeTest, EveryLoadDrawsANewOrder) {
  addSet(kChineseSet, 8, "S");
  start();
  runtime().random().fixRandomizeSeeds(3);
  std::vector<std::vector<std::string>> orders;
  for (int load = 0; load < 3; ++load) {
    choosePracticeItem(3);
    orders.push_back(cells(w().打乱顺序列表框));
    expectPermutation(orders.back(), 8);
  }
  EXPECT_NE(orders[0], orders[1]);
  EXPECT_NE(orders[1], orders[2]);
}

TEST_F(PracticeTest, OnlyTheListeningModePlaysAndNotItsFirstQuestionFromTheBar) {
  addSet(kListenSet, 3, "L");
  addSet(kChineseSet, 3, "S");
  for (const char* key : {"L1", "L2", "L3"})
    putRecording(std::string("tone_") + key, "tone_400ms.mp3");
  start();
  choosePracticeItem(2);
  EXPECT_TRUE(w().练习声音播放按钮.shown());
  EXPECT_EQ(state_.currentSoundName, "tone_L1");
  EXPECT_TRUE(recordingsPlayed().empty());
  clickStart();
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  ASSERT_TRUE(backend().click(w().练习声音播放按钮));
  EXPECT_THAT(recordingsPlayed(), ElementsAre("tone_L1.mp3", "tone_L2.mp3", "tone_L2.mp3"));

  choosePracticeItem(3);
  EXPECT_FALSE(w().练习声音播放按钮.visible());
  ASSERT_TRUE(backend().click(w().练习下一题按钮));
  closeResultsWithEsc();
  ASSERT_TRUE(backend().click(w().交卷按钮));
  clickStart();
  EXPECT_EQ(recordingsPlayed().size(), 3u);
}

}  // namespace
