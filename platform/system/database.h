#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

namespace detail {
struct ConnectionLink;
}

// A connection to one SQLite database file. Failures stay quiet for the program; each is
// written as one line to stderr (file and reason).
class DatabaseConnection {
 public:
  DatabaseConnection();
  ~DatabaseConnection();
  DatabaseConnection(const DatabaseConnection&) = delete;
  DatabaseConnection& operator=(const DatabaseConnection&) = delete;

  // Opens an existing database file, replacing what was open. Never creates a file: a missing
  // path, an empty file or a file that is not a database leaves the connection closed. SQLite
  // files carry no password; the one passed is not used.
  bool open(std::string_view file, std::string_view password = "");
  // Harmless when nothing is open.
  void close();

  bool isOpen() const;

  // The updates between these two reach the file as one change: all of them at the commit, or
  // none when the program dies before it, the commit fails or the transaction is rolled back.
  // The file is locked for writing from the start, so rows read in the transaction are still
  // what they were when they are written. Closing the connection rolls back what is not
  // committed.
  bool beginTransaction();
  bool commitTransaction();
  void rollbackTransaction();

 private:
  friend class RecordSet;
  bool execute(const char* sql);
  std::shared_ptr<detail::ConnectionLink> link_;
};

// The rows of one query, held in memory in the order the database returned them, with a current
// row that can be written back to the file.
class RecordSet {
 public:
  RecordSet();
  ~RecordSet();
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;

  void attachConnection(DatabaseConnection& connection);

  // Runs a SELECT and makes its rows the result, replacing the previous one; the first row is
  // current. `params` are bound to the statement's `?` placeholders as texts. Only mode 1
  // (counted, walked forward, updated in place) exists; every mode behaves as it. A failed
  // query leaves an empty result.
  bool openQuery(const std::string& sql, const std::vector<std::string>& params, int mode);
  bool openQuery(std::string_view sql, int mode);

  // Number of rows of the result; 0 when none is open.
  int recordCount() const;
  void moveFirst();
  void moveNext();
  // True when there is no current row.
  bool endOfRecords() const;

  // The current row's field as text: "" for Null, and "" (returning false) when there is no
  // current row or no field of that name. Field names match without regard to ASCII case.
  bool readField(std::string_view name, std::string& out) const;
  // Sets a field of the current row; stored by `update`, dropped when the current row moves.
  bool writeField(std::string_view name, std::string_view text);
  // Stores the written fields of the current row in the file; durable when it returns. The
  // current row stays where it is.
  bool update();
  // Drops the result; harmless when none is open.
  void close();

 private:
  struct Result;
  std::weak_ptr<detail::ConnectionLink> link_;
  std::unique_ptr<Result> result_;
};

}  // namespace platform
