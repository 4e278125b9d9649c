#include "platform/system/jet_import.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string_view>

#include "platform/system/diagnostics.h"
#include "platform/system/file_io.h"
#include "platform/system/jet_reader.h"
#include "platform/system/program_module.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};
constexpr std::string_view kJetMagic{"\0\1\0\0", 4};
constexpr std::string_view kJetName = "Standard Jet DB";
constexpr std::string_view kAceName = "Standard ACE DB";
constexpr size_t kHeaderSize = 0x15;  // through the format version byte
constexpr std::string_view kTemporarySuffix = ".importing";
constexpr std::string_view kOriginalSuffix = ".jet";
constexpr size_t kMessageLimit = 4000;  // one write to a pipe, never split

std::function<void(ImportStep)>& stepHook() {
  static std::function<void(ImportStep)> hook;
  return hook;
}

std::chrono::milliseconds& timeLimit() {
  static std::chrono::milliseconds limit{20000};
  return limit;
}

void reached(ImportStep step) {
  if (stepHook()) stepHook()(step);
}

std::string errnoText() { return std::strerror(errno); }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

enum class FileFormat { Sqlite, Access, Other };

FileFormat formatOf(const std::string& path) {
  const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  char bytes[kHeaderSize];
  const ssize_t got = fd ? ::read(fd.get(), bytes, sizeof bytes) : -1;
  const std::string_view header(bytes, got > 0 ? static_cast<size_t>(got) : 0);
  if (header.starts_with(kSqliteHeader)) return FileFormat::Sqlite;
  if (header.size() == kHeaderSize && header.starts_with(kJetMagic)) {
    const std::string_view name = header.substr(kJetMagic.size(), kJetName.size());
    if (name == kJetName || name == kAceName) return FileFormat::Access;
  }
  return FileFormat::Other;
}

// A file as it stands: replaced or rewritten, it is another.
struct FileIdentity {
  dev_t device;
  ino_t inode;
  off_t size;
  std::int64_t modifiedNs;
  auto operator<=>(const FileIdentity&) const = default;
};

FileIdentity identityOf(const struct stat& info) {
  return {info.st_dev, info.st_ino, info.st_size,
          std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec};
}

std::optional<FileIdentity> identityOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return identityOf(info);
}

// Files whose reading ran out of time in this run: asked again, they fail at once.
std::set<FileIdentity>& timedOutFiles() {
  static std::set<FileIdentity> files;
  return files;
}

// An import kept in memory for the run. The keeper connection holds the database, which every
// connection of the run opens by its name, so answers written to it are seen by the next open.
struct KeeperCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

struct MemoryImport {
  std::string uri;
  FileIdentity identity;
  std::unique_ptr<sqlite3, KeeperCloser> keeper;
};

std::map<std::string, MemoryImport>& memoryImports() {
  static std::map<std::string, MemoryImport> imports;
  return imports;
}

std::optional<SqliteTarget> memoryImportOf(const std::string& path) {
  auto& imports = memoryImports();
  const auto found = imports.find(path);
  if (found == imports.end()) return std::nullopt;
  if (identityOf(path) == found->second.identity) {
    return SqliteTarget{found->second.uri, SQLITE_OPEN_URI};
  }
  imports.erase(found);
  return std::nullopt;
}

// ---- The reading, in a child process ----

// The reader library, loaded the first time it is needed. Nullptr, with why in `fault`, when it
// cannot be loaded.
CopyJetTablesEntry jetReader(std::string& fault) {
  static CopyJetTablesEntry entry = nullptr;
  if (entry == nullptr) {
    entry = reinterpret_cast<CopyJetTablesEntry>(
        resolveProgramModule(kJetReaderLibrary, kCopyJetTablesEntry, nullptr, &fault));
  }
  return entry;
}

JetCopy copyIntoFile(CopyJetTablesEntry reader, const std::string& jetFile, std::uint64_t fileSize,
                     const std::string& output) {
  sqlite3* db = nullptr;
  JetCopy copy;
  if (sqlite3_open_v2(output.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    copy.note = sqlite3_errmsg(db);
  } else if (sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr,
                          nullptr, nullptr) != SQLITE_OK) {
    copy.note = sqlite3_errmsg(db);
  } else {
    // Half a copy is thrown away, so no journal; the finished file is synced below.
    reader(jetFile.c_str(), fileSize, db, &copy);
  }
  sqlite3_close(db);
  if (copy.ok) {
    const Fd fd(::open(output.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd || ::fsync(fd.get()) != 0)
      copy = JetCopy{false, "cannot write the copy: " + errnoText()};
  }
  return copy;
}

[[noreturn]] void runReaderChild(CopyJetTablesEntry reader, pid_t parent, int reportFd,
                                 const std::string& jetFile, std::uint64_t fileSize,
                                 const std::string& output) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(1);
  // libmdb writes warnings of its own about damaged pages; the parent reports in one line.
  const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (devNull >= 0) ::dup2(devNull, STDERR_FILENO);
  // Names of tables and columns in Jet 3 files are in the content's code page too. Set here, in
  // the child, it touches no one else.
  ::setenv("MDB_JET3_CHARSET", "CP936", 1);
  reached(ImportStep::Copying);
  const JetCopy copy = copyIntoFile(reader, jetFile, fileSize, output);
  const std::string message = (copy.ok ? "+" : "-") + copy.note.substr(0, kMessageLimit);
  const bool sent =
      ::write(reportFd, message.data(), message.size()) == static_cast<ssize_t>(message.size());
  ::_exit(sent ? 0 : 1);
}

// What the child wrote, up to its end; empty when the time ran out first.
std::optional<std::string> readReport(int fd, Clock::time_point deadline) {
  std::string report;
  char buffer[1024];
  while (true) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd ready{.fd = fd, .events = POLLIN, .revents = 0};
    const int polled = ::poll(&ready, 1, static_cast<int>(left));
    if (polled == 0) return std::nullopt;
    if (polled < 0) {
      if (errno == EINTR) continue;
      return report;
    }
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return report;
    report.append(buffer, static_cast<size_t>(got));
  }
}

struct ReaderOutcome {
  JetCopy copy;
  bool timedOut = false;
};

// Reads the Access file into the SQLite file `output` (existing and empty) in a child process,
// so that a damaged file that makes the reader crash or loop fails only this import.
ReaderOutcome readInChild(const std::string& jetFile, std::uint64_t fileSize,
                          const std::string& output) {
  std::string noReader;
  const CopyJetTablesEntry reader = jetReader(noReader);
  if (reader == nullptr) return {{false, "cannot start reading: " + noReader}};
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return {{false, "cannot start reading: " + errnoText()}};
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    runReaderChild(reader, parent, pipeFds[1], jetFile, fileSize, output);
  }
  ::close(pipeFds[1]);
  const Fd reportFd(pipeFds[0]);
  if (child < 0) return {{false, "cannot start reading: " + errnoText()}};

  const auto report = readReport(reportFd.get(), Clock::now() + timeLimit());
  if (!report) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!report) {
    return {{false, "reading it took longer than " + std::to_string(timeLimit().count()) +
                        " ms and was stopped; the file is damaged"},
            true};
  }
  if (WIFSIGNALED(status)) {
    return {{false, "reading it failed with signal " + std::to_string(WTERMSIG(status)) +
                        "; the file is damaged"}};
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report->empty()) {
    return {{false, "reading it failed"}};
  }
  return {{report->front() == '+', report->substr(1)}};
}

// ---- Keeping the result ----

bool sameFile(const std::string& a, const std::string& b) {
  const auto first = identityOf(a);
  const auto second = identityOf(b);
  if (first && second && first->device == second->device && first->inode == second->inode) {
    return true;
  }
  const auto firstBytes = readWholeFile(a);
  const auto secondBytes = readWholeFile(b);
  return firstBytes && secondBytes && *firstBytes == *secondBytes;
}

// Gives the original its `.jet` name as well, never replacing a file there. Empty on success,
// else why it cannot be kept.
std::string keepOriginal(const std::string& path) {
  const std::string kept = path + std::string(kOriginalSuffix);
  if (::link(path.c_str(), kept.c_str()) == 0) return {};
  if (errno == EEXIST) {
    // An import that crashed after this step left the same file there.
    if (sameFile(path, kept)) return {};
    return kept + " already exists and holds another file";
  }
  // A file system without hard links: a copy of the bytes under that name.
  const auto bytes = readWholeFile(path);
  if (bytes && replaceFileContents(kept, *bytes)) return {};
  return "cannot keep the original as " + kept;
}

std::optional<SqliteTarget> keepInMemory(const std::string& path, const FileIdentity& identity,
                                         const std::string& copy, std::string_view why) {
  // Each import its own name, never one that an import still kept holds.
  static unsigned imports = 0;
  const std::string uri = "file:/jet-import-" + std::to_string(++imports) + "?vfs=memdb";
  sqlite3* keeper = nullptr;
  sqlite3* source = nullptr;
  bool loaded = false;
  if (sqlite3_open_v2(uri.c_str(), &keeper,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI,
                      nullptr) == SQLITE_OK &&
      sqlite3_open_v2(copy.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_backup* backup = sqlite3_backup_init(keeper, "main", source, "main");
    loaded = backup && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
    loaded = sqlite3_backup_finish(backup) == SQLITE_OK && loaded;
  }
  sqlite3_close(source);
  ::unlink(copy.c_str());
  if (!loaded) {
    reportFailure(path, std::string(why) + "; importing it into memory failed too");
    sqlite3_close(keeper);
    return std::nullopt;
  }
  memoryImports()[path] = MemoryImport{uri, identity, {keeper, {}}};
  reportNote(path,
             std::string(why) + "; imported into memory for this run, the file stays as it is");
  return SqliteTarget{uri, SQLITE_OPEN_URI};
}

std::optional<SqliteTarget> importAccessFile(const std::string& path) {
  if (auto kept = memoryImportOf(path)) return kept;
  const Fd original(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!original) {
    reportFailure(path, "cannot read: " + errnoText());
    return std::nullopt;
  }
  // Another program may be importing the same file; when it is done, the file may be SQLite.
  ::flock(original.get(), LOCK_EX);
  if (formatOf(path) == FileFormat::Sqlite) return SqliteTarget{path};
  struct stat info {};
  ::fstat(original.get(), &info);
  const FileIdentity identity = identityOf(info);
  if (timedOutFiles().contains(identity)) {
    reportFailure(path, "reading it was stopped earlier in this run; the file is damaged");
    return std::nullopt;
  }

  std::string temporary = path + std::string(kTemporarySuffix);
  ::unlink(temporary.c_str());  // what an import that crashed left
  const bool beside = static_cast<bool>(
      Fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644)));
  std::string whyNotBeside;
  if (!beside) {
    whyNotBeside = "nothing can be written beside it (" + errnoText() + ")";
    temporary = (std::filesystem::temp_directory_path() / "sorandel-import-XXXXXX").string();
    const Fd made(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!made) {
      reportFailure(path, whyNotBeside + " nor in the temporary folder");
      return std::nullopt;
    }
  }

  const ReaderOutcome outcome =
      readInChild(path, static_cast<std::uint64_t>(info.st_size), temporary);
  if (!outcome.copy.ok) {
    ::unlink(temporary.c_str());
    if (outcome.timedOut) timedOutFiles().insert(identity);
    reportFailure(path, "not imported: " + outcome.copy.note);
    return std::nullopt;
  }
  if (!beside) return keepInMemory(path, identity, temporary, whyNotBeside);
  reached(ImportStep::CopyFinished);
  if (const std::string fault = keepOriginal(path); !fault.empty()) {
    return keepInMemory(path, identity, temporary, fault);
  }
  reached(ImportStep::OriginalKept);
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    reportFailure(path, "not imported: cannot put the copy in its place: " + errnoText());
    ::unlink(temporary.c_str());
    return std::nullopt;
  }
  syncFolder(path);
  std::string note = "imported from an Access file into SQLite; the original is kept as " +
                     std::filesystem::path(path).filename().string() + std::string(kOriginalSuffix);
  if (!outcome.copy.note.empty()) note += "; " + outcome.copy.note;
  reportNote(path, note);
  return SqliteTarget{path};
}

}  // namespace

std::optional<SqliteTarget> sqliteTargetFor(const std::string& path) {
  switch (formatOf(path)) {
    case FileFormat::Sqlite:
      return SqliteTarget{path};
    case FileFormat::Access:
      return importAccessFile(path);
    case FileFormat::Other:
      break;
  }
  reportFailure(path, "not a database file");
  return std::nullopt;
}

namespace import_testing {

void setStepHook(std::function<void(ImportStep)> hook) { stepHook() = std::move(hook); }

void setTimeLimit(std::chrono::milliseconds limit) { timeLimit() = limit; }

}  // namespace import_testing

}  // namespace platform
