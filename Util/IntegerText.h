// Integer text both ways, for the library and the document model stand-in: written as plain
// decimal digits, read as the C library's wcstoul/wcstol read base 10 in the "C" locale, in 32
// bits on every platform (the C library's long has 64 bits on some).
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>

namespace NComParamMan {

// Decimal digits of the number, a minus sign first when it is negative; no plus sign, no
// grouping, no fill. Written into text's own storage: std::to_wstring goes through the C
// library's formatted output, which cost more than the rest of reading a value.
// The longest decimal text of a TInteger: digits10 digits, the last digit and a sign.
template <class TInteger>
inline constexpr std::size_t kMaxDecimalLength = std::numeric_limits<TInteger>::digits10 + 2;

template <class TInteger>
void AssignDecimal(std::wstring& text, TInteger number) {
  char digits[kMaxDecimalLength<TInteger>];
  const std::to_chars_result result = std::to_chars(std::begin(digits), std::end(digits), number);
  text.assign(std::begin(digits), result.ptr);
}

// Room for the decimal text of any TInteger and its ending null character.
template <class TInteger>
inline constexpr std::size_t kDecimalBufferSize = std::numeric_limits<TInteger>::digits10 + 3;

// The same digits, null-ended, in a buffer of the caller's: no allocation. Returns buffer.
template <class TInteger>
const wchar_t* WriteDecimal(wchar_t (&buffer)[kDecimalBufferSize<TInteger>], TInteger number) {
  char digits[kMaxDecimalLength<TInteger>];
  const std::to_chars_result result = std::to_chars(std::begin(digits), std::end(digits), number);
  *std::copy(std::begin(digits), result.ptr, buffer) = L'\0';
  return buffer;
}

template <class TInteger>
std::wstring DecimalText(TInteger number) {
  std::wstring text;
  AssignDecimal(text, number);
  return text;
}

// Leading blanks, an optional sign, decimal digits; what follows them is not read.
struct ZIntegerText {
  bool negative = false;
  bool tooLarge = false;  // the magnitude does not fit in 32 bits
  std::uint32_t magnitude = 0;
  const wchar_t* pEnd = nullptr;  // after the last digit; the start of the text when there is none
};

// Reads text (not null).
ZIntegerText ReadInteger(const wchar_t* text);

}  // namespace NComParamMan
