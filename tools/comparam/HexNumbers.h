// CAN engineers write identifiers and addresses in hexadecimal; the library reads and writes
// decimal only. These helpers translate at the tool's edges.
#pragma once

#include <optional>
#include <string>

namespace NComParamTool {

// True for the parameters whose values are identifiers or addresses: the tool shows them in
// hexadecimal too.
bool ShowsAsHex(const std::wstring& qualifier);

// "0x7E0" for 2016: upper-case digits after a lower-case prefix.
std::string HexText(unsigned number);

// The decimal text of "0x..." or "0X..." with 1 or more hexadecimal digits and a value within 32
// bits; nothing for any other text (a decimal number included).
std::optional<std::wstring> DecimalOfHex(const std::wstring& text);

}  // namespace NComParamTool
