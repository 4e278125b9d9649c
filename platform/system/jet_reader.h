#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace platform {

struct JetCopy {
  bool ok = false;
  // Why the copy failed; on success, how the text was read (Jet 3 files only, else empty).
  std::string note;
};

// Copies every user table of an Access file (Jet 3, Jet 4 or ACE), in catalogue order, with its
// columns and every row, into `target`, an empty SQLite database, in one transaction. Text
// arrives as UTF-8 and memo fields whole. A file whose tables cannot be read whole (truncated or
// damaged) fails; `target` then holds part of the copy and is to be thrown away.
// `fileSize` bounds what any one value may claim to hold.
JetCopy copyJetTables(const std::string& jetFile, std::uint64_t fileSize, sqlite3* target);

// The reader is a library of its own beside the programs (it brings libmdb and glib), loaded
// when an Access file is met; this entry point runs copyJetTables.
inline constexpr const char* kJetReaderLibrary = "sorandel_jet_reader";
inline constexpr const char* kCopyJetTablesEntry = "sorandel_copy_jet_tables";
using CopyJetTablesEntry = void (*)(const char* jetFile, std::uint64_t fileSize, sqlite3* target,
                                    JetCopy* copy);

}  // namespace platform
