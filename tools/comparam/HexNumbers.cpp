#include "HexNumbers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace NComParamTool {
namespace {

constexpr std::array<const wchar_t*, 10> kHexQualifiers = {
    L"ReqCanId",         L"ReqCanIdFunc",    L"ResCanId",      L"UudtResCanId",
    L"BaseAddress",      L"EcuAddress",      L"TesterAddress", L"DefaultTesterAddress",
    L"BroadcastAddress", L"AddressExtension"};

bool IsHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

unsigned HexDigitValue(wchar_t c) {
  if (c <= L'9') return static_cast<unsigned>(c - L'0');
  return static_cast<unsigned>((c | 0x20) - L'a' + 10);
}

}  // namespace

bool ShowsAsHex(const std::wstring& qualifier) {
  return std::find(kHexQualifiers.begin(), kHexQualifiers.end(), qualifier) != kHexQualifiers.end();
}

std::string HexText(unsigned number) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[number % 16]);
    number /= 16;
  } while (number != 0);
  return "0x" + digits;
}

std::optional<std::wstring> DecimalOfHex(const std::wstring& text) {
  const bool prefixed = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  if (!prefixed) return std::nullopt;
  std::uint64_t number = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    if (!IsHexDigit(text[i])) return std::nullopt;
    number = number * 16 + HexDigitValue(text[i]);
    // Leading zeros keep the number small; only its digits can overflow.
    if (number > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  }
  return std::to_wstring(number);
}

}  // namespace NComParamTool
