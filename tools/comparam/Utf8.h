// UTF-8 text at the tool's edges: arguments in, bytes out. wchar_t is UTF-32 on most systems and
// UTF-16 on Windows; both are handled, so the output never depends on the process locale.
#pragma once

#include <string>

namespace NComParamTool {

// Malformed input (a lone surrogate) becomes U+FFFD.
std::string ToUtf8(const std::wstring& text);
// Malformed UTF-8 becomes U+FFFD, one per offending byte.
std::wstring FromUtf8(const std::string& text);

}  // namespace NComParamTool
