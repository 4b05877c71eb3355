// Unit tests for comparam/VocabularyView.cpp.
#include <comparam/VocabularyView.h>

#include "ComParamFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace NComParamMan;
using ZTexts = std::vector<std::wstring>;

// The view describes what the catalogue builds: one entry per prototype, the same facts.
TEST(VocabularyView, EveryParameterIsDescribedAsTheCatalogueBuildsIt) {
  const std::vector<ZNormalizedParamInfo> params = GetNormalizedParams();
  ASSERT_EQ(params.size(), 37U);
  for (const ZNormalizedParamInfo& info : params) {
    const std::unique_ptr<ZComParam> pPrototype(
        ZComParamFactory::GetInstance()->CreateComParam(info.qualifier));
    ASSERT_NE(pPrototype, nullptr) << info.qualifier;
    EXPECT_STREQ(pPrototype->GetName(), info.displayName);
    EXPECT_EQ(pPrototype->GetValueType(), info.valueType) << info.qualifier;
    if (info.valueType == ZComParam::CPTUnsigned) {
      EXPECT_EQ(pPrototype->GetStopRangeAsUnsigned(), info.stopRange) << info.qualifier;
      EXPECT_EQ(std::wstring(pPrototype->GetValue()), info.defaultValue) << info.qualifier;
    } else {
      const std::set<std::wstring>& values = pPrototype->GetValidValues().GetValues();
      EXPECT_EQ(ZTexts(values.begin(), values.end()).size(), info.permittedValues.size());
      for (const std::wstring& value : info.permittedValues) EXPECT_EQ(values.count(value), 1U);
    }
  }
  ZComParamFactory::ReleaseInstance();
}

TEST(VocabularyView, AliasesAreListedAsWrittenInTheOrderOfPreference) {
  const struct {
    const wchar_t* qualifier;
    ZTexts aliases;
  } cases[] = {
      {L"P2Client",
       {L"P2Timeout", L"P2Client", L"TIMEOUT_P2CE", L"CP_P2_TIMEOUT", L"TTmoRxSlow", L"TtmoRxSlow",
        L"RESPONSETIMEOUT"}},
      {L"CanIdType", {L"CanIdType", L"CanId"}},
      // TIMEOUT_AX translates to TimeoutAr only.
      {L"TimeoutAs", {L"TimeoutAs", L"As", L"timeoutAs", L"N_As", L"TimeoutAsTester"}},
      {L"TimeoutAr",
       {L"TimeoutAr", L"Ar", L"timeoutAr", L"TIMEOUT_AX", L"N_Ar", L"TimeoutArTester"}},
      {L"Unknown", {}},
      {L"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(GetDocumentAliases(c.qualifier), c.aliases) << c.qualifier;
  EXPECT_EQ(GetDocumentAliases(nullptr), ZTexts());
}

TEST(VocabularyView, ValueAliasesBelongToOneParameter) {
  EXPECT_EQ(GetValueAliases(L"CanIdType", L"11-Bit"),
            (ZTexts{L"11-bit", L"11-Bit", L"11 bit", L"11 Bit", L"Normal"}));
  EXPECT_EQ(GetValueAliases(L"AddrSchemeFunc", L"NormalFixed"),
            (ZTexts{L"NormalFixed", L"normalfixed", L"normalFixed", L"Normal Fixed Addressing"}));
  EXPECT_EQ(GetValueAliases(L"BusType", L"CAN"), ZTexts());
  EXPECT_EQ(GetValueAliases(L"CanIdType", L"Normal"), ZTexts());
  EXPECT_EQ(GetValueAliases(nullptr, nullptr), ZTexts());
}
