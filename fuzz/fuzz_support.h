#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace fuzz {

// A broken invariant: says which, then aborts, which libFuzzer reports as a crash with the input.
inline void check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "broken invariant: %s\n", invariant);
  std::abort();
}

// The input cut into the pieces a target needs: short texts, each a length byte and that many
// bytes, then the rest as it is.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  std::string_view text() {
    if (rest_.empty()) return {};
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(rest_[0]), rest_.size() - 1);
    const std::string_view text = rest_.substr(1, length);
    rest_.remove_prefix(1 + length);
    return text;
  }
  std::string_view rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// A folder of the target's own under $TMPDIR (or /tmp), removed with what it holds when the
// target ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/fuzz-XXXXXX";
    check(::mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace fuzz
