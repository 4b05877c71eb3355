#include "IntegerText.h"

namespace NComParamMan {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

// Not std::from_chars: the text is wide, and blanks and a plus sign lead the digits.
ZIntegerText ReadInteger(const wchar_t* text) {
  ZIntegerText number;
  number.pEnd = text;
  const wchar_t* p = text;
  while (IsBlank(*p)) ++p;
  if (*p == L'+' || *p == L'-') number.negative = *p++ == L'-';
  const wchar_t* pDigits = p;
  std::uint64_t magnitude = 0;
  for (; IsDigit(*p); ++p) {
    // Once too large the number stays too large, but its remaining digits still belong to it.
    if (!number.tooLarge) magnitude = magnitude * 10 + static_cast<unsigned>(*p - L'0');
    number.tooLarge = magnitude > UINT32_MAX;
  }
  if (p != pDigits) number.pEnd = p;
  number.magnitude = static_cast<std::uint32_t>(magnitude);
  return number;
}

}  // namespace NComParamMan
