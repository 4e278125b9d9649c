#include "platform/system/jet_text.h"

#include <algorithm>
#include <optional>

#include "platform/system/gbk.h"

namespace platform {

namespace {

constexpr unsigned kGbkCodePage = 936;
constexpr unsigned kShiftJisCodePage = 932;

bool isAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string encodingName(unsigned codePage) { return "CP" + std::to_string(codePage); }

}  // namespace

std::string jetUnicodeToUtf8(std::string_view stored) {
  constexpr std::string_view kCompressed = "\xFF\xFE";
  if (!stored.starts_with(kCompressed)) return decodeReplacing(stored, "UTF-16LE", 2);
  std::string utf16;
  utf16.reserve(stored.size() * 2);
  bool oneByte = true;
  for (size_t i = kCompressed.size(); i < stored.size(); ++i) {
    if (stored[i] == '\0') {
      oneByte = !oneByte;
    } else if (oneByte) {
      utf16 += stored[i];
      utf16 += '\0';
    } else {
      // A lone last byte stays alone and becomes U+FFFD.
      utf16 += stored.substr(i, 2);
      ++i;
    }
  }
  return decodeReplacing(utf16, "UTF-16LE", 2);
}

Jet3Text::Jet3Text(unsigned headerCodePage) : headerCodePage_(headerCodePage) {}

std::string Jet3Text::toUtf8(std::string_view bytes) {
  if (isAscii(bytes)) return std::string(bytes);
  for (unsigned codePage : {kGbkCodePage, headerCodePage_, kShiftJisCodePage}) {
    if (codePage == 0) continue;
    if (auto text = decodeStrictly(bytes, encodingName(codePage).c_str())) {
      ++valuesByCodePage_[codePage];
      return *std::move(text);
    }
  }
  ++invalidValues_;
  return gbkToUtf8(bytes);
}

std::string Jet3Text::summary() const {
  std::string text = "text read as code page " + std::to_string(kGbkCodePage);
  for (const auto& [codePage, values] : valuesByCodePage_) {
    if (codePage == kGbkCodePage) continue;
    text += ", " + std::to_string(values) + " value(s) as code page " + std::to_string(codePage);
  }
  if (invalidValues_ > 0) {
    text += ", " + std::to_string(invalidValues_) + " value(s) valid in none, with U+FFFD";
  }
  return text;
}

}  // namespace platform
