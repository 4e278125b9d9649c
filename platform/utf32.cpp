#include "platform/utf32.h"

namespace platform {

std::u32string toCodePoints(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t n = utf8.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = s[i];
    int extra = 0;
    char32_t c = 0;
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1;
      c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      c = b & 0x07;
    } else {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    if (i + extra >= n) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (s[i + k] & 0x3F);
    }
    // An overlong form, a surrogate or a value past U+10FFFF is no character either.
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (valid && (c < kLeast[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)) {
      valid = false;
    }
    if (!valid) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(c);
    i += extra + 1;
  }
  return out;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::u32string toBoxText(std::string_view utf8) {
  std::u32string raw = toCodePoints(utf8);
  std::u32string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == U'\r') {
      out.push_back(U'\n');
      if (i + 1 < raw.size() && raw[i + 1] == U'\n') ++i;
    } else {
      out.push_back(raw[i]);
    }
  }
  return out;
}

void appendWithCrLf(std::string& out, std::u32string_view text) {
  for (char32_t c : text) {
    if (c == U'\n') out.push_back('\r');
    appendUtf8(out, c);
  }
}

}  // namespace platform
