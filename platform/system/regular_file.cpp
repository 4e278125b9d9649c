#include "platform/system/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <string_view>
#include <utility>

#include "platform/system/diagnostics.h"

namespace platform {

namespace {

// The settings file is read once for every key, a recording at every click: one line for each
// file is enough to see why it was passed over.
void reportOnce(const std::string& path, std::string_view reason) {
  static std::mutex mutex;
  static std::set<std::string> reported;
  {
    const std::lock_guard lock(mutex);
    if (!reported.insert(path).second) return;
  }
  reportFailure(path, std::string(reason) + ", taken as missing");
}

RegularFile refuse(const std::string& path, std::string_view reason, int error) {
  reportOnce(path, reason);
  errno = error;
  return RegularFile::reportedMissing();
}

std::string_view kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder, not a file";
  if (S_ISFIFO(mode)) return "a FIFO, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a file";
  if (S_ISSOCK(mode)) return "a socket, not a file";
  return "not a regular file";
}

}  // namespace

RegularFile::~RegularFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      size_(other.size_),
      reported_(other.reported_) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
  if (this != &other) {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = std::exchange(other.descriptor_, -1);
    size_ = other.size_;
    reported_ = other.reported_;
  }
  return *this;
}

RegularFile openRegularFile(const std::string& path, std::optional<std::int64_t> largest) {
  struct stat info {};
  // Looked at before opening: opening some devices already does something.
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    struct stat link {};
    if (error == ENOENT && ::lstat(path.c_str(), &link) == 0) {
      return refuse(path, "a link to nothing", ENOENT);
    }
    if (error != ENOENT && error != ENOTDIR) {
      return refuse(path, std::string("cannot be read: ") + std::strerror(error), error);
    }
    errno = ENOENT;
    return {};
  }
  if (!S_ISREG(info.st_mode)) {
    return refuse(path, kindOf(info.st_mode), S_ISDIR(info.st_mode) ? EISDIR : ENXIO);
  }
  // O_NONBLOCK: the name may have become a FIFO since.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    return refuse(path, std::string("cannot be read: ") + std::strerror(error), error);
  }
  struct stat opened {};
  const bool regular = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
  const bool tooLarge = regular && largest && opened.st_size > *largest;
  if (!regular || tooLarge) {
    ::close(fd);
    if (!regular) return refuse(path, kindOf(opened.st_mode), ENXIO);
    return refuse(path, "larger (" + std::to_string(opened.st_size) + " bytes) than it can be",
                  EFBIG);
  }
  return RegularFile(fd, opened.st_size);
}

}  // namespace platform
