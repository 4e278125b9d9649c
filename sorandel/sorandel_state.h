#pragma once

#include <string>

#include "platform/char_format.h"

// Sorandel's program-wide values, one instance per run, owned by the program. Every value
// starts as 0 or the empty text; the start-up and the views set them as they run.
struct SorandelState {
  // Start-up and courses.
  platform::CharFormat textFormat;
  int redoWrongOnly = 0;
  int repeatCount = 0;
  std::string courseName;
  std::string courseKey;

  // Navigation.
  std::string currentKey;
  std::string practiceModeText;

  // The one store of the SQL statement last built.
  std::string lastSqlText;

  // Course window: the field buffer of its list.
  std::string courseFieldText;

  // Lesson text build.
  std::string lessonFieldText;
  std::string lessonItemKeyText;
  int textLineCount = 0;

  // Click state of click-to-read, cleared by every build of the lesson text.
  int clickBlockStart = 0;
  int clickNextBlockStart = 0;
  int clickLine = 0;
  std::string clickKind;
  int markedBlockStart = 0;
  int markedNextBlockStart = 0;
  std::string markedKind;

  // Playback.
  std::string currentSoundName;
  std::string playingItemKey;

  // Reading modes and repetition.
  int readingMode = 0;  // 0 click-to-read, 1 read-along
  int repeatActive = 0;
  int playCount = 0;
  int readAlongLine = 0;
  int readAlongBlockStart = 0;
  int readAlongNextBlockStart = 0;
  std::string readAlongKind;
  int readAlongMarkedBlockStart = 0;
  int readAlongMarkedNextBlockStart = 0;
  std::string readAlongMarkedKind;

  // Sentence drill.
  std::string drillLessonKey;
  int drillCount = 0;
  int drillIndex = 0;
  std::string drillFieldText;

  // Basics window.
  std::string basicsTopic;
  std::string basicsPagePath;

  // Practice and results.
  std::string practiceSetId;
  int practiceQuestionCount = 0;
  int currentQuestionIndex = 0;
  std::string practiceFieldText;
  std::string chosenOptionText;
  // The item key of the question on the screen: an answer is recorded against it, whatever
  // the shuffle box says by the time the learner answers.
  std::string shownQuestionKey;
  int wrongAnswerCount = 0;
};
