// Unit tests for comparam/ValueRules.cpp
#include <comparam/UnsignedComParam.h>
#include <comparam/ValueRules.h>

#include <gtest/gtest.h>

using NComParamMan::IsDecimalUnsigned;
using NComParamMan::RangeAdmits;
using NComParamMan::RangeRestricts;
using NComParamMan::ZUnsignedComParam;

namespace {

struct RangeCase {
  unsigned start;
  unsigned stop;
  unsigned number;
  bool admitted;
};

}  // namespace

// The rule the tools explain is the one the parameter applies.
TEST(ValueRules, RangeAdmitsAsTheParameterDoes) {
  const RangeCase cases[] = {
      {0, 0, 4294967295u, true}, {7, 7, 3, true},   {0, 10, 10, true},  {0, 10, 11, false},
      {5, 10, 4, false},         {10, 5, 7, false}, {10, 5, 10, false}, {1, 4294967295u, 0, false},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.start << " to " << c.stop << ", " << c.number);
    EXPECT_EQ(RangeRestricts(c.start, c.stop), c.start != c.stop);
    EXPECT_EQ(RangeAdmits(c.start, c.stop, c.number), c.admitted);
    ZUnsignedComParam param(L"a", L"d", false, true, L"n", L"p", L"q", c.start, c.stop, 0);
    EXPECT_EQ(param.SetValue(c.number), c.admitted);
  }
}

TEST(ValueRules, DecimalUnsignedIsDigitsOnlyWithinThirtyTwoBits) {
  const struct {
    const wchar_t* text;
    bool decimal;
  } cases[] = {
      {L"0", true},           {L"150", true},         {L"0012", true}, {L"4294967295", true},
      {L"04294967295", true}, {L"4294967296", false}, {L"", false},    {nullptr, false},
      {L" 1", false},         {L"+5", false},         {L"-1", false},  {L"12abc", false},
      {L"1 ", false},         {L"\u0661", false},  // an Arabic-Indic one is no ASCII digit
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDecimalUnsigned(c.text), c.decimal) << (c.text ? c.text : L"(null)");
  }
}
