#pragma once

#include <string>

// Tavolin's program-wide values, one instance per run, owned by the program. Every value starts
// as 0 or the empty text.
struct TavolinState {
  std::string courseKey;
  std::string studyTheme;
  std::string drillLessonKey;
  int drillCount = 0;
  int drillIndex = 0;
  std::string currentKey;
  std::string currentSoundName;
  // The one store of the SQL statement last built.
  std::string lastSqlText;
  std::string drillFieldText;
  // Course window: the field buffer of its list.
  std::string courseFieldText;
};
