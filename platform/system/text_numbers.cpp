#include "platform/system/text_numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

namespace platform {

std::string integerToText(long long value) { return std::to_string(value); }

std::string numberToText(double value) {
  if (value == 0) return "0";  // also -0.0, which would print a minus sign
  char buffer[400];
  // Whole numbers in fixed notation, so that a large whole value never turns into an exponent.
  const auto format =
      std::trunc(value) == value ? std::chars_format::fixed : std::chars_format::general;
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, format);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

double textToNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  text.remove_prefix(i);
  // Only a plain decimal number counts: no "inf", "nan" or hexadecimal.
  const bool startsWithDigit =
      !text.empty() &&
      (std::isdigit(static_cast<unsigned char>(text[0])) ||
       (text[0] == '.' && text.size() > 1 && std::isdigit(static_cast<unsigned char>(text[1]))));
  if (!startsWithDigit) return 0;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return negative ? -HUGE_VAL : HUGE_VAL;
  if (error != std::errc()) return 0;
  return negative ? -value : value;
}

int getTextLength(std::string_view utf8) {
  int length = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[i++]);
    if (byte < 0x80) {
      length += 1;
    } else if (byte >= 0xC0) {
      length += 2;
      while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    } else {
      length += 1;  // a stray continuation byte: one byte of whatever it was
    }
  }
  return length;
}

}  // namespace platform
