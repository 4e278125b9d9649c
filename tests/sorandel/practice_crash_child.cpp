// The learner that scripts/practice_crash.py kills: Sorandel on the headless backend in a
// program folder, answering the questions of one practice set in a loop until it is killed.
//
//   practice_crash_child prepare <folder>  makes the folder with its practice set
//   practice_crash_child answer <folder>   answers for ever
//
// While answering it writes, unbuffered to stdout, "A <key> <choice>" before each click on an
// option and "C <key> <choice>" once the click's handler has returned, the mark shown: an
// answer confirmed to the learner.
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "content/content_folders.h"
#include "content/schema.h"
#include "platform/headless/headless_backend.h"
#include "platform/system/paths.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"

namespace {

constexpr int kQuestions = 12;
constexpr const char* kSetId = "Lesson1中选日句子";

bool execute(sqlite3* db, const std::string& sql) {
  return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

int prepare(const std::string& folder) {
  std::filesystem::create_directories(std::filesystem::path(folder) / "data");
  const auto create = [&folder](std::string_view tail, std::string_view schema, sqlite3*& db) {
    const std::string file = platform::nativePath(content::ContentFolders::path(folder, tail));
    return sqlite3_open(file.c_str(), &db) == SQLITE_OK && execute(db, std::string(schema));
  };
  sqlite3* lessons = nullptr;
  sqlite3* db = nullptr;
  // The lesson text of the start needs its (empty) tables too.
  bool made =
      create(content::ContentFolders::contentDatabase, content::contentDatabaseSchema, lessons) &&
      create(content::ContentFolders::exerciseDatabase, content::exerciseDatabaseSchema, db);
  sqlite3_close(lessons);
  for (int i = 1; made && i <= kQuestions; ++i) {
    const std::string key = std::string("'K") + std::to_string(i);
    made = execute(db, std::string("INSERT INTO lianxi VALUES ('") + kSetId + "', " + key +
                           "', '题' || " + key + "', " + key + "A', " + key + "B', " + key +
                           "C', " + key + "D', " + key + "B', 'B', '', '您未做此题', '')");
  }
  sqlite3_close(db);
  if (!made) std::cerr << "cannot make the databases in " << folder << "\n";
  return made ? 0 : 1;
}

void say(const std::string& line) {
  const std::string text = line + "\n";
  if (::write(STDOUT_FILENO, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
    std::_Exit(3);
}

int answer(const std::string& folder) {
  platform::HeadlessBackend backend;
  platform::Runtime runtime(backend, folder);
  SorandelState state;
  initGlobals(state);
  MainWindow& w = runtime.start<MainWindow>(state);
  backend.clickItem(w.主菜单, 0, 3);
  backend.click(w.练习自动模式选择框);
  backend.click(w.开始按钮);
  platform::Label* options[] = {&w.选项A标签, &w.选项B标签, &w.选项C标签, &w.选项D标签};
  std::mt19937 random(std::random_device{}());
  for (;;) {
    platform::Label& option = *options[random() % 4];
    const std::string shown = state.shownQuestionKey + " " + option.caption();
    say("A " + shown);
    backend.click(option);
    say("C " + shown);
    if (state.currentQuestionIndex + 1 < state.practiceQuestionCount) {
      backend.click(w.练习下一题按钮);
    } else {
      backend.clickItem(w.主菜单, 0, 3);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: practice_crash_child prepare|answer <program folder>\n";
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "prepare") return prepare(argv[2]);
  if (mode == "answer") return answer(argv[2]);
  std::cerr << "unknown mode " << mode << "\n";
  return 2;
}
