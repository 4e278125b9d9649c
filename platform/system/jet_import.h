#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// What SQLite is asked to open for a database file.
struct SqliteTarget {
  std::string name;
  int openFlags = 0;  // added to SQLITE_OPEN_READWRITE
};

// The SQLite database that serves the database file `path`, told apart by its first bytes:
// - a SQLite file serves itself;
// - an Access file (Jet 3, Jet 4 or ACE) is imported into SQLite at its first open: the copy is
//   written under a temporary name beside it, the original is kept unchanged as `<path>.jet`
//   and the copy takes its name. A crash at any point leaves the original in place (the next
//   open imports again) or the finished copy. Where nothing can be written beside the file, the
//   import is kept in memory for the rest of the run, answers included;
// - anything else is not a database.
// Empty, with one line on stderr, when no database can be had; a bad file is never changed and
// leaves nothing behind. The reading runs in a child process with a time limit, so a damaged
// file that would crash or hang the reader only fails the open; the reader library is loaded
// the first time an Access file is met.
std::optional<SqliteTarget> sqliteTargetFor(const std::string& path);

// Points where a test can stop an import as a crash would.
enum class ImportStep {
  Copying,       // in the child process, before the tables are read
  CopyFinished,  // the copy is complete under its temporary name
  OriginalKept,  // the original is also under its `.jet` name; the copy has not taken its place
};

namespace import_testing {
// Called at each step; a hook that raises a signal stands for a crash there.
void setStepHook(std::function<void(ImportStep)> hook);
// How long the reading child may take before it is stopped and the open fails.
void setTimeLimit(std::chrono::milliseconds limit);
}  // namespace import_testing

}  // namespace platform
