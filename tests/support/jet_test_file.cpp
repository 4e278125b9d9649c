#include "tests/support/jet_test_file.h"

#include <cstdint>
#include <stdexcept>

#include "platform/system/file_io.h"

namespace test_support {

namespace {

constexpr size_t kPage = 4096;
constexpr size_t kDefinitionPage = 53;
constexpr size_t kMapPage = 54;  // a page of usage-map rows, the header of a new one
constexpr size_t kDataPage = 55;
constexpr size_t kRowCountAt = 16;     // in the table definition
constexpr size_t kUsageMapAt = 55;     // in the table definition
constexpr size_t kTextColumnAt = 112;  // the "Unicode" column's entry in the definition
constexpr char kMemoType = 0x0C;
constexpr size_t kChainPiece = 4000;

void put16(std::string& bytes, size_t at, size_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& bytes, size_t at, std::uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string le32(std::uint32_t value) {
  std::string bytes(4, '\0');
  put32(bytes, 0, value);
  return bytes;
}

size_t get16(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) |
         static_cast<size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

std::string page(const std::string& file, size_t number) {
  return file.substr(number * kPage, kPage);
}

// A page of rows, as data pages hold them: the header of `like`, a row count and row offsets at
// its start, the rows packed from its end.
class RowPage {
 public:
  explicit RowPage(const std::string& like) : bytes_(kPage, '\0') {
    bytes_.replace(0, 12, like.substr(0, 12));
  }
  bool add(const std::string& row) {
    if (end_ < row.size() || end_ - row.size() < 14 + 2 * (count_ + 1)) return false;
    end_ -= row.size();
    bytes_.replace(end_, row.size(), row);
    put16(bytes_, 14 + 2 * count_++, end_);
    put16(bytes_, 12, count_);
    put16(bytes_, 2, end_ - 14 - 2 * count_);  // free space
    return true;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  size_t end_ = kPage;
  size_t count_ = 0;
};

std::vector<std::string> rowsOf(const std::string& data) {
  std::vector<std::string> rows;
  for (size_t i = 0, count = get16(data, 12); i < count; ++i) {
    const size_t start = get16(data, 14 + 2 * i) & 0x1FFF;
    const size_t end = i == 0 ? kPage : get16(data, 14 + 2 * (i - 1)) & 0x1FFF;
    rows.push_back(data.substr(start, end - start));
  }
  return rows;
}

// A row of the table: its column count, ID (fixed), the memo field (variable), the end of the
// variable data, the variable field's start, the number of variable fields, the null mask.
std::string tableRow(std::uint32_t id, const std::optional<std::string>& field) {
  std::string row;
  row += std::string("\x02\x00", 2) + le32(id);
  const size_t start = row.size();
  if (field) row += *field;
  const size_t end = row.size();
  row += std::string(6, '\0');
  put16(row, end, end);
  put16(row, end + 2, start);
  put16(row, end + 4, 1);
  row += static_cast<char>(field ? 0x03 : 0x01);
  return row;
}

}  // namespace

Jet4TestFile::Jet4TestFile() {
  const auto bytes =
      platform::readWholeFile(std::string(JET_TEST_FILES) + "/testUnicodeCompV2003.mdb");
  if (!bytes) throw std::runtime_error("missing testUnicodeCompV2003.mdb");
  bytes_ = *bytes;
}

Jet4TestFile& Jet4TestFile::grow(size_t pages) {
  const std::string data = page(bytes_, kDataPage);
  const std::vector<std::string> rows = rowsOf(data);
  const size_t mapPage = bytes_.size() / kPage;
  std::string added;
  size_t rowCount = rows.size();
  for (size_t p = 0; p < pages; ++p) {
    RowPage filled(data);
    for (size_t k = 0; filled.add(rows[k % rows.size()]); ++k) ++rowCount;
    added += filled.bytes();
  }
  // Usage map type 0: from page 0, one bit per page.
  const size_t last = mapPage + pages;
  std::string map = std::string(5, '\0') + std::string(last / 8 + 1, '\0');
  for (size_t p = mapPage + 1; p <= last; ++p) map[5 + p / 8] |= static_cast<char>(1 << (p % 8));
  map[5 + kDataPage / 8] |= static_cast<char>(1 << (kDataPage % 8));
  RowPage maps(page(bytes_, kMapPage));
  maps.add(map);
  put32(bytes_, kDefinitionPage * kPage + kRowCountAt, static_cast<std::uint32_t>(rowCount));
  put32(bytes_, kDefinitionPage * kPage + kUsageMapAt, static_cast<std::uint32_t>(mapPage << 8));
  bytes_ += maps.bytes() + added;
  return *this;
}

Jet4TestFile& Jet4TestFile::withMemos(const std::vector<Memo>& memos) {
  const std::string data = page(bytes_, kDataPage);
  bytes_[kDefinitionPage * kPage + kTextColumnAt] = kMemoType;
  RowPage rows(data);
  std::uint32_t id = 0;
  for (const Memo& memo : memos) {
    std::optional<std::string> field;
    if (memo.stored) {
      const std::string& stored = *memo.stored;
      const auto length = static_cast<std::uint32_t>(stored.size());
      if (memo.place == Memo::Place::Inline) {
        field = le32(0x80000000 | length) + std::string(8, '\0') + stored;
      } else if (memo.place == Memo::Place::OnePage) {
        const auto at = static_cast<std::uint32_t>(bytes_.size() / kPage << 8);
        RowPage value(data);
        value.add(stored);
        bytes_ += value.bytes();
        field = le32(0x40000000 | length) + le32(at) + std::string(4, '\0');
      } else {
        const size_t pieces = (stored.size() + kChainPiece - 1) / kChainPiece;
        const size_t first = bytes_.size() / kPage;
        for (size_t i = 0; i < pieces; ++i) {
          const auto next = static_cast<std::uint32_t>(i + 1 < pieces ? (first + i + 1) << 8 : 0);
          RowPage piece(data);
          piece.add(le32(next) + stored.substr(i * kChainPiece, kChainPiece));
          bytes_ += piece.bytes();
        }
        field = le32(length) + le32(static_cast<std::uint32_t>(first << 8)) + std::string(4, '\0');
      }
    }
    if (!rows.add(tableRow(++id, field))) throw std::runtime_error("too many memos for a page");
  }
  bytes_.replace(kDataPage * kPage, kPage, rows.bytes());
  put32(bytes_, kDefinitionPage * kPage + kRowCountAt, id);
  return *this;
}

}  // namespace test_support
