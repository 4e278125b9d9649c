// The practice sets of data\lianxi.mdb, checked against the lesson items they are made from.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "content/keys.h"
#include "sample_content.h"

namespace {

using sample::Row;

constexpr std::array<std::string_view, 3> modes = {
    content::listenChooseJapanese, content::chineseChooseJapanese, content::japaneseChooseChinese};
constexpr std::array<std::string_view, 2> kinds = {content::sentenceKind, content::wordKind};
constexpr std::array<const char*, 4> optionColumns = {"a", "b", "c", "d"};

// Where a practice set comes from: its course's lesson of the same kind, and its mode.
struct SetOrigin {
  std::string lessonKey;
  std::string_view mode;
};

std::map<std::string, SetOrigin> practiceSetsOfTheCatalogue() {
  std::map<std::string, SetOrigin> sets;
  for (const Row& course : sample::contentTable("kecheng")) {
    for (std::string_view mode : modes) {
      for (std::string_view kind : kinds) {
        std::string_view theme =
            kind == content::sentenceKind ? content::sentenceTheme : content::wordTheme;
        sets[content::practiceSetId(course.at("kb"), mode, kind)] = {
            content::lessonKey(course.at("kb"), theme), mode};
      }
    }
  }
  return sets;
}

const Row* findItem(const std::vector<Row>& items, const std::string& lessonKey, const char* column,
                    const std::string& text) {
  for (const Row& item : items) {
    if (item.at("id") == lessonKey && item.at(column) == text) return &item;
  }
  return nullptr;
}

TEST(SamplePractice, EverySetOfTheCatalogueHasItsQuestions) {
  const auto sets = practiceSetsOfTheCatalogue();
  ASSERT_EQ(sets.size(), sample::contentTable("kecheng").size() * 6);
  std::map<std::string, int> questions;
  for (const Row& question : sample::exerciseTable("lianxi")) ++questions[question.at("id")];
  for (const auto& [id, origin] : sets) {
    EXPECT_GE(questions[id], 6) << id;
    EXPECT_LE(questions[id], 10) << id;
  }
  EXPECT_EQ(questions.size(), sets.size()) << "questions outside every course's sets";
}

TEST(SamplePractice, ExactlyOneOfFourDifferentOptionsIsTheAnswer) {
  for (const Row& question : sample::exerciseTable("lianxi")) {
    SCOPED_TRACE(question.at("biaoshi"));
    int matches = 0;
    std::string letter;
    for (std::size_t i = 0; i < optionColumns.size(); ++i) {
      const std::string& option = question.at(optionColumns[i]);
      EXPECT_FALSE(option.empty());
      for (std::size_t j = 0; j < i; ++j) EXPECT_NE(option, question.at(optionColumns[j]));
      if (option == question.at("daan")) {
        ++matches;
        letter = std::string(1, static_cast<char>('A' + i));
      }
    }
    EXPECT_EQ(matches, 1);
    EXPECT_EQ(question.at("xuanxiang"), letter);
  }
}

// Stems, options and recordings are those of the course's own items: the Japanese is chosen for
// the recording or the translation, the translation for the Japanese.
TEST(SamplePractice, QuestionsAreMadeFromTheirCoursesItems) {
  const auto sets = practiceSetsOfTheCatalogue();
  const auto items = sample::contentTable("study");
  for (const Row& question : sample::exerciseTable("lianxi")) {
    SCOPED_TRACE(question.at("biaoshi"));
    auto set = sets.find(question.at("id"));
    ASSERT_NE(set, sets.end());
    const auto& [lessonKey, mode] = set->second;
    const bool choosesJapanese = mode != content::japaneseChooseChinese;
    const char* optionColumn = choosesJapanese ? "jp" : "cn";

    for (const char* column : optionColumns) {
      EXPECT_NE(findItem(items, lessonKey, optionColumn, question.at(column)), nullptr)
          << column << " is no item of " << lessonKey;
    }
    const Row* answer = findItem(items, lessonKey, optionColumn, question.at("daan"));
    ASSERT_NE(answer, nullptr);
    // A word written alike in both languages (家, 水) would be matched by its look alone.
    EXPECT_NE(question.at("timu"), question.at("daan")) << "the stem gives the answer away";
    EXPECT_EQ(question.at("sound"), answer->at("sound"));
    if (mode == content::chineseChooseJapanese) {
      EXPECT_EQ(question.at("timu"), answer->at("cn"));
    } else if (mode == content::japaneseChooseChinese) {
      EXPECT_EQ(question.at("timu"), answer->at("jp"));
    } else {
      EXPECT_FALSE(question.at("timu").empty());
    }
  }
}

TEST(SamplePractice, ShipsWithNoAnswerRecorded) {
  for (const Row& question : sample::exerciseTable("lianxi")) {
    EXPECT_EQ(question.at("nin"), content::notAnswered) << question.at("biaoshi");
    EXPECT_EQ(question.at("shuru"), "") << question.at("biaoshi");
  }
}

}  // namespace
