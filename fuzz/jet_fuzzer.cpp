// Any bytes as an Access (Jet) file, copied into SQLite by the reader the import runs, then
// imported as a program's open does. The import runs the reader in a child process; here it runs
// in the fuzzer's own first, so that what the reader does guides the fuzzing. Nothing may crash,
// leak or hang; a copy that succeeds is a sound SQLite database whose every row reads back, its
// texts valid UTF-8; the import succeeds exactly when the copy does, keeps the original byte for
// byte beside its result, and leaves the file as it was and nothing else behind when it fails.
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/system/file_io.h"
#include "platform/system/gbk.h"
#include "platform/system/jet_import.h"
#include "platform/system/jet_reader.h"

namespace {

constexpr std::size_t kAccessHeadBytes = 0x15;

std::string firstText(sqlite3* db, const char* sql) {
  sqlite3_stmt* stmt = nullptr;
  std::string text;
  if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW) {
    if (const unsigned char* value = sqlite3_column_text(stmt, 0)) {
      text = reinterpret_cast<const char*>(value);
    }
  }
  sqlite3_finalize(stmt);
  return text;
}

std::vector<std::string> tableNames(sqlite3* db) {
  std::vector<std::string> names;
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &stmt, nullptr);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
  }
  sqlite3_finalize(stmt);
  return names;
}

void checkRows(sqlite3* db, const std::string& table) {
  const std::unique_ptr<char, decltype(&sqlite3_free)> sql(
      sqlite3_mprintf("SELECT * FROM \"%w\"", table.c_str()), sqlite3_free);
  sqlite3_stmt* stmt = nullptr;
  fuzz::check(sqlite3_prepare_v2(db, sql.get(), -1, &stmt, nullptr) == SQLITE_OK,
              "a copied table can be queried");
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(stmt)) == SQLITE_ROW) {
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      if (sqlite3_column_type(stmt, i) != SQLITE_TEXT) continue;
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(stmt, i));
      fuzz::check(platform::isValidUtf8({text, bytes}), "a copied text is valid UTF-8");
    }
  }
  fuzz::check(step == SQLITE_DONE, "every copied row reads back");
  sqlite3_finalize(stmt);
}

// Whether the database passes its integrity check; every row of it must read back, its texts
// valid UTF-8.
bool soundDatabase(sqlite3* db) {
  if (firstText(db, "PRAGMA integrity_check") != "ok") return false;
  for (const std::string& table : tableNames(db)) checkRows(db, table);
  return true;
}

void checkImport(const std::string& path, std::string_view bytes, bool copied) {
  const std::string kept = path + ".jet";
  const std::optional<platform::SqliteTarget> target = platform::sqliteTargetFor(path);
  fuzz::check(target.has_value() == copied, "the import succeeds exactly when the copy does");
  if (!target) {
    fuzz::check(platform::readWholeFile(path) == bytes,
                "a failed import leaves the file as it was");
    fuzz::check(!std::filesystem::exists(kept) && !std::filesystem::exists(path + ".importing"),
                "a failed import leaves nothing behind");
    return;
  }
  fuzz::check(platform::readWholeFile(kept) == bytes, "the import keeps the original");
  sqlite3* db = nullptr;
  fuzz::check(sqlite3_open_v2(target->name.c_str(), &db, SQLITE_OPEN_READWRITE | target->openFlags,
                              nullptr) == SQLITE_OK &&
                  soundDatabase(db),
              "the import is a sound database");
  sqlite3_close(db);
  std::filesystem::remove(kept);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFolder scratch;
  // As the import's child process reads Jet 3 names.
  static const int charset = ::setenv("MDB_JET3_CHARSET", "CP936", 1);
  (void)charset;
  const std::string path = scratch.path() + "/data.mdb";
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  sqlite3* db = nullptr;
  fuzz::check(sqlite3_open(":memory:", &db) == SQLITE_OK, "an empty database can be made");
  const platform::JetCopy copy = platform::copyJetTables(path, size, db);
  if (copy.ok) fuzz::check(soundDatabase(db), "the copy is a sound database");
  sqlite3_close(db);
  // What the import takes for an Access file (its first bytes); any other bytes are the database
  // fuzzer's.
  const std::string_view head = bytes.substr(0, kAccessHeadBytes);
  if (head.size() == kAccessHeadBytes && head.starts_with(std::string_view("\0\1\0\0", 4)) &&
      (head.substr(4, 15) == "Standard Jet DB" || head.substr(4, 15) == "Standard ACE DB")) {
    checkImport(path, bytes, copy.ok);
  }
  return 0;
}
