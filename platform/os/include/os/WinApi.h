// The operating system's text conversion: Windows' own, elsewhere a stand-in.
#pragma once

#if defined(_WIN32)

#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>

#else

#  include <os/Export.h>

typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef int BOOL;
typedef wchar_t WCHAR;
typedef const WCHAR* LPCWCH;
typedef char* LPSTR;
typedef const char* LPCCH;
typedef BOOL* LPBOOL;

// Stand-in for the Windows function, code page 1252 only; any other code page fails (0).
// - Input: wideLength code units of wideText, or up to and including its NUL when wideLength
//   is -1 (the NUL then counts in the result). wchar_t is read as UTF-16 where it has 2 bytes,
//   as UTF-32 where it has 4.
// - Table: ASCII and U+00A0..U+00FF map to themselves; 0x80..0x9F hold the Windows-1252
//   characters (U+20AC at 0x80 and so on), and their five undefined bytes 0x81, 0x8D, 0x8F, 0x90,
//   0x9D are reached from U+0081, U+008D, U+008F, U+0090, U+009D as on Windows.
// - Any other character (also a surrogate pair, or a code point above U+FFFF, which stay one
//   character) becomes the default character: *defaultChar when given, else "?"; *usedDefault,
//   when given, tells whether that happened. No best-fit mapping is made; flags are ignored.
// - narrowSize 0: returns the bytes needed. Otherwise writes at most narrowSize bytes and
//   returns the count, or fails (0) when they do not fit.
// - Fails (0) also for null text, wideLength 0 or below -1, and a negative narrowSize or null
//   narrowText with a nonzero narrowSize.
OS_API int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wideText, int wideLength,
                               LPSTR narrowText, int narrowSize, LPCCH defaultChar,
                               LPBOOL usedDefault);

#endif
