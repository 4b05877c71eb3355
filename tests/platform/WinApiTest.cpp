// Unit tests for platform/os/WinApi.cpp: the code page 1252 conversion (on Windows, the real one).
#include <os/WinApi.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kCodePage1252 = 1252;

// The narrow bytes of the text, or "<failed>" when the conversion fails.
std::string To1252(const std::wstring& text, UINT codePage = kCodePage1252) {
  char narrow[64];
  const int written = WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()),
                                          narrow, sizeof narrow, nullptr, nullptr);
  return written == 0 ? "<failed>" : std::string(narrow, static_cast<std::size_t>(written));
}

}  // namespace

TEST(WinApi, BytesFrom80To9FHoldTheirWindows1252Characters) {
  // Byte 0x80 + index; the five undefined bytes map back from the control character itself.
  const wchar_t characters[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  for (int index = 0; index < 32; ++index) {
    const char byte = static_cast<char>(0x80 + index);
    EXPECT_EQ(To1252(std::wstring(1, characters[index])), std::string(1, byte))
        << "byte 0x" << std::hex << 0x80 + index;
  }
}

TEST(WinApi, AsciiAndLatin1MapToThemselves) {
  EXPECT_EQ(To1252(L"Abc 09~"), "Abc 09~");
  EXPECT_EQ(To1252(L"\u00a0\u00e9\u00ff"), "\xa0\xe9\xff");
}

TEST(WinApi, CharactersOutsideTheCodePageBecomeOneQuestionMark) {
  EXPECT_EQ(To1252(L"a\u4e2d\u0416b"), "a??b");
  BOOL usedDefault = 0;
  char narrow[8];
  const char hash = '#';
  EXPECT_EQ(WideCharToMultiByte(kCodePage1252, 0, L"\u4e2d!", 2, narrow, 8, &hash, &usedDefault),
            2);
  EXPECT_EQ(std::string(narrow, 2), "#!");
  EXPECT_NE(usedDefault, 0);
  EXPECT_EQ(WideCharToMultiByte(kCodePage1252, 0, L"ok", 2, narrow, 8, &hash, &usedDefault), 2);
  EXPECT_EQ(usedDefault, 0);
}

TEST(WinApi, LengthMinusOneCountsTheTerminatingNul) {
  char narrow[8] = "zzzzzzz";
  EXPECT_EQ(WideCharToMultiByte(kCodePage1252, 0, L"ab", -1, narrow, 8, nullptr, nullptr), 3);
  EXPECT_STREQ(narrow, "ab");
}

// The stand-in's own choice; the system's function (tested in Windows builds) may give "??".
#if !defined(_WIN32)
TEST(WinApi, ACharacterBeyondUFFFFIsOneQuestionMark) {
  EXPECT_EQ(To1252(L"x\U0001F600y"), "x?y");
  EXPECT_EQ(To1252(std::wstring(1, static_cast<wchar_t>(0xD800))), "?") << "a lone surrogate";
  EXPECT_EQ(WideCharToMultiByte(kCodePage1252, 0, L"\U0001F600", -1, nullptr, 0, nullptr, nullptr),
            2);
}
#endif

TEST(WinApi, SizeZeroAsksForTheSizeAndTooSmallABufferFails) {
  EXPECT_EQ(WideCharToMultiByte(kCodePage1252, 0, L"ab\u00e9", -1, nullptr, 0, nullptr, nullptr),
            4);
  char narrow[2];
  EXPECT_EQ(WideCharToMultiByte(kCodePage1252, 0, L"abc", 3, narrow, 2, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(kCodePage1252, 0, L"abc", 0, narrow, 2, nullptr, nullptr), 0)
      << "an empty input is an error, as on Windows";
}

TEST(WinApi, OtherCodePagesFail) {
  EXPECT_EQ(To1252(L"abc", 12345), "<failed>");
#if !defined(_WIN32)
  EXPECT_EQ(To1252(L"abc", 65001), "<failed>");
  EXPECT_EQ(To1252(L"abc", 1250), "<failed>");
#endif
}
