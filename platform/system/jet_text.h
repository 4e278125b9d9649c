#pragma once

#include <map>
#include <string>
#include <string_view>

namespace platform {

// Text of Jet 4 and later files: UCS-2 little-endian, or "compressed": FF FE, then runs of
// one-byte characters (U+0001 to U+00FF) and of two-byte ones, each 00 byte switching between
// the two. Made UTF-8 exactly; a unit that is not valid becomes U+FFFD.
std::string jetUnicodeToUtf8(std::string_view stored);

// Text of Jet 3 files: bytes of a code page that the file's header often names wrongly. The
// content's own code page, GBK (936), is tried first, then the header's, then 932; a value valid
// in none is read as GBK with U+FFFD in place of what is not valid.
class Jet3Text {
 public:
  explicit Jet3Text(unsigned headerCodePage);

  std::string toUtf8(std::string_view bytes);
  // Which code pages the values so far were read in, for the import's line on stderr.
  std::string summary() const;

 private:
  unsigned headerCodePage_;
  std::map<unsigned, size_t> valuesByCodePage_;
  size_t invalidValues_ = 0;
};

}  // namespace platform
