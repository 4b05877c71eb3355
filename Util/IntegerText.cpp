#include "IntegerText.h"

namespace NComParamMan {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// The digit's value, or 36 (a digit of no base) for any other character.
int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'z') return c - L'a' + 10;
  if (c >= L'A' && c <= L'Z') return c - L'A' + 10;
  return 36;
}

}  // namespace

ZIntegerText ReadInteger(const wchar_t* text, int base) {
  ZIntegerText number;
  number.pEnd = text;
  const wchar_t* p = text;
  while (IsBlank(*p)) ++p;
  if (*p == L'+' || *p == L'-') number.negative = *p++ == L'-';
  const wchar_t* pDigits = p;
  const int digitBase = base >= 2 && base <= 36 ? base : 0;  // no digit in an invalid base
  std::uint64_t magnitude = 0;
  for (int digit; (digit = DigitValue(*p)) < digitBase; ++p) {
    // Once too large the number stays too large, but its remaining digits still belong to it.
    if (!number.tooLarge) magnitude = magnitude * digitBase + digit;
    number.tooLarge = magnitude > UINT32_MAX;
  }
  if (p != pDigits) number.pEnd = p;
  number.magnitude = static_cast<std::uint32_t>(magnitude);
  return number;
}

}  // namespace NComParamMan
