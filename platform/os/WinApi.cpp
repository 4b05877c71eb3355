#include "os/WinApi.h"

#include <cwchar>
#include <type_traits>

namespace {

constexpr UINT kWindows1252 = 1252;

// The characters of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves undefined carry the
// control character of the same number, which is how Windows maps them both ways.
constexpr char32_t kBytes80To9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178   // 0x98
};

// The byte of the character in code page 1252, or -1 when it has none.
int ByteOf(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<int>(character);
  }
  for (int index = 0; index < 32; ++index) {
    if (kBytes80To9F[index] == character) return 0x80 + index;
  }
  return -1;
}

char32_t CodeUnit(wchar_t unit) {
  return static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(unit));
}

// The character at index, which then moves past it; a UTF-16 surrogate pair is one character.
char32_t NextCharacter(const wchar_t* text, int length, int& index) {
  const char32_t first = CodeUnit(text[index++]);
  const bool isHighSurrogate = first >= 0xD800 && first <= 0xDBFF;
  if (sizeof(wchar_t) == 2 && isHighSurrogate && index < length) {
    const char32_t second = CodeUnit(text[index]);
    if (second >= 0xDC00 && second <= 0xDFFF) {
      ++index;
      return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
    }
  }
  return first;
}

}  // namespace

int WideCharToMultiByte(UINT codePage, DWORD /*flags*/, LPCWCH wideText, int wideLength,
                        LPSTR narrowText, int narrowSize, LPCCH defaultChar, LPBOOL usedDefault) {
  const bool badArguments = wideText == nullptr || wideLength == 0 || wideLength < -1 ||
                            narrowSize < 0 || (narrowSize > 0 && narrowText == nullptr);
  if (codePage != kWindows1252 || badArguments) return 0;
  const int length = wideLength == -1 ? static_cast<int>(std::wcslen(wideText)) + 1 : wideLength;
  const char replacement = defaultChar != nullptr ? *defaultChar : '?';
  bool replaced = false;
  int written = 0;
  for (int index = 0; index < length; ++written) {
    const int byte = ByteOf(NextCharacter(wideText, length, index));
    replaced = replaced || byte < 0;
    if (narrowSize == 0) continue;  // only counting
    if (written == narrowSize) return 0;
    narrowText[written] = byte < 0 ? replacement : static_cast<char>(byte);
  }
  if (usedDefault != nullptr) *usedDefault = replaced ? 1 : 0;
  return written;
}
