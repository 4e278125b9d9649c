#pragma once

#include <optional>
#include <string>
#include <vector>

namespace test_support {

// A value of the memo column that `Jet4TestFile::withMemos` writes: absent (Null), or the bytes
// the file stores (UCS-2 or compressed text) with where they lie.
struct Memo {
  enum class Place { Inline, OnePage, Chain };
  std::optional<std::string> stored;
  Place place = Place::Inline;
};

// The public Jet 4 test database (testUnicodeCompV2003.mdb), edited page by page into files that
// nothing installable here can write. Its table "Table" (ID long, Unicode text) is defined on
// page 53; its eight rows lie on page 55.
class Jet4TestFile {
 public:
  Jet4TestFile();

  // About `pages` × 4 KB more rows: new data pages filled with copies of the table's rows, a new
  // usage map that gives them to the table, and the new row count.
  Jet4TestFile& grow(size_t pages);
  // The text column made a memo column, and the rows replaced by one per memo (ID 1, 2, ...).
  // Memos not inline lie in long-value rows on new pages: a chain puts each 4000 bytes in a
  // row of its own.
  Jet4TestFile& withMemos(const std::vector<Memo>& memos);

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace test_support
