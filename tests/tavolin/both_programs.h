#pragma once

#include <filesystem>

#include "tests/support/program_folder.h"

// A program folder with one course of one item and both programs as built beside it, each
// where the other looks for it.
inline void putBothPrograms(test_support::ProgramFolder& folder) {
  folder.addCourse("Lesson1  家庭问候", "Lesson1")
      .addItem("Lesson1基本课文", "1S01", "おはよう。", "早上好。", "s01");
  for (const char* program : {SORANDEL_EXECUTABLE, TAVOLIN_EXECUTABLE}) {
    std::filesystem::copy_file(
        program, std::filesystem::path(folder.path()) / std::filesystem::path(program).filename());
  }
}
