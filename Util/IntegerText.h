// Integer text read as the C library's wcstoul/wcstol read it in the "C" locale, in 32 bits on
// every platform (the C library's long has 64 bits on some).
#pragma once

#include <cstdint>

namespace NComParamMan {

// Leading blanks, an optional sign, the digits of the base, no prefix.
struct ZIntegerText {
  bool negative = false;
  bool tooLarge = false;  // the magnitude does not fit in 32 bits
  std::uint32_t magnitude = 0;
  const wchar_t* pEnd = nullptr;  // after the last digit; the start of the text when there is none
};

// Reads text (not null) in base 2 to 36; any other base reads no digit.
ZIntegerText ReadInteger(const wchar_t* text, int base);

}  // namespace NComParamMan
