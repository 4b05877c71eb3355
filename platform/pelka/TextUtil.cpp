#include "TextUtil.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

namespace Pelka {

// pugixml's conversions know both widths of wchar_t (UTF-16 and UTF-32).
std::string ToUtf8(const std::wstring& text) { return pugi::as_utf8(text); }

std::wstring FromUtf8(std::string_view text) {
  // Most texts of a document are ASCII, which widens character by character.
  if (std::all_of(text.begin(), text.end(), [](char c) { return c >= 0; })) {
    return std::wstring(text.begin(), text.end());
  }
  return pugi::as_wide(std::string(text));
}

std::string Quoted(const std::wstring& text) { return '"' + ToUtf8(text) + '"'; }

std::wstring FloatToText(double value) {
  // Whole numbers up to 2^53 are exact: write all their digits, so that readers of integer text
  // (a baud rate of 500000) never meet an exponent ("5e+05").
  constexpr double kLargestExactWhole = 9007199254740992.0;
  const bool wholeNumber = std::fabs(value) <= kLargestExactWhole && std::trunc(value) == value;
  char digits[32];  // the longest shortest form of a double has 24 characters
  const std::to_chars_result result =
      wholeNumber
          ? std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed)
          : std::to_chars(std::begin(digits), std::end(digits), value);
  return std::wstring(digits, result.ptr);
}

}  // namespace Pelka
