// Unit tests for Util/IntegerText.cpp
#include <Util/IntegerText.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using NComParamMan::ReadInteger;
using NComParamMan::ZIntegerText;

namespace {

struct IntegerCase {
  const wchar_t* text;
  bool negative;
  bool tooLarge;
  std::uint32_t magnitude;
  int digitsEndAt;  // offset of pEnd from the start of the text
};

}  // namespace

TEST(IntegerText, ReadsAsTheCLibraryInThirtyTwoBits) {
  const IntegerCase cases[] = {
      {L"42", false, false, 42, 2},
      {L" \t\n-7x", true, false, 7, 5},
      {L"+0012", false, false, 12, 5},
      {L"0x1A", false, false, 0, 1},  // no prefix: the x ends the number
      {L"ff", false, false, 0, 0},
      {L"4294967295", false, false, 4294967295u, 10},
      {L"4294967296", false, true, 0, 10},
      {L"99999999999999999999", false, true, 0, 20},
      {L"", false, false, 0, 0},
      {L"-", true, false, 0, 0},         // a sign without digits is no number
      {L"\u20037", false, false, 0, 0},  // only ASCII blanks are skipped
      {L"\uff17", false, false, 0, 0},   // nor are other digits than ASCII ones read
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
    const ZIntegerText number = ReadInteger(c.text);
    EXPECT_EQ(number.negative, c.negative);
    EXPECT_EQ(number.tooLarge, c.tooLarge);
    if (!c.tooLarge) {
      EXPECT_EQ(number.magnitude, c.magnitude);
    }
    EXPECT_EQ(number.pEnd - c.text, c.digitsEndAt);
  }
}

TEST(IntegerText, WritesPlainDecimalDigitsOfEveryWidth) {
  EXPECT_EQ(NComParamMan::DecimalText(0u), L"0");
  EXPECT_EQ(NComParamMan::DecimalText(4294967295u), L"4294967295");
  EXPECT_EQ(NComParamMan::DecimalText(INT32_MIN), L"-2147483648");
  EXPECT_EQ(NComParamMan::DecimalText(INT32_MAX), L"2147483647");
  EXPECT_EQ(NComParamMan::DecimalText(std::uint16_t{65535}), L"65535");

  std::wstring text = L"a longer text before";
  NComParamMan::AssignDecimal(text, 1000000u);
  EXPECT_EQ(text, L"1000000") << "the whole text is replaced";
}
