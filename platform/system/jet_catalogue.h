#pragma once

// libmdb's header uses glib inside an extern "C" block, where glib's C++ parts cannot stand:
// glib comes first.
#include <glib.h>
#include <mdbtools.h>

#include <optional>
#include <vector>

namespace platform {

struct MdbTableFreer {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

// The user tables of an Access file, in catalogue order, as its catalogue (the table MSysObjects,
// on page 2) lists them. Their property blobs are not read: the copy has no use for them, and
// libmdb's reading of a damaged one (a record that says it is empty) never ends. Nothing when the
// catalogue cannot be read.
std::optional<std::vector<MdbCatalogEntry>> readUserTables(MdbHandle* mdb);

}  // namespace platform
