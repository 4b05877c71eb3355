// Text from a document or a command line, made safe for a terminal: no text can start a line of
// its own or send an escape sequence. Control characters (C0, DEL, C1) are written as \n, \t,
// \xhh or \u00hh; everything else stays as it is.
#pragma once

#include <string>

namespace NComParamTool {

// UTF-8 in, UTF-8 out, every control character escaped.
std::string OneLine(const std::string& text);
// Wide text, as UTF-8.
std::string OneLine(const std::wstring& text);
// The same for text made of lines (a report): its line ends stay.
std::string SafeLines(const std::string& text);

}  // namespace NComParamTool
