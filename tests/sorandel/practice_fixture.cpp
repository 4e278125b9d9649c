#include "tests/sorandel/practice_fixture.h"

#include "content/content_folders.h"
#include "platform/system/file_bytes.h"
#include "sorandel/results_window.h"

using content::ContentFolders;

namespace {

constexpr const char* kStemPrefix = "题";

}  // namespace

PracticeRun::PracticeRun() {
  addLesson1();
  folder_.putFile(ContentFolders::rightAnswerSound, "RIFF right");
  folder_.putFile(ContentFolders::wrongAnswerSound, "RIFF wrong");
  folder_.putFile(ContentFolders::rightMarkPicture, "JPEG right");
  folder_.putFile(ContentFolders::wrongMarkPicture, "JPEG wrong");
}

void PracticeRun::addSet(const std::string& setId, int count, const std::string& prefix) {
  for (int i = 1; i <= count; ++i) {
    const std::string key = prefix + std::to_string(i);
    folder_.addQuestion({.id = setId,
                         .biaoshi = key,
                         .timu = kStemPrefix + key,
                         .a = key + "A",
                         .b = key + "B",
                         .c = key + "C",
                         .d = key + "D",
                         .daan = key + "B",
                         .xuanxiang = "B",
                         .sound = "tone_" + key});
  }
}

void PracticeRun::addLargeSet(const std::string& setId, int count, const std::string& prefix) {
  const std::string key = "'" + prefix + "' || i";
  folder_.execute(ContentFolders::exerciseDatabase,
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                      std::to_string(count) + ") INSERT INTO lianxi SELECT '" + setId + "', " +
                      key + ", '" + kStemPrefix + "' || " + key + ", " + key + " || 'A', " + key +
                      " || 'B', " + key + " || 'C', " + key + " || 'D', " + key +
                      " || 'B', 'B', 'tone_' || " + key + ", '您未做此题', '' FROM n");
}

void PracticeRun::choosePracticeItem(int item) {
  ASSERT_TRUE(backend().clickItem(w().主菜单, 0, item));
}

void PracticeRun::clickStart() { ASSERT_TRUE(backend().click(w().开始按钮)); }

void PracticeRun::clickOption(int option) {
  platform::Label* options[] = {&w().选项A标签, &w().选项B标签, &w().选项C标签, &w().选项D标签};
  ASSERT_TRUE(backend().click(*options[option]));
}

void PracticeRun::closeResultsWithEsc() {
  backend().whenWindowOpens<ResultsWindow>(
      [this](ResultsWindow& results) { ASSERT_TRUE(backend().pressEsc(results)); });
}

std::string PracticeRun::shownKey() {
  const std::string& stem = w().练习题目标签.caption();
  const std::string prefix = kStemPrefix;
  return stem.rfind(prefix, 0) == 0 ? stem.substr(prefix.size()) : stem;
}

std::vector<std::string> PracticeRun::cells(const platform::ListView& list) {
  std::vector<std::string> texts;
  for (int row = 0; row < list.getRowCount(); ++row) texts.push_back(list.getCellText(row, 0));
  return texts;
}

std::vector<std::string> PracticeRun::effectSoundsHeard() const {
  std::vector<std::string> heard;
  for (const std::string& file : backend_.soundFilesHeard()) {
    if (file == ContentFolders::path(folder_.path(), ContentFolders::rightAnswerSound))
      heard.push_back("right");
    if (file == ContentFolders::path(folder_.path(), ContentFolders::wrongAnswerSound))
      heard.push_back("wrong");
  }
  return heard;
}

std::string PracticeRun::markShown() {
  if (!w().显示正确错误图片框.shown()) return "";
  const platform::SharedBytes& picture = w().显示正确错误图片框.picture();
  if (picture == platform::readFileBytes(folder_.file(ContentFolders::rightMarkPicture)))
    return "right";
  if (picture == platform::readFileBytes(folder_.file(ContentFolders::wrongMarkPicture)))
    return "wrong";
  return "unknown picture";
}

bool PracticeRun::answering() {
  return !w().开始按钮.visible() && w().交卷按钮.visible() && !w().选项A标签.disabled();
}
