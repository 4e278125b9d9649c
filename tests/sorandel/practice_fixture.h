#pragma once

#include <string>
#include <vector>

#include "tests/sorandel/sorandel_fixture.h"

// A Sorandel run with practice sets of "Lesson1": the effect sounds and mark pictures of the
// practice, and helpers that read the view as a learner sees it.
class PracticeRun : public SorandelRun {
 public:
  PracticeRun();

  // Questions "<prefix>1" to "<prefix>N" of a set: stem "题<key>", options "<key>A" to
  // "<key>D", the answer "<key>B", recording "tone_<key>", every row unanswered.
  void addSet(const std::string& setId, int count, const std::string& prefix);
  // The same rows written by one statement, for sets too large to add row by row.
  void addLargeSet(const std::string& setId, int count, const std::string& prefix);

  // Chooses navigation item 2 ("听读音辨日文"), 3 ("按译文选日文") or 4 ("按日文选译文").
  void choosePracticeItem(int item);
  void clickStart();
  // Clicks option 0 (A) to 3 (D).
  void clickOption(int option);

  // The next results window closes with Esc as soon as it has opened.
  void closeResultsWithEsc();

  // The item key of the question on the screen, read from its stem.
  std::string shownKey();
  // Column 0 of every row of a hidden list.
  static std::vector<std::string> cells(const platform::ListView& list);
  std::vector<std::string> effectSoundsHeard() const;
  // "right", "wrong" or "" for the mark shown (nothing shown).
  std::string markShown();
  bool answering();
};

class PracticeTest : public ::testing::Test, public PracticeRun {};
