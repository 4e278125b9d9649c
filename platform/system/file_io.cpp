#include "platform/system/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/system/diagnostics.h"
#include "platform/system/regular_file.h"

namespace platform {

namespace {

constexpr mode_t kNewFileMode = 0644;

bool fail(const std::string& path, std::string_view what) {
  reportFailure(path, std::string(what) + ": " + std::strerror(errno));
  return false;
}

// The file a symbolic link points at is the one to replace, not the link.
std::string targetOf(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  const auto target = std::filesystem::canonical(path, error);
  return error ? path : target.string();
}

bool writeAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

constexpr std::string_view kTemporarySuffix = ".XXXXXX";

// "<file>.XXXXXX" with the six letters or digits mkstemp puts in place of the X's.
bool isTemporaryOf(std::string_view name, std::string_view file) {
  if (name.size() != file.size() + kTemporarySuffix.size() || !name.starts_with(file) ||
      name[file.size()] != '.') {
    return false;
  }
  return std::all_of(name.end() - 6, name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// A write holds an exclusive lock on its temporary file until it is renamed, so a temporary
// file that can be locked belongs to no write that is going on: it is what an interrupted write
// (a kill, a crash, a power cut) left, and the next write of the file removes it.
void removeLeftoverTemporaries(const std::string& target) {
  const std::filesystem::path file(target);
  const std::string name = file.filename().string();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    if (!isTemporaryOf(entry.path().filename().string(), name)) continue;
    const int fd =
        ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink(entry.path().c_str());
    }
    ::close(fd);
  }
}

// A new temporary file beside the target, locked; -1 when none can be made. Another write's
// clean-up may remove the file between its making and its locking: then it is made anew.
int createLockedTemporary(const std::string& target, std::string& temporary) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    temporary = target + std::string(kTemporarySuffix);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    // Where there are no locks, nothing is cleaned up either.
    if (::flock(fd, LOCK_EX) != 0) return fd;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_nlink > 0) return fd;
    ::close(fd);
  }
  return -1;
}

// An exclusive lock on the folder of a file, held while this lives. The folder's, not the
// file's: a rename gives the file a new inode, so a lock on the old one would let a writer that
// waited for it go on with a file that is no longer there; the folder stays the same, and is
// there before the file is. Where no lock can be taken (a file system without locks, or no
// folder, when the write fails anyway) the change goes on without it.
class FolderLock {
 public:
  explicit FolderLock(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace

void syncFolder(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::optional<std::string> readWholeFile(const std::string& path) {
  const RegularFile file = openRegularFile(path, kLargestWholeFile);
  if (!file) return std::nullopt;
  std::string contents;
  contents.reserve(static_cast<size_t>(file.size()));
  char buffer[65536];
  ssize_t got;
  while ((got = ::read(file.descriptor(), buffer, sizeof buffer)) != 0) {
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    contents.append(buffer, static_cast<size_t>(got));
  }
  return contents;
}

bool replaceFileContents(const std::string& path, std::string_view contents,
                         const std::function<bool()>& beforeRename) {
  const std::string target = targetOf(path);
  removeLeftoverTemporaries(target);
  std::string temporary;
  const int fd = createLockedTemporary(target, temporary);
  if (fd < 0) return fail(target, "cannot write");

  struct stat existing {};
  const mode_t mode =
      ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : kNewFileMode;
  if (::fchmod(fd, mode) != 0 || !writeAll(fd, contents) || ::fsync(fd) != 0) {
    fail(target, "cannot write");
    ::unlink(temporary.c_str());
    ::close(fd);
    return false;
  }
  // The lock is held until the rename: up to then the temporary file is this write's own.
  if (beforeRename && !beforeRename()) {
    ::close(fd);
    return false;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    fail(target, "cannot replace");
    ::unlink(temporary.c_str());
    ::close(fd);
    return false;
  }
  ::close(fd);
  syncFolder(target);
  return true;
}

bool changeFileContents(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string& existing)>& change) {
  const std::string target = targetOf(path);
  const FolderLock lock(target);
  auto existing = readWholeFile(target);
  if (!existing) {
    if (errno != ENOENT) return fail(target, "cannot read");
    existing.emplace();
  }
  const auto contents = change(*existing);
  return contents && replaceFileContents(target, *contents);
}

}  // namespace platform
