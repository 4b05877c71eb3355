// Unit tests for tools/comparam/HexNumbers.cpp.
#include "HexNumbers.h"

#include <gtest/gtest.h>

using NComParamTool::DecimalOfHex;
using NComParamTool::HexText;

TEST(HexNumbers, HexTextHasUpperCaseDigits) {
  EXPECT_EQ(HexText(0), "0x0");
  EXPECT_EQ(HexText(2016), "0x7E0");
  EXPECT_EQ(HexText(4294967295U), "0xFFFFFFFF");
}

TEST(HexNumbers, OnlyAPrefixedHexNumberWithin32BitsHasADecimalText) {
  const struct {
    const wchar_t* text;
    const wchar_t* decimal;  // null: not a hexadecimal number
  } cases[] = {
      {L"0x7E0", L"2016"},
      {L"0X7e0", L"2016"},
      {L"0x0", L"0"},
      {L"0xFFFFFFFF", L"4294967295"},
      {L"0x0000000000FF", L"255"},
      {L"0x100000000", nullptr},
      {L"0x", nullptr},
      {L"0xG", nullptr},
      {L"0x7E0 ", nullptr},
      {L" 0x7E0", nullptr},
      {L"0x-1", nullptr},
      {L"0x+1", nullptr},
      {L"2016", nullptr},
      {L"x7E0", nullptr},
      {L"", nullptr},
  };
  for (const auto& c : cases) {
    const auto decimal = DecimalOfHex(c.text);
    ASSERT_EQ(decimal.has_value(), c.decimal != nullptr) << static_cast<int>(c.text[0]);
    if (decimal) {
      EXPECT_EQ(*decimal, c.decimal);
    }
  }
}
