// Unit tests for comparam/ComParamRules.cpp
#include "ComParamRules.h"

#include <comparam/StringComParam.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LogCapture.h"

using NComParamMan::ZComParamConfiguration;
using NComParamMan::ZComParamRules;
using NComParamMan::ZConfigStateReport;
using NComParamMan::ZStringComParam;

namespace {

// Aliases differ from the qualifiers so that the messages show which of the two they name.
const wchar_t kSchemeAlias[] = L"DocScheme";
const wchar_t kIdTypeAlias[] = L"DocIdType";
const wchar_t kSchemeFuncAlias[] = L"DocSchemeFunc";
const wchar_t kIdTypeFuncAlias[] = L"DocIdTypeFunc";

const wchar_t kMissingCanIdType[] = L"Required communication parameter 'CanIdType' missing.\n\n";
const wchar_t kPhysicalInvalid[] =
    L"Invalid combination of communication parameters 'DocScheme' and 'DocIdType'.\n";
const wchar_t kFunctionalInvalid[] =
    L"Invalid combination of communication parameters 'DocSchemeFunc' and 'DocIdTypeFunc'.\n";

// Text parameters without permitted values, so that any value, wrong case included, is held.
class ComParamRulesTest : public ::testing::Test {
 protected:
  void Add(const wchar_t* qualifier, const wchar_t* alias, const wchar_t* value) {
    ASSERT_TRUE(m_configuration.GetComParamCollection().AddComParam(
        new ZStringComParam(alias, L"", false, true, L"", L"", qualifier, value)));
  }
  void AddPhysical(const wchar_t* scheme, const wchar_t* idType) {
    Add(L"AddrScheme", kSchemeAlias, scheme);
    Add(L"CanIdType", kIdTypeAlias, idType);
  }
  void AddFunctional(const wchar_t* scheme, const wchar_t* idType) {
    Add(L"AddrSchemeFunc", kSchemeFuncAlias, scheme);
    Add(L"CanIdTypeFunc", kIdTypeFuncAlias, idType);
  }

  // The report text, or "ok" for an ok report (which must carry no text).
  std::wstring Checked() {
    const ZConfigStateReport report = m_rules.Check(m_configuration);
    if (!report.IsOk()) return report.GetErrorMessage();
    EXPECT_STREQ(report.GetErrorMessage(), L"");
    return L"ok";
  }

  ZComParamRules m_rules;
  ZComParamConfiguration m_configuration{L"CAN_1"};
};

struct CombinationRow {
  const wchar_t* scheme;
  bool permits11Bit, permits29Bit, permitsJ1939;
};

// The permitted combinations; values differing in case, unknown and empty ones are all invalid.
const CombinationRow kCombinationTable[] = {
    {L"Normal", true, true, false},   {L"Extended", true, true, false},
    {L"Mixed", true, false, true},    {L"NormalFixed", false, false, true},
    {L"normal", false, false, false}, {L"Normal Fixed Addressing", false, false, false},
    {L"", false, false, false},
};

// Each row's verdict for the identifier types in column order, then three that are never valid.
std::vector<std::pair<const wchar_t*, bool>> Columns(const CombinationRow& row) {
  return {{L"11-Bit", row.permits11Bit},
          {L"29-Bit", row.permits29Bit},
          {L"J1939", row.permitsJ1939},
          {L"11-bit", false},
          {L"Normal", false},
          {L"", false}};
}

}  // namespace

// --- Required parameters and the functional pair ------------------------------------------

TEST_F(ComParamRulesTest, EmptyConfigurationLacksTheAddressingScheme) {
  EXPECT_EQ(Checked(), L"Required communication parameter 'AddrScheme' missing.\n\n");
}

TEST_F(ComParamRulesTest, MissingIdentifierTypeSkipsThePhysicalCombination) {
  Add(L"AddrScheme", kSchemeAlias, L"NormalFixed");
  EXPECT_EQ(Checked(), kMissingCanIdType);
}

TEST_F(ComParamRulesTest, MissingSchemeIsReportedBeforeMissingIdentifierType) {
  Add(L"CanIdType", kIdTypeAlias, L"11-Bit");
  EXPECT_EQ(Checked(), L"Required communication parameter 'AddrScheme' missing.\n\n");
}

TEST_F(ComParamRulesTest, FunctionalSchemeAloneRequiresTheFunctionalIdentifierType) {
  AddPhysical(L"Normal", L"11-Bit");
  Add(L"AddrSchemeFunc", kSchemeFuncAlias, L"Normal");
  EXPECT_EQ(Checked(),
            L"Communication parameter 'DocSchemeFunc' requires definition of parameter "
            L"'CanIdTypeFunc'.\n\n");
}

TEST_F(ComParamRulesTest, FunctionalIdentifierTypeAloneRequiresTheFunctionalScheme) {
  AddPhysical(L"Normal", L"11-Bit");
  Add(L"CanIdTypeFunc", kIdTypeFuncAlias, L"J1939");
  EXPECT_EQ(Checked(),
            L"Communication parameter 'DocIdTypeFunc' requires definition of parameter "
            L"'AddrSchemeFunc'.\n\n");
}

TEST_F(ComParamRulesTest, RequirementsStopAtTheFirstViolation) {
  Add(L"CanIdTypeFunc", kIdTypeFuncAlias, L"J1939");
  std::wstring errorText = L"earlier text";
  m_rules.Check(m_configuration);
  EXPECT_FALSE(m_rules.CheckRequirements(errorText));
  EXPECT_EQ(errorText, L"Required communication parameter 'AddrScheme' missing.\n");
}

// --- The combination table ----------------------------------------------------------------

TEST_F(ComParamRulesTest, PhysicalCombinationsFollowTheTable) {
  for (const CombinationRow& row : kCombinationTable) {
    for (const auto& column : Columns(row)) {
      SCOPED_TRACE(std::wstring(row.scheme) + L" / " + column.first);
      m_configuration.GetComParamCollection().Clear();
      AddPhysical(row.scheme, column.first);
      EXPECT_EQ(Checked(), column.second ? L"ok" : kPhysicalInvalid);
    }
  }
}

TEST_F(ComParamRulesTest, FunctionalCombinationsFollowTheSameTable) {
  for (const CombinationRow& row : kCombinationTable) {
    for (const auto& column : Columns(row)) {
      SCOPED_TRACE(std::wstring(row.scheme) + L" / " + column.first);
      m_configuration.GetComParamCollection().Clear();
      AddPhysical(L"Mixed", L"J1939");
      AddFunctional(row.scheme, column.first);
      EXPECT_EQ(Checked(), column.second ? L"ok" : kFunctionalInvalid);
    }
  }
}

TEST_F(ComParamRulesTest, CheckCombinationLeavesTheTextAloneWhenPermitted) {
  ZStringComParam scheme(kSchemeAlias, L"", false, true, L"", L"", L"AddrScheme", L"Mixed");
  ZStringComParam idType(kIdTypeAlias, L"", false, true, L"", L"", L"CanIdType", L"29-Bit");
  std::wstring errorText = L"untouched";
  EXPECT_FALSE(m_rules.CheckCombination(scheme, idType, errorText));
  EXPECT_EQ(errorText,
            L"Invalid combination of communication parameters 'DocScheme' and "
            L"'DocIdType'.");
  idType.SetValue(L"11-Bit");
  errorText = L"untouched";
  EXPECT_TRUE(m_rules.CheckCombination(scheme, idType, errorText));
  EXPECT_EQ(errorText, L"untouched");
}

// --- Several violations -------------------------------------------------------------------

TEST_F(ComParamRulesTest, MessagesFollowTheOrderOfTheChecks) {
  AddPhysical(L"Normal", L"J1939");
  Add(L"CanIdTypeFunc", kIdTypeFuncAlias, L"11-Bit");
  EXPECT_EQ(Checked(),
            std::wstring(L"Communication parameter 'DocIdTypeFunc' requires definition of "
                         L"parameter 'AddrSchemeFunc'.\n\n") +
                kPhysicalInvalid);
}

TEST_F(ComParamRulesTest, BothCombinationsInvalidGiveTwoMessages) {
  AddPhysical(L"NormalFixed", L"11-Bit");
  AddFunctional(L"Extended", L"J1939");
  EXPECT_EQ(Checked(), std::wstring(kPhysicalInvalid) + kFunctionalInvalid);
}

TEST_F(ComParamRulesTest, ChecksTheConfigurationItIsGivenEachTime) {
  AddPhysical(L"Normal", L"J1939");
  ZComParamConfiguration valid(L"CAN_2");
  valid.GetComParamCollection().AddComParam(
      new ZStringComParam(L"S", L"", false, true, L"", L"", L"AddrScheme", L"Normal"));
  valid.GetComParamCollection().AddComParam(
      new ZStringComParam(L"T", L"", false, true, L"", L"", L"CanIdType", L"29-Bit"));
  EXPECT_EQ(Checked(), kPhysicalInvalid);
  EXPECT_TRUE(m_rules.Check(valid).IsOk());
  m_configuration.GetComParamCollection().FindByQualifier(L"CanIdType")->SetValue(L"29-Bit");
  EXPECT_EQ(Checked(), L"ok");
}

TEST_F(ComParamRulesTest, NeverLogsAndLeavesTheConfigurationAsItWas) {
  LogCapture log;
  AddPhysical(L"Mixed", L"29-Bit");
  Checked();
  EXPECT_TRUE(log.Texts().empty());
  EXPECT_EQ(m_configuration.GetComParamCollection().Count(), 2u);
  EXPECT_STREQ(m_configuration.GetComParamCollection().FindByQualifier(L"CanIdType")->GetValue(),
               L"29-Bit");
}
