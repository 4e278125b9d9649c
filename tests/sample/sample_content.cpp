#include "sample_content.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

#include "content/content_folders.h"
#include "platform/system/paths.h"

namespace sample {
namespace {

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Database openReadOnly(const std::filesystem::path& file) {
  sqlite3* handle = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
  Database database(handle, &sqlite3_close);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot open " + file.string());
  return database;
}

std::vector<Row> query(std::string_view databaseTail, const std::string& sql) {
  Database database = openReadOnly(contentFile(generatedFolder(), databaseTail));
  sqlite3_stmt* handle = nullptr;
  if (sqlite3_prepare_v2(database.get(), sql.c_str(), -1, &handle, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(database.get()));
  }
  Statement statement(handle, &sqlite3_finalize);
  std::vector<Row> rows;
  while (sqlite3_step(statement.get()) == SQLITE_ROW) {
    Row& row = rows.emplace_back();
    for (int column = 0; column < sqlite3_column_count(statement.get()); ++column) {
      const unsigned char* text = sqlite3_column_text(statement.get(), column);
      row[sqlite3_column_name(statement.get(), column)] =
          text ? reinterpret_cast<const char*>(text) : "";
    }
  }
  return rows;
}

}  // namespace

std::filesystem::path generatedFolder() { return SAMPLE_CONTENT_DIR; }

std::filesystem::path programFolder() { return SAMPLE_APP_DIR; }

std::filesystem::path contentFile(const std::filesystem::path& folder, std::string_view tail) {
  return platform::nativePath(content::ContentFolders::path(folder.string(), tail));
}

std::vector<Row> contentTable(std::string_view table) {
  return query(content::ContentFolders::contentDatabase, "SELECT * FROM " + std::string(table));
}

std::vector<Row> exerciseTable(std::string_view table) {
  return query(content::ContentFolders::exerciseDatabase, "SELECT * FROM " + std::string(table));
}

std::string schemaOf(std::string_view databaseTail) {
  std::string schema;
  for (const Row& row : query(databaseTail, "SELECT sql FROM sqlite_master WHERE type = 'table'")) {
    schema += row.at("sql") + ";\n";
  }
  return schema;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace sample
