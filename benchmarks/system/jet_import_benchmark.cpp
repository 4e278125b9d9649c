#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/system/database.h"
#include "platform/system/file_io.h"
#include "tests/support/jet_test_file.h"

namespace {

namespace fs = std::filesystem;

// Nothing here can write an Access file: the Jet 4 test database, grown to about 3 MB.
std::string threeMegabyteJetFile() { return test_support::Jet4TestFile().grow(680).bytes(); }

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
