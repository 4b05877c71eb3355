// UTF-8 text at the tool's edges: arguments in, bytes out, whatever the process locale. The
// conversion is the XML library's, the one the document stand-in uses.
#pragma once

#include <string>

namespace NComParamTool {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
// True when FromUtf8 keeps all of text: it drops bytes that are no UTF-8, which must not pass
// unseen.
bool DecodesWhole(const std::string& text);

}  // namespace NComParamTool
