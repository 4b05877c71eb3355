// Text helpers of the model's messages and number texts.
#pragma once

#include <string>
#include <string_view>

namespace Pelka {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(std::string_view text);

// The text in double quotes, as UTF-8, for messages: "CP.P2".
std::string Quoted(const std::wstring& text);

// Decimal text that reads back as the same double, in the classic "C" form: all digits of a
// whole number up to 2^53, else the shortest such text.
std::wstring FloatToText(double value);

// The text as UTF-8 for an XML file. A character XML cannot hold, not even as a reference, is
// refused with ZDocFileError "character U+0001 cannot be written to XML": the file would not
// load again.
std::string XmlText(const std::wstring& text);

}  // namespace Pelka
