#include "Utf8.h"

#include <pugixml.hpp>

namespace NComParamTool {

std::string ToUtf8(const std::wstring& text) { return pugi::as_utf8(text); }

std::wstring FromUtf8(const std::string& text) { return pugi::as_wide(text); }

// Every byte the decoding dropped or read as an overlong form is missing on the way back.
bool DecodesWhole(const std::string& text) { return ToUtf8(FromUtf8(text)) == text; }

}  // namespace NComParamTool
