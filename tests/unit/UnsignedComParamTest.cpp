// Unit tests for comparam/UnsignedComParam.cpp
#include <comparam/UnsignedComParam.h>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "LogCapture.h"

using NComParamMan::ZComParam;
using NComParamMan::ZUnsignedComParam;
using NComParamMan::ZValidValueSet;

namespace {

ZUnsignedComParam Ranged(unsigned start, unsigned stop, unsigned value) {
  return ZUnsignedComParam(L"testParamAlias", L"testParamDesc", false, true, L"testParamName",
                           L"testParamPath", L"testParamQual", start, stop, value);
}

ZUnsignedComParam WithValidValues(std::initializer_list<const wchar_t*> values, unsigned value) {
  ZValidValueSet set;
  for (const wchar_t* v : values) set.AddValidValue(v);
  return ZUnsignedComParam(L"a", L"d", false, true, L"n", L"p", L"q", set, value);
}

// Opens the protected range setters and the type field.
class OpenUnsignedParam : public ZUnsignedComParam {
 public:
  using ZUnsignedComParam::SetStartRange;
  using ZUnsignedComParam::SetStopRange;
  void ForceType(ZComParamType type) { m_valueType = type; }
};

}  // namespace

// ---- Construction ----

TEST(UnsignedComParam, DefaultIsAnInvalidUnrestrictedZero) {
  ZUnsignedComParam p;
  EXPECT_EQ(p.GetValueType(), ZComParam::CPTUnsigned);
  EXPECT_FALSE(p.HasValidValue());
  EXPECT_EQ(p.GetValueAsUnsigned(), 0u);
  EXPECT_EQ(p.GetStartRangeAsUnsigned(), 0u);
  EXPECT_EQ(p.GetStopRangeAsUnsigned(), 0u);
  EXPECT_STREQ(p.GetValue(), L"");
  EXPECT_STREQ(p.GetStartRange(), L"");
}

TEST(UnsignedComParam, RangeConstructorWritesBoundsAndValueAsDecimalText) {
  ZUnsignedComParam p = Ranged(5, 4000000000u, 1234567);
  EXPECT_STREQ(p.GetAlias(), L"testParamAlias");
  EXPECT_STREQ(p.GetQualifier(), L"testParamQual");
  EXPECT_FALSE(p.GetIsSimulated());
  EXPECT_EQ(p.GetValueType(), ZComParam::CPTUnsigned);
  EXPECT_STREQ(p.GetStartRange(), L"5");
  EXPECT_STREQ(p.GetStopRange(), L"4000000000");
  EXPECT_STREQ(p.GetValue(), L"1234567");
  EXPECT_EQ(p.GetValueAsUnsigned(), 1234567u);
  EXPECT_TRUE(p.HasValidValue());
}

TEST(UnsignedComParam, StopRangeNumberIsTheStopBound) {
  ZUnsignedComParam p = Ranged(0, 10, 9);
  EXPECT_EQ(p.GetStartRangeAsUnsigned(), 0u);
  EXPECT_EQ(p.GetStopRangeAsUnsigned(), 10u);
  ZUnsignedComParam q = Ranged(5, 9, 7);
  EXPECT_EQ(q.GetStartRangeAsUnsigned(), 5u);
  EXPECT_EQ(q.GetStopRangeAsUnsigned(), 9u);
}

TEST(UnsignedComParam, InitialValueOutsideTheRangeLeavesNoValue) {
  LogCapture log;
  ZUnsignedComParam p = Ranged(0, 10, 20);
  EXPECT_FALSE(p.HasValidValue());
  EXPECT_STREQ(p.GetValue(), L"");
  EXPECT_EQ(p.GetValueAsUnsigned(), 0u);
  EXPECT_TRUE(log.Lines().empty());
}

TEST(UnsignedComParam, ValidValueConstructorChecksInitialValueAgainstRangeOnly) {
  ZUnsignedComParam p = WithValidValues({L"0", L"1", L"2"}, 9);
  EXPECT_TRUE(p.HasValidValue());
  EXPECT_STREQ(p.GetValue(), L"9");
  EXPECT_STREQ(p.GetStartRange(), L"");
  EXPECT_STREQ(p.GetStopRange(), L"");
  EXPECT_FALSE(p.SetValue(9u));
  EXPECT_STREQ(p.GetValue(), L"9");
}

// ---- Range rules ----

TEST(UnsignedComParamRange, BoundsAreInclusive) {
  ZUnsignedComParam p = Ranged(5, 9, 7);
  EXPECT_FALSE(p.IsValidValue(L"4"));
  EXPECT_TRUE(p.IsValidValue(L"5"));
  EXPECT_TRUE(p.IsValidValue(L"9"));
  EXPECT_FALSE(p.IsValidValue(L"10"));
}

TEST(UnsignedComParamRange, ZeroToTenAcceptsInsideAndRefusesEleven) {
  LogCapture log;
  ZUnsignedComParam p = Ranged(0, 10, 9);
  EXPECT_EQ(p.GetValueAsUnsigned(), 9u);
  EXPECT_TRUE(p.SetValue(3u));
  EXPECT_EQ(p.GetValueAsUnsigned(), 3u);
  EXPECT_TRUE(p.SetValue(L"10"));
  EXPECT_STREQ(p.GetValue(), L"10");
  EXPECT_FALSE(p.SetValue(11u));
  EXPECT_FALSE(p.HasValidValue());
  EXPECT_STREQ(p.GetValue(), L"10");
  EXPECT_EQ(p.GetValueAsUnsigned(), 10u);
  EXPECT_FALSE(p.SetValue(L"11"));
  EXPECT_TRUE(log.Lines().empty());
}

TEST(UnsignedComParamRange, EqualBoundsPlaceNoRestriction) {
  ZUnsignedComParam p = Ranged(0, 0, 0);
  EXPECT_TRUE(p.SetValue(0u));
  EXPECT_TRUE(p.SetValue(50u));
  EXPECT_TRUE(p.SetValue(UINT_MAX));
  EXPECT_STREQ(p.GetValue(), L"4294967295");
  ZUnsignedComParam q = Ranged(7, 7, 3);
  EXPECT_TRUE(q.HasValidValue());
}

TEST(UnsignedComParamRange, ByteRangeAccepts255AndRefuses256) {
  ZUnsignedComParam p = Ranged(0, 255, 0);
  EXPECT_TRUE(p.SetValue(255u));
  EXPECT_FALSE(p.SetValue(256u));
}

TEST(UnsignedComParamRange, StartAboveStopRefusesEverything) {
  ZUnsignedComParam p = Ranged(10, 5, 7);
  EXPECT_FALSE(p.HasValidValue());
  for (unsigned n : {0u, 5u, 7u, 10u, 11u}) EXPECT_FALSE(p.SetValue(n)) << n;
}

// ---- Text values ----

TEST(UnsignedComParamText, OfferedTextIsKeptAsGiven) {
  ZUnsignedComParam p = Ranged(0, 0, 0);
  EXPECT_TRUE(p.SetValue(L"0012"));
  EXPECT_STREQ(p.GetValue(), L"0012");
  EXPECT_EQ(p.GetValueAsUnsigned(), 12u);
  EXPECT_TRUE(p.SetValue(12u));
  EXPECT_STREQ(p.GetValue(), L"12");
  EXPECT_TRUE(p.SetValue(L" 7"));
  EXPECT_STREQ(p.GetValue(), L" 7");
  EXPECT_EQ(p.GetValueAsUnsigned(), 7u);
  EXPECT_TRUE(p.SetValue(L"12abc"));
  EXPECT_STREQ(p.GetValue(), L"12abc");
  EXPECT_EQ(p.GetValueAsUnsigned(), 12u);
}

TEST(UnsignedComParamText, OverflowIsRefusedAndKeepsThePreviousValue) {
  ZUnsignedComParam p = Ranged(0, 0, 4);
  EXPECT_TRUE(p.SetValue(L"4294967295"));
  EXPECT_FALSE(p.SetValue(L"4294967296"));
  EXPECT_STREQ(p.GetValue(), L"4294967295");
  EXPECT_EQ(p.GetValueAsUnsigned(), UINT_MAX);
  EXPECT_FALSE(p.HasValidValue());
}

TEST(UnsignedComParamText, MinusWrapsAndEmptyReadsAsZero) {
  ZUnsignedComParam p = Ranged(0, 0, 4);
  EXPECT_TRUE(p.SetValue(L"-1"));
  EXPECT_EQ(p.GetValueAsUnsigned(), UINT_MAX);
  EXPECT_TRUE(p.SetValue(L""));
  EXPECT_EQ(p.GetValueAsUnsigned(), 0u);
  EXPECT_TRUE(p.SetValue(static_cast<const wchar_t*>(nullptr)));
  EXPECT_STREQ(p.GetValue(), L"");
  ZUnsignedComParam ranged = Ranged(1, 10, 4);
  EXPECT_FALSE(ranged.SetValue(L"-1"));
  EXPECT_FALSE(ranged.SetValue(L"x"));
}

TEST(UnsignedComParamText, ValidValuesMatchTheTextNotTheNumber) {
  ZUnsignedComParam p = WithValidValues({L"1", L"2"}, 1);
  EXPECT_TRUE(p.SetValue(2u));
  EXPECT_FALSE(p.SetValue(L"02"));
  EXPECT_STREQ(p.GetValue(), L"2");
  EXPECT_FALSE(p.SetValue(L"4"));
  EXPECT_FALSE(WithValidValues({L"7"}, 0).IsValidValue(L"07"));
}

// ---- Internal checks ----

TEST(UnsignedComParamChecks, TextRangeSettersReadTheNumber) {
  OpenUnsignedParam p;
  p.SetStartRange(L"3");
  p.SetStopRange(L" 12");
  EXPECT_STREQ(p.GetStartRange(), L"3");
  EXPECT_STREQ(p.GetStopRange(), L" 12");
  EXPECT_EQ(p.GetStartRangeAsUnsigned(), 3u);
  EXPECT_EQ(p.GetStopRangeAsUnsigned(), 12u);
  EXPECT_TRUE(p.SetValue(12u));
  EXPECT_FALSE(p.SetValue(13u));
  p.SetStartRange(8u);
  EXPECT_STREQ(p.GetStartRange(), L"8");
}

TEST(UnsignedComParamChecks, OverflowingRangeTextFailsCheckBSuccess) {
  OpenUnsignedParam p;
  ExpectInternalCheck([&] { p.SetStartRange(L"4294967296"); }, L"bSuccess", "UnsignedComParam.cpp");
  ExpectInternalCheck([&] { p.SetStopRange(L"4294967296"); }, L"bSuccess", "UnsignedComParam.cpp");
  // The start text is stored before the reading, the stop text only after it.
  EXPECT_STREQ(p.GetStartRange(), L"4294967296");
  EXPECT_STREQ(p.GetStopRange(), L"");
}

TEST(UnsignedComParamChecks, RangeNumbersNeedTheUnsignedType) {
  OpenUnsignedParam p;
  p.ForceType(ZComParam::CPTString);
  ExpectInternalCheck([&] { p.GetStartRangeAsUnsigned(); }, L"m_valueType==CPTUnsigned",
                      "UnsignedComParam.cpp");
  ExpectInternalCheck([&] { p.GetStopRangeAsUnsigned(); }, L"m_valueType==CPTUnsigned",
                      "UnsignedComParam.cpp");
}

// ---- Copies ----

TEST(UnsignedComParamCopy, CloneIsIndependentAndKeepsRangeSetAndFlag) {
  ZUnsignedComParam prototype = Ranged(0, 10, 20);
  std::unique_ptr<ZComParam> clone(prototype.Clone());
  ASSERT_NE(dynamic_cast<ZUnsignedComParam*>(clone.get()), nullptr);
  EXPECT_FALSE(clone->HasValidValue());
  EXPECT_EQ(clone->GetStopRangeAsUnsigned(), 10u);
  EXPECT_STREQ(clone->GetStopRange(), L"10");
  EXPECT_FALSE(clone->SetValue(11u));
  EXPECT_TRUE(clone->SetValue(4u));
  EXPECT_EQ(prototype.GetValueAsUnsigned(), 0u);
  EXPECT_FALSE(prototype.HasValidValue());

  ZUnsignedComParam restricted = WithValidValues({L"1"}, 5);
  std::unique_ptr<ZComParam> restrictedClone(restricted.Clone());
  EXPECT_EQ(restrictedClone->GetValueAsUnsigned(), 5u);
  EXPECT_FALSE(restrictedClone->SetValue(2u));
}

TEST(UnsignedComParamCopy, CopyAndAssignmentCarryTheNumbers) {
  ZUnsignedComParam source = Ranged(2, 8, 6);
  ZUnsignedComParam copy(source);
  ZUnsignedComParam assigned;
  assigned = source;
  for (const ZUnsignedComParam* p : {&copy, &assigned}) {
    EXPECT_EQ(p->GetValueAsUnsigned(), 6u);
    EXPECT_EQ(p->GetStartRangeAsUnsigned(), 2u);
    EXPECT_EQ(p->GetStopRangeAsUnsigned(), 8u);
    EXPECT_TRUE(p->HasValidValue());
  }
}
