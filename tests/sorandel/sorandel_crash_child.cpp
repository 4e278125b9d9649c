// The learner that the kill scripts kill: Sorandel on the headless backend in a program folder,
// doing one thing in a loop until it is killed. Each line goes unbuffered to stdout.
//
//   sorandel_crash_child prepare <folder>  makes the folder: three courses, one practice set
//   sorandel_crash_child answer <folder>   answers the set's questions for ever
//       (scripts/practice_crash.py): "A <key> <choice>" before each click on an option and
//       "C <key> <choice>" once the click's handler has returned, the mark shown: an answer
//       confirmed to the learner.
//   sorandel_crash_child choose <folder>   chooses the courses in turn in the course window
//       (scripts/whole_write_crash.py): "A <course key>" before each OK, "C <course key>"
//       once it has returned.
//   sorandel_crash_child clear <folder>    answers the whole set and clears it from the results
//       window (scripts/whole_write_crash.py): "M" before the set is marked answered, "A"
//       before the OK that clears it, "C" once that OK has returned.
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "content/content_folders.h"
#include "content/schema.h"
#include "content/settings_file.h"
#include "course_window/course_select_window.h"
#include "platform/headless/headless_backend.h"
#include "platform/system/paths.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"
#include "sorandel/results_window.h"

namespace {

constexpr int kQuestions = 12;
constexpr const char* kSetId = "Lesson1中选日句子";
constexpr const char* kCourses[][2] = {{"Lesson1  家庭问候", "Lesson1"},
                                       {"Lesson2  商店购物", "Lesson2"},
                                       {"Lesson3  问路", "Lesson3"}};

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
  for (const auto& [name, key] : kCourses) {
    made = made && execute(lessons, std::string("INSERT INTO kecheng VALUES ('") + name + "', '" +
                                        key + "')");
  }
  sqlite3_close(lessons);
  std::filesystem::create_directories(std::filesystem::path(folder) / "setting");
  made = made &&
         content::SettingsFile::write(folder, {{content::SettingsFile::courseName, kCourses[0][0]},
                                               {content::SettingsFile::courseKey, kCourses[0][1]}});
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

// Sorandel started in the folder, on the headless backend.
struct Run {
  explicit Run(const std::string& folder) : runtime(backend, folder) { initGlobals(state); }
  MainWindow& start() { return runtime.start<MainWindow>(state); }

  platform::HeadlessBackend backend;
  platform::Runtime runtime;
  SorandelState state;
};

int answer(const std::string& folder) {
  Run run(folder);
  platform::HeadlessBackend& backend = run.backend;
  SorandelState& state = run.state;
  MainWindow& w = run.start();
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

int choose(const std::string& folder) {
  Run run(folder);
  MainWindow& w = run.start();
  for (int turn = 1;; ++turn) {
    const std::string key = kCourses[turn % std::size(kCourses)][1];
    run.backend.whenWindowOpens<CourseSelectWindow>([&](CourseSelectWindow& d) {
      run.backend.selectRow(d.课程列表框, turn % static_cast<int>(std::size(kCourses)));
      say("A " + key);
      run.backend.click(d.确定按钮);
    });
    run.backend.click(w.课程选择按钮);
    say("C " + key);
  }
}

int clear(const std::string& folder) {
  Run run(folder);
  MainWindow& w = run.start();
  sqlite3* db = nullptr;
  const std::string file = platform::nativePath(
      content::ContentFolders::path(folder, content::ContentFolders::exerciseDatabase));
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) return 1;
  sqlite3_busy_timeout(db, 2000);
  run.backend.clickItem(w.主菜单, 0, 3);
  for (;;) {
    say("M");
    // Every question answered, in one statement: the set is whole before the clear.
    if (!execute(db, std::string("UPDATE lianxi SET nin = '错误', shuru = 'X' WHERE id = '") +
                         kSetId + "'")) {
      return 1;
    }
    run.backend.click(w.开始按钮);
    run.backend.whenWindowOpens<ResultsWindow>([&](ResultsWindow& r) {
      say("A");
      run.backend.click(r.确定按钮);
    });
    run.backend.click(w.交卷按钮);
    say("C");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: sorandel_crash_child prepare|answer|choose|clear <program folder>\n";
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "prepare") return prepare(argv[2]);
  if (mode == "answer") return answer(argv[2]);
  if (mode == "choose") return choose(argv[2]);
  if (mode == "clear") return clear(argv[2]);
  std::cerr << "unknown mode " << mode << "\n";
  return 2;
}
