#include "platform/system/gbk.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>

namespace platform {

namespace {

constexpr const char* kGbk = "CP936";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; returns the bytes left unconverted at the first bad sequence
  // (none when all went through).
  std::string_view convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh start, whatever came before
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      const size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, outPtr - buffer);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    return {inPtr, inLeft};
  }

 private:
  iconv_t cd_;
};

// Converts what it can and puts U+FFFD for each `unit` bytes it cannot, so nothing after them is
// lost.
std::string convertReplacing(Converter& converter, std::string_view bytes, size_t unit) {
  std::string out;
  if (!converter.ok()) return out;
  while (!bytes.empty()) {
    bytes = converter.convert(bytes, out);
    if (bytes.empty()) break;
    out += kReplacement;
    bytes.remove_prefix(std::min(unit, bytes.size()));
  }
  return out;
}

}  // namespace

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  if (!isValidUtf8(utf8)) return std::nullopt;
  // Opening a converter costs far more than converting a line: each thread keeps its own.
  thread_local Converter converter(kGbk, "UTF-8");
  if (!converter.ok()) return std::nullopt;
  std::string out;
  if (!converter.convert(utf8, out).empty()) return std::nullopt;
  // The converter drops some characters without a word (Unicode tag characters): text that would
  // not read back as written is text GBK cannot hold.
  if (gbkToUtf8(out) != utf8) return std::nullopt;
  return out;
}

std::string gbkToUtf8(std::string_view gbk) {
  // A settings file is decoded line by line: opening a converter costs more than a line.
  thread_local Converter converter("UTF-8", kGbk);
  return convertReplacing(converter, gbk, 1);
}

std::optional<std::string> decodeStrictly(std::string_view bytes, const char* encoding) {
  Converter converter("UTF-8", encoding);
  if (!converter.ok()) return std::nullopt;
  std::string out;
  if (!converter.convert(bytes, out).empty()) return std::nullopt;
  return out;
}

std::string decodeReplacing(std::string_view bytes, const char* encoding, size_t unit) {
  Converter converter("UTF-8", encoding);
  return convertReplacing(converter, bytes, unit);
}

bool isValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

}  // namespace platform
