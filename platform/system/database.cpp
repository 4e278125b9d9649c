#include "platform/system/database.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdint>
#include <optional>

#include "platform/system/ascii_names.h"
#include "platform/system/diagnostics.h"
#include "platform/system/jet_import.h"
#include "platform/system/paths.h"
#include "platform/system/regular_file.h"

namespace platform {

namespace detail {

// What a connection shares with the record sets attached to it. A record set holds it weakly,
// so a connection that is gone simply makes its queries fail.
struct ConnectionLink {
  sqlite3* db = nullptr;
  std::string file;
  std::uint64_t generation = 0;  // changes at every open and close
};

}  // namespace detail

namespace {

constexpr std::string_view kNoDatabase = "(no database open)";

std::string quotedIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
        SQLITE_OK) {
      stmt_ = nullptr;
    }
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  explicit operator bool() const { return stmt_ != nullptr; }
  sqlite3_stmt* get() const { return stmt_; }

  bool bindTexts(const std::vector<std::string>& texts, int first = 1) {
    for (size_t i = 0; i < texts.size(); ++i) {
      if (sqlite3_bind_text(stmt_, first + static_cast<int>(i), texts[i].data(),
                            static_cast<int>(texts[i].size()), SQLITE_TRANSIENT) != SQLITE_OK) {
        return false;
      }
    }
    return true;
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// "SELECT * FROM <table> ..." names the one table its rows come from, so they can be written
// back by rowid; for any other statement the result is read-only.
struct SingleTableSelect {
  std::string table;
  std::string withRowid;
};

std::optional<SingleTableSelect> singleTableSelect(std::string_view sql) {
  size_t i = 0;
  auto skipSpaces = [&] {
    const size_t start = i;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
    return i > start;
  };
  auto word = [&](std::string_view expected) {
    if (!sameNameIgnoringAsciiCase(sql.substr(i, expected.size()), expected)) return false;
    i += expected.size();
    return true;
  };
  skipSpaces();
  if (!word("SELECT") || !skipSpaces() || !word("*")) return std::nullopt;
  skipSpaces();
  if (!word("FROM") || !skipSpaces()) return std::nullopt;
  const size_t tableStart = i;
  while (i < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_')) ++i;
  if (i == tableStart) return std::nullopt;
  const std::string_view rest = sql.substr(i);
  if (!rest.empty() && !std::isspace(static_cast<unsigned char>(rest[0])) && rest[0] != ';') {
    return std::nullopt;
  }
  std::string table(sql.substr(tableStart, i - tableStart));
  std::string withRowid = "SELECT _rowid_, * FROM " + table + std::string(rest);
  return SingleTableSelect{std::move(table), std::move(withRowid)};
}

std::string columnText(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  if (!text) return {};
  return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
}

void reportQueryFailure(std::string_view file, std::string_view reason, std::string_view sql) {
  reportFailure(file, std::string(reason) + " (" + std::string(sql) + ")");
}

}  // namespace

DatabaseConnection::DatabaseConnection() : link_(std::make_shared<detail::ConnectionLink>()) {}

DatabaseConnection::~DatabaseConnection() { close(); }

bool DatabaseConnection::open(std::string_view file, [[maybe_unused]] std::string_view password) {
  close();
  const std::string path = nativePath(file);
  const RegularFile existing = openRegularFile(path);
  if (!existing) {
    if (!existing.reported()) reportFailure(path, "no such database file");
    return false;
  }
  if (existing.size() == 0) {
    reportFailure(path, "empty file, not a database");
    return false;
  }
  // An Access file is imported into SQLite first; from then on the file is a SQLite one.
  const auto target = sqliteTargetFor(path);
  if (!target) return false;
  sqlite3* db = nullptr;
  // Without SQLITE_OPEN_CREATE: a missing file must never be made here.
  if (sqlite3_open_v2(target->name.c_str(), &db, SQLITE_OPEN_READWRITE | target->openFlags,
                      nullptr) != SQLITE_OK) {
    reportFailure(path, db ? sqlite3_errmsg(db) : "cannot open");
    sqlite3_close(db);
    return false;
  }
  // Another connection, of this program or another, may be writing the same file.
  sqlite3_busy_timeout(db, 2000);
  // SQLite reads the header lazily; ask for the schema now so a file that is not a database
  // fails here and not at the first query. FULL makes every update durable when it returns.
  if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master; PRAGMA synchronous = FULL", nullptr,
                   nullptr, nullptr) != SQLITE_OK) {
    reportFailure(path, sqlite3_errmsg(db));
    sqlite3_close(db);
    return false;
  }
  link_->db = db;
  link_->file = path;
  ++link_->generation;
  return true;
}

void DatabaseConnection::close() {
  if (!link_->db) return;
  sqlite3_close_v2(link_->db);
  link_->db = nullptr;
  link_->file.clear();
  ++link_->generation;
}

bool DatabaseConnection::isOpen() const { return link_->db != nullptr; }

bool DatabaseConnection::beginTransaction() { return execute("BEGIN IMMEDIATE"); }

bool DatabaseConnection::commitTransaction() {
  if (execute("COMMIT")) return true;
  rollbackTransaction();
  return false;
}

void DatabaseConnection::rollbackTransaction() {
  if (link_->db && !sqlite3_get_autocommit(link_->db)) execute("ROLLBACK");
}

bool DatabaseConnection::execute(const char* sql) {
  if (!link_->db) {
    reportFailure(kNoDatabase, std::string(sql) + " without an open database");
    return false;
  }
  if (sqlite3_exec(link_->db, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  reportFailure(link_->file, std::string(sql) + ": " + sqlite3_errmsg(link_->db));
  return false;
}

struct RecordSet::Result {
  std::string file;
  std::uint64_t generation = 0;
  std::string table;  // empty when the rows cannot be written back
  std::vector<std::string> columns;
  struct Row {
    sqlite3_int64 rowid = 0;
    std::vector<std::string> values;
  };
  std::vector<Row> rows;
  size_t current = 0;  // rows.size() when there is no current row
  std::vector<std::pair<size_t, std::string>> pending;

  bool hasCurrentRow() const { return current < rows.size(); }

  std::optional<size_t> column(std::string_view name) const {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (sameNameIgnoringAsciiCase(columns[i], name)) return i;
    }
    return std::nullopt;
  }

  void moveTo(size_t row) {
    current = row < rows.size() ? row : rows.size();
    pending.clear();
  }
};

RecordSet::RecordSet() = default;
RecordSet::~RecordSet() = default;

void RecordSet::attachConnection(DatabaseConnection& connection) { link_ = connection.link_; }

bool RecordSet::openQuery(std::string_view sql, int mode) {
  return openQuery(std::string(sql), {}, mode);
}

bool RecordSet::openQuery(const std::string& sql, const std::vector<std::string>& params,
                          [[maybe_unused]] int mode) {
  result_.reset();
  const auto link = link_.lock();
  if (!link || !link->db) {
    reportQueryFailure(kNoDatabase, "query without an open database", sql);
    return false;
  }
  auto result = std::make_unique<Result>();
  result->file = link->file;
  result->generation = link->generation;

  const auto single = singleTableSelect(sql);
  std::optional<Statement> statement;
  if (single) {
    statement.emplace(link->db, single->withRowid);
    if (*statement) result->table = single->table;
  }
  if (!statement || !*statement) statement.emplace(link->db, sql);
  if (!*statement) {
    reportQueryFailure(link->file, sqlite3_errmsg(link->db), sql);
    return false;
  }
  sqlite3_stmt* stmt = statement->get();
  if (sqlite3_bind_parameter_count(stmt) != static_cast<int>(params.size()) ||
      !statement->bindTexts(params)) {
    reportQueryFailure(link->file, "the statement's parameters do not match its keys", sql);
    return false;
  }
  const int first = result->table.empty() ? 0 : 1;
  const int count = sqlite3_column_count(stmt);
  for (int c = first; c < count; ++c) result->columns.emplace_back(sqlite3_column_name(stmt, c));

  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    Result::Row row;
    if (first == 1) row.rowid = sqlite3_column_int64(stmt, 0);
    for (int c = first; c < count; ++c) row.values.push_back(columnText(stmt, c));
    result->rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) {
    reportQueryFailure(link->file, sqlite3_errmsg(link->db), sql);
    return false;
  }
  result->moveTo(0);
  result_ = std::move(result);
  return true;
}

int RecordSet::recordCount() const { return result_ ? static_cast<int>(result_->rows.size()) : 0; }

void RecordSet::moveFirst() {
  if (result_) result_->moveTo(0);
}

void RecordSet::moveNext() {
  if (result_ && result_->hasCurrentRow()) result_->moveTo(result_->current + 1);
}

bool RecordSet::endOfRecords() const { return !result_ || !result_->hasCurrentRow(); }

bool RecordSet::readField(std::string_view name, std::string& out) const {
  out.clear();
  if (!result_ || !result_->hasCurrentRow()) return false;
  const auto column = result_->column(name);
  if (!column) return false;
  for (const auto& [index, text] : result_->pending) {
    if (index == *column) {
      out = text;
      return true;
    }
  }
  out = result_->rows[result_->current].values[*column];
  return true;
}

bool RecordSet::writeField(std::string_view name, std::string_view text) {
  if (!result_ || !result_->hasCurrentRow()) {
    reportFailure(result_ ? result_->file : kNoDatabase,
                  "field " + std::string(name) + " written without a current row");
    return false;
  }
  const auto column = result_->column(name);
  if (!column) {
    reportFailure(result_->file, "no field " + std::string(name) + " to write");
    return false;
  }
  for (auto& [index, pendingText] : result_->pending) {
    if (index == *column) {
      pendingText = text;
      return true;
    }
  }
  result_->pending.emplace_back(*column, std::string(text));
  return true;
}

bool RecordSet::update() {
  if (!result_ || !result_->hasCurrentRow()) {
    reportFailure(result_ ? result_->file : kNoDatabase, "update without a current row");
    return false;
  }
  Result& result = *result_;
  if (result.pending.empty()) return true;
  if (result.table.empty()) {
    reportFailure(result.file, "update of a result that cannot be written back");
    return false;
  }
  const auto link = link_.lock();
  if (!link || !link->db || link->generation != result.generation) {
    reportFailure(result.file, "update after the database was closed or reopened");
    return false;
  }
  std::string sql = "UPDATE " + quotedIdentifier(result.table) + " SET ";
  std::vector<std::string> values;
  for (const auto& [index, text] : result.pending) {
    if (!values.empty()) sql += ", ";
    sql += quotedIdentifier(result.columns[index]) + " = ?";
    values.push_back(text);
  }
  sql += " WHERE _rowid_ = ?";
  Statement statement(link->db, sql);
  Result::Row& row = result.rows[result.current];
  const bool stored = statement && statement.bindTexts(values) &&
                      sqlite3_bind_int64(statement.get(), static_cast<int>(values.size()) + 1,
                                         row.rowid) == SQLITE_OK &&
                      sqlite3_step(statement.get()) == SQLITE_DONE;
  if (!stored) {
    reportFailure(result.file,
                  "update of " + result.table + " failed: " + sqlite3_errmsg(link->db));
    return false;
  }
  if (sqlite3_changes(link->db) != 1) {
    reportFailure(result.file, "update of " + result.table + ": the row is no longer there");
    return false;
  }
  for (auto& [index, text] : result.pending) row.values[index] = std::move(text);
  result.pending.clear();
  return true;
}

void RecordSet::close() { result_.reset(); }

}  // namespace platform
