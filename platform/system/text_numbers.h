#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace platform {

std::string integerToText(long long value);

// Decimal digits with a leading minus sign when negative.
template <std::integral Integer>
std::string numberToText(Integer value) {
  return integerToText(static_cast<long long>(value));
}

// A whole number gives no decimal point or fraction (3.0 gives "3").
std::string numberToText(double value);

// The value of the leading decimal number of the text; 0 for the empty text or no number.
double textToNumber(std::string_view text);

// Length in GBK bytes: an ASCII character counts 1, every other character 2.
int getTextLength(std::string_view utf8);

}  // namespace platform
