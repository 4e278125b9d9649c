#include "platform/system/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  std::string temporary = target + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return fail(target, "cannot write");

  struct stat existing {};
  const mode_t mode =
      ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : kNewFileMode;
  const bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, contents) && ::fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    if (!written) errno = writeErrno;
    fail(target, "cannot write");
    ::unlink(temporary.c_str());
    return false;
  }
  if (beforeRename && !beforeRename()) return false;
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    fail(target, "cannot replace");
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolder(target);
  return true;
}

}  // namespace platform
