#include "platform/system/jet_catalogue.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace platform {

namespace {

constexpr unsigned long kCataloguePage = 2;
constexpr unsigned long kPageMask = 0x00ffffff;  // the high bits of an object's id are flags
constexpr int kTypeMask = 0x7f;

}  // namespace

std::optional<std::vector<MdbCatalogEntry>> readUserTables(MdbHandle* mdb) {
  MdbCatalogEntry objects{};
  objects.mdb = mdb;
  objects.object_type = MDB_TABLE;
  objects.table_pg = kCataloguePage;
  std::strcpy(objects.object_name, "MSysObjects");
  std::unique_ptr<MdbTableDef, MdbTableFreer> table(mdb_read_table(&objects));
  if (!table || !mdb_read_columns(table.get())) return std::nullopt;

  // Each field as text, in buffers of the size libmdb writes into.
  std::string id(mdb->bind_size, '\0');
  std::string name(mdb->bind_size, '\0');
  std::string type(mdb->bind_size, '\0');
  std::string flags(mdb->bind_size, '\0');
  char idColumn[] = "Id", nameColumn[] = "Name", typeColumn[] = "Type", flagsColumn[] = "Flags";
  if (mdb_bind_column_by_name(table.get(), idColumn, id.data(), nullptr) < 1 ||
      mdb_bind_column_by_name(table.get(), nameColumn, name.data(), nullptr) < 1 ||
      mdb_bind_column_by_name(table.get(), typeColumn, type.data(), nullptr) < 1 ||
      mdb_bind_column_by_name(table.get(), flagsColumn, flags.data(), nullptr) < 1) {
    return std::nullopt;
  }
  std::vector<MdbCatalogEntry> tables;
  mdb_rewind_table(table.get());
  while (mdb_fetch_row(table.get())) {
    MdbCatalogEntry entry{};
    entry.mdb = mdb;
    entry.object_type = std::atoi(type.c_str()) & kTypeMask;
    entry.table_pg = std::strtoul(id.c_str(), nullptr, 10) & kPageMask;
    entry.flags = static_cast<int>(std::strtol(flags.c_str(), nullptr, 10));
    std::strncpy(entry.object_name, name.c_str(), MDB_MAX_OBJ_NAME);
    if (mdb_is_user_table(&entry)) tables.push_back(entry);
  }
  return tables;
}

}  // namespace platform
