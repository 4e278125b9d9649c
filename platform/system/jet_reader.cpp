#include "platform/system/jet_reader.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/system/jet_catalogue.h"
#include "platform/system/jet_text.h"

namespace platform {

namespace {

constexpr int kRowOffsetMask = 0x1fff;  // the high bits of a row's offset are flags
constexpr std::uint32_t kLongValueInline = 0x80000000;
constexpr std::uint32_t kLongValueOnePage = 0x40000000;
constexpr std::uint32_t kLongValueLengthMask = 0x3fffffff;

struct HandleCloser {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct SqliteFreer {
  void operator()(char* text) const { sqlite3_free(text); }
};
struct GlibFreer {
  void operator()(char* text) const { g_free(text); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};

using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

std::string quoted(const char* identifier) {
  std::unique_ptr<char, SqliteFreer> text(sqlite3_mprintf("\"%w\"", identifier));
  return text.get();
}

std::string takeGlibText(char* text) {
  std::unique_ptr<char, GlibFreer> owned(text);
  return owned ? std::string(owned.get()) : std::string();
}

// The declared type decides SQLite's affinity; every value reads back as text.
const char* sqliteType(int jetType) {
  switch (jetType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
      return "INTEGER";
    case MDB_FLOAT:
    case MDB_DOUBLE:
      return "REAL";
    case MDB_BINARY:
    case MDB_OLE:
      return "BLOB";
    default:
      return "TEXT";
  }
}

struct Blob {
  std::string bytes;
};
using Value = std::variant<std::monostate, std::int64_t, double, std::string, Blob>;

class TableCopier {
 public:
  TableCopier(MdbHandle* mdb, std::uint64_t fileSize, sqlite3* target)
      : mdb_(mdb),
        fileSize_(fileSize),
        target_(target),
        jet3_(mdb->f->jet_version == MDB_VER_JET3),
        jet3Text_(mdb->f->code_page) {}

  // Empty on success, else why the table cannot be copied.
  std::string copy(MdbCatalogEntry* entry) {
    std::unique_ptr<MdbTableDef, MdbTableFreer> table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get())) return tableFault(entry, "cannot be read");
    std::vector<MdbColumn*> columns;
    for (unsigned i = 0; i < table->num_cols; ++i) {
      columns.push_back(static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i)));
    }
    Statement insert = createTable(entry->object_name, columns);
    if (!insert) return tableFault(entry, sqlite3_errmsg(target_));

    std::vector<MdbField> fields(columns.size());
    unsigned rows = 0;
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
      int start = 0;
      size_t size = 0;
      if (mdb_find_row(mdb_, static_cast<int>(table->cur_row) - 1, &start, &size) != 0 ||
          mdb_crack_row(table.get(), start & kRowOffsetMask, size, fields.data()) < 0) {
        return tableFault(entry, "holds a damaged row");
      }
      for (size_t i = 0; i < columns.size(); ++i) {
        const auto value = valueOf(*columns[fields[i].colnum], fields[i]);
        if (!value) return tableFault(entry, "holds a damaged value");
        bind(insert.get(), fields[i].colnum + 1, *value);
      }
      if (sqlite3_step(insert.get()) != SQLITE_DONE)
        return tableFault(entry, sqlite3_errmsg(target_));
      sqlite3_reset(insert.get());
      ++rows;
    }
    if (rows != table->num_rows) {
      return tableFault(entry, "gives " + std::to_string(rows) + " of its " +
                                   std::to_string(table->num_rows) +
                                   " rows (truncated or damaged)");
    }
    return {};
  }

  std::string textSummary() const { return jet3_ ? jet3Text_.summary() : std::string(); }

 private:
  static std::string tableFault(MdbCatalogEntry* entry, std::string_view reason) {
    return "table " + std::string(entry->object_name) + " " + std::string(reason);
  }

  Statement createTable(const char* name, const std::vector<MdbColumn*>& columns) {
    std::string create = "CREATE TABLE " + quoted(name) + " (";
    std::string insert = "INSERT INTO " + quoted(name) + " VALUES (";
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) create += ", ", insert += ", ";
      create += quoted(columns[i]->name) + " " + sqliteType(columns[i]->col_type);
      insert += "?";
    }
    create += ")";
    insert += ")";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_exec(target_, create.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(target_, insert.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      sqlite3_finalize(stmt);
      return nullptr;
    }
    return Statement(stmt);
  }

  std::string text(std::string_view stored) {
    return jet3_ ? jet3Text_.toUtf8(stored) : jetUnicodeToUtf8(stored);
  }

  // Empty when the field's bytes are not sound.
  std::optional<Value> valueOf(const MdbColumn& column, const MdbField& field) {
    // A yes/no field lives in the row's null mask: a set bit is yes.
    if (column.col_type == MDB_BOOL) return Value(std::int64_t{field.is_null ? 0 : 1});
    if (field.is_null) return Value();
    if (field.start < 0 || field.siz < 0 || field.start + field.siz > mdb_->fmt->pg_size) {
      return std::nullopt;
    }
    unsigned char* page = mdb_->pg_buf;
    const std::string_view bytes(reinterpret_cast<const char*>(page + field.start),
                                 static_cast<size_t>(field.siz));
    switch (column.col_type) {
      case MDB_TEXT:
        return Value(text(bytes));
      case MDB_MEMO:
        if (auto stored = longValue(bytes)) return Value(text(*stored));
        return std::nullopt;
      case MDB_OLE:
        if (auto stored = longValue(bytes)) return Value(Blob{*std::move(stored)});
        return std::nullopt;
      case MDB_BINARY:
        return Value(Blob{std::string(bytes)});
      case MDB_BYTE:
        return sized(bytes, 1,
                     [&] { return Value(std::int64_t{mdb_get_byte(page, field.start)}); });
      case MDB_INT:
        return sized(bytes, 2, [&] {
          return Value(std::int64_t{static_cast<std::int16_t>(mdb_get_int16(page, field.start))});
        });
      case MDB_LONGINT:
      case MDB_COMPLEX:
        return sized(bytes, 4, [&] {
          return Value(std::int64_t{static_cast<std::int32_t>(mdb_get_int32(page, field.start))});
        });
      case MDB_FLOAT:
        return sized(bytes, 4, [&] { return Value(double{mdb_get_single(page, field.start)}); });
      case MDB_DOUBLE:
        return sized(bytes, 8, [&] { return Value(mdb_get_double(page, field.start)); });
      case MDB_NUMERIC:
        return sized(bytes, 17, [&] {
          return Value(takeGlibText(
              mdb_numeric_to_string(mdb_, field.start, column.col_scale, column.col_prec)));
        });
      case MDB_DATETIME:
      case MDB_MONEY:
      case MDB_REPID:
        return sized(bytes, column.col_type == MDB_REPID ? 16 : 8, [&] {
          return Value(
              takeGlibText(mdb_col_to_string(mdb_, page, field.start, column.col_type, field.siz)));
        });
      default:
        return Value();
    }
  }

  template <typename Read>
  static std::optional<Value> sized(std::string_view bytes, size_t needed, Read read) {
    if (bytes.size() < needed) return std::nullopt;
    return read();
  }

  // A memo or OLE field: a 12-byte header in the row, the bytes after it or in a chain of rows
  // elsewhere in the file. Read whole, however long.
  std::optional<std::string> longValue(std::string_view header) {
    if (header.size() < MDB_MEMO_OVERHEAD) return std::nullopt;
    void* headerBytes = const_cast<char*>(header.data());
    const auto flags = static_cast<std::uint32_t>(mdb_get_int32(headerBytes, 0));
    const size_t length = flags & kLongValueLengthMask;
    if (flags & kLongValueInline) return std::string(header.substr(MDB_MEMO_OVERHEAD));
    if (length > fileSize_) return std::nullopt;
    auto pageRow = static_cast<int>(mdb_get_int32(headerBytes, 4));
    std::string value;
    value.reserve(length);
    while (true) {
      void* page = nullptr;
      int start = 0;
      size_t size = 0;
      if (mdb_find_pg_row(mdb_, pageRow, &page, &start, &size) != 0) return std::nullopt;
      const char* row = static_cast<const char*>(page) + start;
      if (flags & kLongValueOnePage) return std::string(row, std::min(size, length));
      // Each row of a chain: the next row's place, then at least one byte of the value.
      if (size <= 4 || value.size() + size - 4 > length) return std::nullopt;
      value.append(row + 4, size - 4);
      pageRow = static_cast<int>(mdb_get_int32(page, start));
      if (value.size() == length) return value;
      if (pageRow == 0) return std::nullopt;
    }
  }

  static void bind(sqlite3_stmt* stmt, int index, const Value& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
      sqlite3_bind_int64(stmt, index, *number);
    } else if (const auto* real = std::get_if<double>(&value)) {
      sqlite3_bind_double(stmt, index, *real);
    } else if (const auto* textValue = std::get_if<std::string>(&value)) {
      sqlite3_bind_text(stmt, index, textValue->data(), static_cast<int>(textValue->size()),
                        SQLITE_TRANSIENT);
    } else if (const auto* blob = std::get_if<Blob>(&value)) {
      sqlite3_bind_blob(stmt, index, blob->bytes.data(), static_cast<int>(blob->bytes.size()),
                        SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_null(stmt, index);
    }
  }

  MdbHandle* mdb_;
  std::uint64_t fileSize_;
  sqlite3* target_;
  bool jet3_;
  Jet3Text jet3Text_;
};

JetCopy failure(std::string reason) { return JetCopy{.ok = false, .note = std::move(reason)}; }

}  // namespace

JetCopy copyJetTables(const std::string& jetFile, std::uint64_t fileSize, sqlite3* target) {
  std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(jetFile.c_str(), MDB_NOFLAGS));
  if (!mdb) return failure("not a readable Access database file");
  // The file is a row of whole pages; one cut short has lost what it held at its end.
  if (fileSize % static_cast<std::uint64_t>(mdb->fmt->pg_size) != 0) {
    return failure("truncated: it does not end on a page boundary");
  }
  const auto tables = readUserTables(mdb.get());
  if (!tables) return failure("its table catalogue is damaged");
  mdb_set_date_fmt(mdb.get(), "%Y-%m-%d %H:%M:%S");
  if (sqlite3_exec(target, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return failure(sqlite3_errmsg(target));
  }
  TableCopier copier(mdb.get(), fileSize, target);
  for (MdbCatalogEntry entry : *tables) {
    if (std::string fault = copier.copy(&entry); !fault.empty()) return failure(std::move(fault));
  }
  if (sqlite3_exec(target, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return failure(sqlite3_errmsg(target));
  }
  return JetCopy{.ok = true, .note = copier.textSummary()};
}

}  // namespace platform

extern "C" __attribute__((visibility("default"))) void sorandel_copy_jet_tables(
    const char* jetFile, std::uint64_t fileSize, sqlite3* target, platform::JetCopy* copy) {
  *copy = platform::copyJetTables(jetFile, fileSize, target);
}
static_assert(std::is_same_v<decltype(&sorandel_copy_jet_tables), platform::CopyJetTablesEntry>);
