#include "TextUtil.h"

#include "XmlSource.h"
#include "pelka/EcuDocFile.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <type_traits>

namespace Pelka {

namespace {

// A wide character as its code unit: no sign, whatever the width of wchar_t.
std::uint32_t CodeUnit(wchar_t c) { return static_cast<std::make_unsigned_t<wchar_t>>(c); }

bool IsHighSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

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

std::string XmlText(const std::wstring& text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::uint32_t c = CodeUnit(text[at]);
    const bool pair = sizeof(wchar_t) == 2 && IsHighSurrogate(c) && at + 1 < text.size() &&
                      IsLowSurrogate(CodeUnit(text[at + 1]));
    if (pair) {
      ++at;
    } else if (!IsXmlChar(c)) {
      std::string hex = "000000";
      for (std::uint32_t rest = c, digit = 6; digit-- > 0; rest >>= 4) {
        hex[digit] = "0123456789ABCDEF"[rest & 15];
      }
      throw ZDocFileError("character U+" + hex.substr(c > 0xFFFF ? 0 : 2) +
                          " cannot be written to XML");
    }
  }
  return ToUtf8(text);
}

}  // namespace Pelka
