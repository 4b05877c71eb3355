// Text helpers of the model's messages and number texts.
#pragma once

#include <string>

namespace Pelka {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// The text in double quotes, as UTF-8, for messages: "CP.P2".
std::string Quoted(const std::wstring& text);

// Shortest decimal text that reads back as the same double, in the classic "C" form.
std::wstring FloatToText(double value);

}  // namespace Pelka
