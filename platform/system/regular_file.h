#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// A file opened for reading by `openRegularFile`; its descriptor is closed when this goes.
class RegularFile {
 public:
  RegularFile() = default;
  RegularFile(int descriptor, std::int64_t size) : descriptor_(descriptor), size_(size) {}
  ~RegularFile();
  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&& other) noexcept;

  explicit operator bool() const { return descriptor_ >= 0; }
  int descriptor() const { return descriptor_; }
  // The size when it was opened.
  std::int64_t size() const { return size_; }
  // For a file not opened: whether stderr has been told why (it has, unless there is no file).
  bool reported() const { return reported_; }

  static RegularFile reportedMissing() {
    RegularFile file;
    file.reported_ = true;
    return file;
  }

 private:
  int descriptor_ = -1;
  std::int64_t size_ = 0;
  bool reported_ = false;
};

// Every file the programs read from the program folder is opened here, so that no open and no
// read ever waits: only a regular file (or a link to one) is opened, without blocking. Anything
// else there (a FIFO, a device, a folder, a link to nothing, a file that cannot be opened, one
// larger than `largest` bytes) is as if missing to the caller, and one line on stderr says why,
// once for each file however often it is asked for. A file that simply is not there is quiet.
// errno is ENOENT when there is no file (a link to nothing included), another code otherwise.
RegularFile openRegularFile(const std::string& path,
                            std::optional<std::int64_t> largest = std::nullopt);

}  // namespace platform
