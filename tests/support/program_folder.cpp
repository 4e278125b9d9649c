#include "tests/support/program_folder.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "content/content_folders.h"
#include "content/schema.h"
#include "platform/system/file_io.h"
#include "platform/system/gbk.h"
#include "platform/system/paths.h"

namespace test_support {

namespace fs = std::filesystem;
using content::ContentFolders;

namespace {

// A fixture that cannot build its folder fails the test loudly instead of testing nothing.
[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

class Database {
 public:
  explicit Database(const std::string& file) {
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
      fail("cannot open " + file);
    }
  }
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void execute(std::string_view sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      const std::string reason = message ? message : "unknown error";
      sqlite3_free(message);
      fail(std::string(sql) + ": " + reason);
    }
  }

  void insert(std::string_view table, const std::vector<std::string_view>& values) {
    std::string sql = "INSERT INTO " + std::string(table) + " VALUES (";
    for (size_t i = 0; i < values.size(); ++i) sql += i == 0 ? "?" : ", ?";
    sql += ")";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) fail(sql);
    for (size_t i = 0; i < values.size(); ++i) {
      sqlite3_bind_text(stmt, static_cast<int>(i) + 1, values[i].data(),
                        static_cast<int>(values[i].size()), SQLITE_TRANSIENT);
    }
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) fail(sql + ": " + sqlite3_errmsg(db_));
  }

  // Rows as texts, Null as "".
  std::vector<std::vector<std::string>> rows(const std::string& sql,
                                             const std::vector<std::string>& params = {}) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) fail(sql);
    for (size_t i = 0; i < params.size(); ++i) {
      sqlite3_bind_text(stmt, static_cast<int>(i) + 1, params[i].data(),
                        static_cast<int>(params[i].size()), SQLITE_TRANSIENT);
    }
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
        row.emplace_back(text ? text : "");
      }
      rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    return rows;
  }

 private:
  sqlite3* db_ = nullptr;
};

Question questionOf(const std::vector<std::string>& row) {
  return {row[0], row[1], row[2], row[3], row[4],  row[5],
          row[6], row[7], row[8], row[9], row[10], row[11]};
}

}  // namespace

ProgramFolder::ProgramFolder() {
  std::string pattern = (fs::temp_directory_path() / "sorandel-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) fail("cannot make a temporary program folder");
  path_ = pattern;
  for (const char* folder : {"data", "setting", "music", "效果", "图片"}) {
    fs::create_directories(fs::path(path_) / folder);
  }
  Database(file(ContentFolders::contentDatabase)).execute(content::contentDatabaseSchema);
  Database(file(ContentFolders::exerciseDatabase)).execute(content::exerciseDatabaseSchema);
}

ProgramFolder::~ProgramFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ProgramFolder::file(std::string_view tail) const {
  return platform::nativePath(ContentFolders::path(path_, tail));
}

ProgramFolder& ProgramFolder::addCourse(std::string_view kecheng, std::string_view kb) {
  Database(file(ContentFolders::contentDatabase)).insert(content::kecheng::table, {kecheng, kb});
  return *this;
}

ProgramFolder& ProgramFolder::addItem(std::string_view id, std::string_view biaoshi,
                                      std::string_view jp, std::string_view cn,
                                      std::string_view sound) {
  Database(file(ContentFolders::contentDatabase))
      .insert(content::study::table, {id, biaoshi, jp, cn, sound});
  return *this;
}

ProgramFolder& ProgramFolder::addQuestion(const Question& q) {
  Database(file(ContentFolders::exerciseDatabase))
      .insert(content::lianxi::table, {q.id, q.biaoshi, q.timu, q.a, q.b, q.c, q.d, q.daan,
                                       q.xuanxiang, q.sound, q.nin, q.shuru});
  return *this;
}

void ProgramFolder::execute(std::string_view databaseTail, std::string_view sql) const {
  Database(file(databaseTail)).execute(sql);
}

void ProgramFolder::writeSettings(std::string_view text) const {
  const auto gbk = platform::utf8ToGbk(text);
  if (!gbk) fail("settings text not encodable in GBK");
  putFile(ContentFolders::settingsFile, *gbk);
}

std::string ProgramFolder::settingsText() const {
  return platform::gbkToUtf8(
      platform::readWholeFile(file(ContentFolders::settingsFile)).value_or(""));
}

void ProgramFolder::putFile(std::string_view tail, std::string_view bytes) const {
  const fs::path target = file(tail);
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) fail("cannot write " + target.string());
}

void ProgramFolder::removeFile(std::string_view tail) const {
  std::error_code ignored;
  fs::remove_all(file(tail), ignored);
}

bool ProgramFolder::exists(std::string_view tail) const { return fs::exists(file(tail)); }

std::vector<Question> ProgramFolder::questions() const {
  std::vector<Question> questions;
  for (const auto& row : Database(file(ContentFolders::exerciseDatabase))
                             .rows("SELECT * FROM lianxi ORDER BY rowid")) {
    questions.push_back(questionOf(row));
  }
  return questions;
}

std::optional<Question> ProgramFolder::question(std::string_view biaoshi) const {
  const auto rows = Database(file(ContentFolders::exerciseDatabase))
                        .rows("SELECT * FROM lianxi WHERE biaoshi = ? ORDER BY rowid LIMIT 1",
                              {std::string(biaoshi)});
  if (rows.empty()) return std::nullopt;
  return questionOf(rows.front());
}

}  // namespace test_support
