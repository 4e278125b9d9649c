#include "sorandel/practice_view.h"

#include <vector>

#include "content/content_folders.h"
#include "content/keys.h"
#include "content/statements.h"
#include "platform/system/text_numbers.h"
#include "sorandel/main_window.h"
#include "sorandel/view_colours.h"

namespace {

using view_colours::kInk;
constexpr platform::Color kOptionRowGround = platform::rgb(0xa9, 0xd5, 0xe2);
constexpr platform::Color kCheckBoxGround = platform::rgb(0xa4, 0xd2, 0xdf);
constexpr platform::Color kStemGround = platform::rgb(0xff, 0xfe, 0xef);
constexpr platform::Color kOptionGround = platform::rgb(0xe6, 0xf0, 0xf9);
constexpr platform::Color kLetterInk = platform::rgb(0x40, 0x56, 0x63);
constexpr platform::Color kAnswerInk = platform::rgb(0xe1, 0x51, 0x20);
constexpr platform::Color kAnswerGround = platform::rgb(0xc0, 0xdd, 0xe5);
constexpr const char* kProgressPrefix = "当前答题进度：";

}  // namespace

void PracticeView::design() {
  const auto checkable = [](platform::CheckableButton& button, const char* caption, bool checked,
                            platform::Color ground) {
    button.setCaption(caption);
    button.setChecked(checked);
    button.setTextColor(kInk);
    button.setBackgroundColor(ground);
  };
  checkable(w_.练习句子单选框, "句子", true, kOptionRowGround);
  checkable(w_.练习单词单选框, "单词", false, kOptionRowGround);
  checkable(w_.打乱顺序选择框, "打乱顺序", false, kCheckBoxGround);
  checkable(w_.练习自动模式选择框, "自动模式", true, kCheckBoxGround);
  checkable(w_.练习显示答案选择框, "做完题后显示正确答案", true, kCheckBoxGround);
  w_.答题进度标签.setCaption(kProgressPrefix);
  w_.答题进度标签.setTextColor(kInk);
  w_.答题进度标签.setBackgroundColor(kOptionRowGround);
  w_.答题进度条.setMinimum(1);
  w_.答题进度条.setMaximum(100);
  w_.答题进度条.setPosition(1);

  const platform::Font questionFont = platform::Font::pixels("宋体", 19);
  w_.练习题目标签.setCaption("标签");
  w_.练习题目标签.setFont(questionFont);
  w_.练习题目标签.setTextColor(kInk);
  w_.练习题目标签.setBackgroundColor(kStemGround);
  const platform::Font letterFont = platform::Font::pixels("宋体", 24);
  const char* letters[] = {"A：", "B：", "C：", "D："};
  platform::TransparentLabel* letterLabels[] = {&w_.透明标签1, &w_.透明标签2, &w_.透明标签3,
                                                &w_.透明标签4};
  platform::Label* options[] = {&w_.选项A标签, &w_.选项B标签, &w_.选项C标签, &w_.选项D标签};
  for (int i = 0; i < 4; ++i) {
    letterLabels[i]->setCaption(letters[i]);
    letterLabels[i]->setFont(letterFont);
    letterLabels[i]->setTextColor(kLetterInk);
    options[i]->setCaption("标签");
    options[i]->setFont(questionFont);
    options[i]->setTextColor(kInk);
    options[i]->setBackgroundColor(kOptionGround);
    options[i]->setCursor(platform::Cursor::Hand);
    options[i]->setDisabled(true);
  }
  w_.显示正确错误图片框.setVisible(false);
  w_.练习正确答案标签.setVisible(false);
  w_.练习正确答案标签.setFont(questionFont);
  w_.练习正确答案标签.setTextColor(kAnswerInk);
  w_.练习正确答案标签.setBackgroundColor(kAnswerGround);

  w_.顺序对照列表框.setColumns({{"顺序对照表", 100}});
  w_.打乱顺序列表框.setColumns({{"打乱顺序", 100}});
}

void PracticeView::loadPracticeSet() {
  s_.practiceSetId = content::practiceSetId(
      s_.courseKey, s_.practiceModeText,
      w_.练习句子单选框.checked() ? content::sentenceKind : content::wordKind);
  w_.数据库连接1.open(content::ContentFolders::path(w_.runtime().getProgramFolder(),
                                                    content::ContentFolders::exerciseDatabase),
                      "");
  w_.记录集1.attachConnection(w_.数据库连接1);
  const content::Statement query = s_.redoWrongOnly == 0
                                       ? content::selectPracticeSet(s_.practiceSetId)
                                       : content::selectWrongAnswers(s_.practiceSetId);
  s_.lastSqlText = query.text;
  content::openQuery(w_.记录集1, query);
  s_.practiceQuestionCount = w_.记录集1.recordCount();

  w_.记录集1.moveFirst();
  w_.顺序对照列表框.clearRows();
  while (!w_.记录集1.endOfRecords()) {
    w_.顺序对照列表框.appendRow();
    w_.记录集1.readField("biaoshi", s_.practiceFieldText);
    w_.顺序对照列表框.setCellText(w_.顺序对照列表框.getRowCount() - 1, 0, s_.practiceFieldText);
    w_.记录集1.moveNext();
  }
  shuffleQuestionOrder();

  s_.currentQuestionIndex = 0;
  // The last answer's mark and correct answer would otherwise stand over the new first
  // question, the answer giving that question away.
  hideFeedback();
  showPracticeProgress();
  showCurrentQuestion();
}

// Draws ordinals from 1 to N and keeps each the first time it comes, until all N are kept.
// Kept ordinals are marked in a table (not looked for among the earlier draws) and counted in
// full integers, so a set of any size gets its whole permutation in about N log N draws.
void PracticeView::shuffleQuestionOrder() {
  const int count = s_.practiceQuestionCount;
  w_.打乱顺序列表框.clearRows();
  platform::RandomSource& random = w_.runtime().random();
  random.randomize();
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(count));
  std::vector<bool> kept(static_cast<std::size_t>(count) + 1, false);
  const auto keep = [&](int draw) {
    if (draw < 1 || draw > count || kept[static_cast<std::size_t>(draw)]) return;
    kept[static_cast<std::size_t>(draw)] = true;
    order.push_back(draw);
  };
  // The first draw is made for an empty set too, where it is dropped.
  keep(random.randomInt(1, count));
  while (static_cast<int>(order.size()) < count) keep(random.randomInt(1, count));
  for (const int ordinal : order) {
    w_.打乱顺序列表框.appendRow();
    w_.打乱顺序列表框.setCellText(w_.打乱顺序列表框.getRowCount() - 1, 0,
                                  platform::numberToText(ordinal));
  }
}

void PracticeView::showPracticeProgress() {
  w_.答题进度标签.setCaption(kProgressPrefix + platform::numberToText(s_.currentQuestionIndex + 1) +
                             "/" + platform::numberToText(s_.practiceQuestionCount));
  w_.答题进度条.setMaximum(s_.practiceQuestionCount);
  w_.答题进度条.setPosition(s_.currentQuestionIndex + 1);
}

void PracticeView::showCurrentQuestion() {
  s_.currentKey = keyAtCurrentPosition();
  s_.shownQuestionKey = s_.currentKey;
  const content::Statement query = content::selectQuestion(s_.currentKey);
  s_.lastSqlText = query.text;
  content::openQuery(w_.记录集1, query);
  w_.记录集1.moveFirst();
  const auto show = [this](const char* field, platform::Label& label, const std::string& prefix) {
    w_.记录集1.readField(field, s_.practiceFieldText);
    label.setCaption(prefix + s_.practiceFieldText);
  };
  show("timu", w_.练习题目标签, "");
  show("a", w_.选项A标签, "");
  show("b", w_.选项B标签, "");
  show("c", w_.选项C标签, "");
  show("d", w_.选项D标签, "");
  show("daan", w_.练习正确答案标签, kAnswerPrefix);
  w_.记录集1.readField("sound", s_.currentSoundName);
  // The navigation bar hides the button while it loads, so the first question stays silent.
  if (w_.练习声音播放按钮.visible()) w_.playback.playCurrentSound();
}

void PracticeView::hideFeedback() {
  w_.练习正确答案标签.setVisible(false);
  w_.显示正确错误图片框.setVisible(false);
}

std::string PracticeView::keyAtCurrentPosition() {
  if (!w_.打乱顺序选择框.checked())
    return w_.顺序对照列表框.getCellText(s_.currentQuestionIndex, 0);
  const double ordinal =
      platform::textToNumber(w_.打乱顺序列表框.getCellText(s_.currentQuestionIndex, 0));
  return w_.顺序对照列表框.getCellText(static_cast<int>(ordinal - 1), 0);
}
