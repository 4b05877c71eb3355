#include "SafeText.h"

#include "Utf8.h"

#include <cstdio>

namespace NComParamTool {
namespace {

std::string Hex2(unsigned char value) {
  char buffer[4];
  std::snprintf(buffer, sizeof buffer, "%02x", value);
  return buffer;
}

// C1 controls are the two-byte sequences C2 80 to C2 9F.
bool IsC1At(const std::string& text, std::size_t i) {
  return static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
         static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
         static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

std::string Escaped(const std::string& text, bool keepLineEnds) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      out += keepLineEnds ? "\n" : "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x" + Hex2(c);
    } else if (IsC1At(text, i)) {
      out += "\\u00" + Hex2(static_cast<unsigned char>(text[++i]));
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::string OneLine(const std::string& text) { return Escaped(text, false); }

std::string OneLine(const std::wstring& text) { return Escaped(ToUtf8(text), false); }

std::string SafeLines(const std::string& text) { return Escaped(text, true); }

}  // namespace NComParamTool
