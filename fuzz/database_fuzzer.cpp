// Any bytes as a database file: opened, every table queried and walked field by field, and its
// first row updated, as the programs do with their content files. Nothing may crash or hang;
// an update that reports success reads back what was written.
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/system/database.h"
#include "tests/support/record_walk.h"

namespace {

constexpr int kMode = 1;
constexpr std::string_view kWritten = "fuzz";
// Enough to reach every part of a small file; a schema may list far more.
constexpr std::size_t kTablesWalked = 8;

// A plain name as the programs write them (so that its rows can be written back); any other name
// quoted, so that it cannot add to the statement.
std::string tableReference(const std::string& table) {
  const bool plain =
      !table.empty() &&
      table.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_") ==
          std::string::npos;
  if (plain) return table;
  std::string quoted = "\"";
  for (char c : table) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

void walkAndUpdate(platform::DatabaseConnection& connection, const std::string& table) {
  platform::RecordSet fields;
  fields.attachConnection(connection);
  if (!fields.openQuery("SELECT name FROM pragma_table_info(?)", {table}, kMode)) return;
  const std::vector<std::string> names = test_support::readColumn(fields, "name");

  platform::RecordSet rows;
  rows.attachConnection(connection);
  if (!rows.openQuery("SELECT * FROM " + tableReference(table), kMode)) return;
  std::string value;
  for (rows.moveFirst(); !rows.endOfRecords(); rows.moveNext()) {
    for (const std::string& name : names) rows.readField(name, value);
  }
  rows.moveFirst();
  if (names.empty() || rows.endOfRecords()) return;
  if (rows.writeField(names.front(), kWritten) && rows.update()) {
    fuzz::check(rows.readField(names.front(), value) && value == kWritten,
                "an updated field reads back as written");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFolder folder;
  const std::string file = folder.path() + "/data.mdb";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  platform::DatabaseConnection connection;
  if (!connection.open(file)) return 0;
  platform::RecordSet tables;
  tables.attachConnection(connection);
  if (!tables.openQuery("SELECT name FROM sqlite_master WHERE type = 'table'", kMode)) return 0;
  std::vector<std::string> names = test_support::readColumn(tables, "name");
  if (names.size() > kTablesWalked) names.resize(kTablesWalked);
  for (const std::string& table : names) walkAndUpdate(connection, table);
  return 0;
}
