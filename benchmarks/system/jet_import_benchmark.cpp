#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/system/database.h"
#include "platform/system/file_io.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kPage = 4096;  // Jet 4

void put16(std::string& bytes, size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& bytes, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint16_t get16(const std::string& bytes, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Nothing here can write an Access file, so the Jet 4 test database is grown to about 3 MB: its
// table's one data page (55) is copied, filled with copies of its 8 rows, into 680 new pages; a
// new usage map page marks them as the table's, and the table definition (page 53) gets the new
// row count and map.
std::string threeMegabyteJetFile() {
  std::string file =
      platform::readWholeFile(std::string(JET_FIXTURES) + "/testUnicodeCompV2003.mdb").value();
  constexpr size_t kDefinition = 53, kMapTemplate = 54, kData = 55, kNewPages = 680;
  const std::string data = file.substr(kData * kPage, kPage);
  std::vector<std::string> rows;
  for (size_t i = 0, count = get16(data, 12); i < count; ++i) {
    const size_t start = get16(data, 14 + 2 * i) & 0x1FFF;
    const size_t end = i == 0 ? kPage : get16(data, 14 + 2 * (i - 1)) & 0x1FFF;
    rows.push_back(data.substr(start, end - start));
  }
  const size_t mapPage = file.size() / kPage;
  std::string pages;
  std::uint32_t rowCount = static_cast<std::uint32_t>(rows.size());
  for (size_t p = 0; p < kNewPages; ++p) {
    std::string page(kPage, '\0');
    page.replace(0, 12, data.substr(0, 12));
    size_t end = kPage, count = 0;
    for (size_t k = 0;; ++k) {
      const std::string& row = rows[k % rows.size()];
      if (end - row.size() < 14 + 2 * (count + 1)) break;
      end -= row.size();
      page.replace(end, row.size(), row);
      put16(page, 14 + 2 * count++, static_cast<std::uint16_t>(end));
    }
    put16(page, 12, static_cast<std::uint16_t>(count));
    put16(page, 2, static_cast<std::uint16_t>(end - 14 - 2 * count));
    pages += page;
    rowCount += static_cast<std::uint32_t>(count);
  }
  const size_t last = mapPage + kNewPages;
  std::string map(5 + last / 8 + 1, '\0');  // type 0, from page 0, then one bit per page
  for (size_t p = mapPage + 1; p <= last; ++p) map[5 + p / 8] |= static_cast<char>(1 << (p % 8));
  map[5 + kData / 8] |= static_cast<char>(1 << (kData % 8));
  std::string mapRows(kPage, '\0');
  mapRows.replace(0, 12, file.substr(kMapTemplate * kPage, 12));
  put16(mapRows, 12, 1);
  put16(mapRows, 14, static_cast<std::uint16_t>(kPage - map.size()));
  mapRows.replace(kPage - map.size(), map.size(), map);
  put32(file, kDefinition * kPage + 16, rowCount);
  put32(file, kDefinition * kPage + 55, static_cast<std::uint32_t>(mapPage << 8));
  return file + mapRows + pages;
}

class Folder {
 public:
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "sorandel-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    path_ = pattern;
  }
  ~Folder() { fs::remove_all(path_); }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  fs::path operator/(const char* name) const { return path_ / name; }

 private:
  fs::path path_;
};

// The first open of a Jet file: the import into SQLite.
void BM_FirstOpenOfA3MBJetFile(benchmark::State& state) {
  const std::string jet = threeMegabyteJetFile();
  const Folder folder;
  const std::string file = folder / "data.mdb";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(file + ".jet");
    if (!platform::replaceFileContents(file, jet)) state.SkipWithError("cannot place the file");
    state.ResumeTiming();
    platform::DatabaseConnection connection;
    if (!connection.open(file)) state.SkipWithError("the import failed");
  }
  state.counters["MB"] = static_cast<double>(jet.size()) / 1e6;
}
BENCHMARK(BM_FirstOpenOfA3MBJetFile)->Unit(benchmark::kMillisecond);

// Every later open: what opening a SQLite file costs.
void BM_LaterOpenOfTheImportedFile(benchmark::State& state) {
  const Folder folder;
  const std::string file = folder / "data.mdb";
  platform::replaceFileContents(file, threeMegabyteJetFile());
  platform::DatabaseConnection connection;
  if (!connection.open(file)) state.SkipWithError("the import failed");
  for (auto _ : state) {
    if (!connection.open(file)) state.SkipWithError("the open failed");
  }
}
BENCHMARK(BM_LaterOpenOfTheImportedFile)->Unit(benchmark::kMicrosecond);

}  // namespace
