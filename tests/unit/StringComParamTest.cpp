// Unit tests for comparam/StringComParam.cpp
#include <comparam/StringComParam.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "LogCapture.h"

using NComParamMan::ZComParam;
using NComParamMan::ZStringComParam;
using NComParamMan::ZValidValueSet;

namespace {

ZValidValueSet AddrSchemes() {
  ZValidValueSet set;
  set.AddValidValue(L"Normal");
  set.AddValidValue(L"Extended");
  return set;
}

ZStringComParam FreeText(const wchar_t* value) {
  return ZStringComParam(L"alias", L"desc", false, true, L"name", L"path", L"qual", value);
}

ZStringComParam Restricted(const wchar_t* value) {
  return ZStringComParam(L"alias", L"desc", false, true, L"name", L"path", L"AddrScheme",
                         AddrSchemes(), value);
}

// Opens the protected range setters, which a text parameter must never receive.
class OpenStringParam : public ZStringComParam {
 public:
  using ZStringComParam::SetStartRange;
  using ZStringComParam::SetStopRange;
};

}  // namespace

// ---- Construction ----

TEST(StringComParam, DefaultIsAnInvalidEmptyTextParameter) {
  ZStringComParam p;
  EXPECT_EQ(p.GetValueType(), ZComParam::CPTString);
  EXPECT_FALSE(p.HasValidValue());
  EXPECT_STREQ(p.GetValue(), L"");
  EXPECT_STREQ(p.GetStartRange(), L"");
}

TEST(StringComParam, ValueConstructorHasEmptyRangeAndAValidValue) {
  ZStringComParam p = FreeText(L"anything");
  EXPECT_EQ(p.GetValueType(), ZComParam::CPTString);
  EXPECT_STREQ(p.GetValue(), L"anything");
  EXPECT_STREQ(p.GetStartRange(), L"");
  EXPECT_STREQ(p.GetStopRange(), L"");
  EXPECT_TRUE(p.HasValidValue());
}

TEST(StringComParam, ValidValueConstructorHasZeroRangeTexts) {
  ZStringComParam p = Restricted(L"Normal");
  EXPECT_STREQ(p.GetStartRange(), L"0");
  EXPECT_STREQ(p.GetStopRange(), L"0");
  EXPECT_TRUE(p.HasValidValue());
}

TEST(StringComParam, OffersItsPermittedValuesAndACopyKeepsThem) {
  const ZStringComParam original = Restricted(L"Normal");
  const ZStringComParam copy(original);
  EXPECT_TRUE(copy.GetValidValues().Contains(L"Extended"));
  EXPECT_EQ(copy.GetValidValues().GetValues(), original.GetValidValues().GetValues());
  EXPECT_TRUE(FreeText(L"x").GetValidValues().IsEmpty());
}

TEST(StringComParam, ValueOutsideTheSetIsStoredButFlaggedSilently) {
  LogCapture log;
  ZStringComParam p = Restricted(L"normal");
  EXPECT_STREQ(p.GetValue(), L"normal");
  EXPECT_FALSE(p.HasValidValue());
  // The catalogue's prototypes start empty with a set that lacks "".
  EXPECT_FALSE(Restricted(L"").HasValidValue());
  EXPECT_TRUE(log.Lines().empty());
}

TEST(StringComParam, ValidValueConstructorWithEmptySetAcceptsAnyValue) {
  ZStringComParam p(L"a", L"d", false, true, L"n", L"p", L"q", ZValidValueSet(), L"x");
  EXPECT_TRUE(p.HasValidValue());
}

TEST(StringComParam, NullValueIsStoredAsEmptyText) {
  ZStringComParam p = FreeText(nullptr);
  EXPECT_STREQ(p.GetValue(), L"");
  EXPECT_TRUE(p.HasValidValue());
}

// ---- Values ----

TEST(StringComParam, WithoutValidValuesEveryTextIsAccepted) {
  ZStringComParam p = FreeText(L"start");
  for (const wchar_t* text : {L"", L" ", L"x y", L"\u00c4nderung", L"12"}) {
    EXPECT_TRUE(p.SetValue(text));
    EXPECT_STREQ(p.GetValue(), text);
  }
}

TEST(StringComParam, RestrictedParameterRefusesOtherCaseAndLogsIt) {
  ZStringComParam p = Restricted(L"Normal");
  LogCapture log;
  EXPECT_TRUE(p.IsValidValue(L"Extended"));
  EXPECT_FALSE(p.IsValidValue(L"normal"));
  EXPECT_FALSE(p.SetValue(L"normal"));
  EXPECT_STREQ(p.GetValue(), L"Normal");
  EXPECT_FALSE(p.HasValidValue());
  ASSERT_EQ(log.Texts().size(), 1u);
  EXPECT_EQ(log.Texts()[0],
            L"Setting COM parameter 'AddrScheme' to value 'normal' failed. Invalid value!\n");
  EXPECT_TRUE(p.SetValue(L"Extended"));
  EXPECT_TRUE(p.HasValidValue());
}

TEST(StringComParam, NullOfferedToRestrictedParameterIsRefusedAsEmptyText) {
  ZStringComParam p = Restricted(L"Normal");
  LogCapture log;
  EXPECT_FALSE(p.SetValue(static_cast<const wchar_t*>(nullptr)));
  ASSERT_EQ(log.Texts().size(), 1u);
  EXPECT_EQ(log.Texts()[0],
            L"Setting COM parameter 'AddrScheme' to value '' failed. Invalid value!\n");
}

// ---- Numeric operations ----

TEST(StringComParam, RangeNumbersReadAsZero) {
  ZStringComParam p = Restricted(L"Normal");
  EXPECT_EQ(p.GetStartRangeAsUnsigned(), 0u);
  EXPECT_EQ(p.GetStopRangeAsUnsigned(), 0u);
}

TEST(StringComParam, NumericValueOperationsAreInternalErrors) {
  ZStringComParam p = FreeText(L"v");
  ExpectInternalCheck([&] { p.GetValueAsUnsigned(); }, L"false", "StringComParam.cpp");
  ExpectInternalCheck([&] { p.SetValue(5u); }, L"false", "StringComParam.cpp");
  EXPECT_STREQ(p.GetValue(), L"v");
  EXPECT_TRUE(p.HasValidValue());
}

TEST(StringComParam, RangeSettersAreInternalErrors) {
  OpenStringParam p;
  ExpectInternalCheck([&] { p.SetStartRange(1u); }, L"false", "StringComParam.cpp");
  ExpectInternalCheck([&] { p.SetStartRange(L"1"); }, L"false", "StringComParam.cpp");
  ExpectInternalCheck([&] { p.SetStopRange(1u); }, L"false", "StringComParam.cpp");
  ExpectInternalCheck([&] { p.SetStopRange(L"1"); }, L"false", "StringComParam.cpp");
  EXPECT_STREQ(p.GetStartRange(), L"");
}

// ---- Copies ----

TEST(StringComParam, CloneIsAnIndependentStringParameter) {
  ZStringComParam prototype = Restricted(L"");
  std::unique_ptr<ZComParam> clone(prototype.Clone());
  ASSERT_NE(dynamic_cast<ZStringComParam*>(clone.get()), nullptr);
  EXPECT_FALSE(clone->HasValidValue());
  EXPECT_STREQ(clone->GetStartRange(), L"0");
  EXPECT_STREQ(clone->GetQualifier(), L"AddrScheme");
  EXPECT_FALSE(clone->IsValidValue(L"Mixed"));

  EXPECT_TRUE(clone->SetValue(L"Normal"));
  EXPECT_STREQ(prototype.GetValue(), L"");
  EXPECT_FALSE(prototype.HasValidValue());
}

TEST(StringComParam, CopyAndAssignmentCarryValueSetAndFlag) {
  ZStringComParam source = Restricted(L"Mixed");
  ZStringComParam copy(source);
  ZStringComParam assigned;
  assigned = source;
  for (const ZStringComParam* p : {&copy, &assigned}) {
    EXPECT_STREQ(p->GetValue(), L"Mixed");
    EXPECT_FALSE(p->HasValidValue());
    EXPECT_TRUE(p->IsValidValue(L"Normal"));
    EXPECT_FALSE(p->IsValidValue(L"Mixed"));
  }
}
