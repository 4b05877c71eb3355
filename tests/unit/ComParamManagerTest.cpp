// Unit tests for comparam/ComParamManager.cpp: reading and checking (the write-back is in
// WriteBackTest.cpp)
#include <comparam/ComParamManager.h>

#include "ComParamFactory.h"

#include <comparam/ComParamException.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "ConversionFixture.h"
#include "LogCapture.h"

using NComParamMan::ZComParam;
using NComParamMan::ZComParamConfiguration;
using NComParamMan::ZComParamFactory;
using NComParamMan::ZComParamManager;
using NComParamMan::ZConfigStateReport;
using Lines = std::vector<std::wstring>;

static_assert(!std::is_copy_constructible_v<ZComParamManager> &&
                  !std::is_copy_assignable_v<ZComParamManager>,
              "a copy would delete the manager's objects twice");

namespace {

class ComParamManagerTest : public ::testing::Test {
 protected:
  void TearDown() override { ZComParamFactory::ReleaseInstance(); }

  // The report text, or "ok" for an ok report (which must carry no text).
  static std::wstring TextOf(const ZConfigStateReport& report) {
    if (!report.IsOk()) return report.GetErrorMessage();
    EXPECT_STREQ(report.GetErrorMessage(), L"");
    return L"ok";
  }

  // The report on one interface of the rules document.
  std::wstring Checked(const wchar_t* interfaceQualifier) {
    ZComParamConfiguration configuration = m_rulesManager.TolvanToNormalized(interfaceQualifier);
    return TextOf(m_rulesManager.CheckValidity(configuration));
  }

  std::unique_ptr<Pelka::ZEcuDoc> m_pReadingDoc = LoadConversionDoc("reading.xml");
  std::unique_ptr<Pelka::ZEcuDoc> m_pRulesDoc = LoadConversionDoc("rules.xml");
  ZComParamManager m_manager{*m_pReadingDoc};
  ZComParamManager m_rulesManager{*m_pRulesDoc};
};

std::wstring Invalid(const wchar_t* schemeAlias, const wchar_t* idTypeAlias) {
  return std::wstring(L"Invalid combination of communication parameters '") + schemeAlias +
         L"' and '" + idTypeAlias + L"'.\n";
}

void ExpectFromUnit(const LoggedLine& line, const char* unit, int level) {
  EXPECT_NE(line.file.find(unit), std::string::npos) << line.file;
  EXPECT_EQ(line.level, level);
  EXPECT_EQ(line.category, 256u);
}

}  // namespace

// --- TolvanToNormalized -------------------------------------------------------------------

TEST_F(ComParamManagerTest, ReadsTheNormalizedConfigurationOfAnInterface) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"PROPS");
  EXPECT_STREQ(configuration.GetInterfaceQualifier(), L"PROPS");
  EXPECT_EQ(Summarize(configuration.GetComParamCollection()),
            (NormalizedList{{L"P2Client", L"P2Client", L"75", true},
                            {L"AddrScheme", L"ADDRESSINGSCHEME", L"NormalFixed", true}}));
}

TEST_F(ComParamManagerTest, WholeNumbersOfFloatingPointAttributesReadInFull) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"FLOATS");
  EXPECT_EQ(Summarize(configuration.GetComParamCollection()),
            (NormalizedList{{L"Baudrate", L"Baudrate", L"500000", true},
                            {L"P2Client", L"P2Client", L"1000", true}}));
}

TEST_F(ComParamManagerTest, UnidentifiedParametersNeverReachTheCaller) {
  LogCapture log;
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"UNIDENTIFIED");
  EXPECT_EQ(Summarize(configuration.GetComParamCollection()),
            (NormalizedList{{L"P2Client", L"P2Timeout", L"60", true}}));
  // Logged as a collection of them would log them, the second "Vendor" refused as a duplicate.
  ASSERT_EQ(log.Texts(), kUnidentifiedReadingLog);
  for (std::size_t i = 0; i + 1 < log.Lines().size(); ++i) {
    ExpectFromUnit(log.Lines()[i], "NormalizeComParams.cpp", 3);
  }
  ExpectFromUnit(log.Lines().back(), "ComParamCollection.cpp", 3);
}

TEST_F(ComParamManagerTest, InterfaceWithoutParametersGivesAnEmptyConfiguration) {
  LogCapture log;
  for (const wchar_t* interfaceQualifier : {L"EMPTY", L"NO_SUCH_INTERFACE", L""}) {
    ZComParamConfiguration configuration = m_manager.TolvanToNormalized(interfaceQualifier);
    EXPECT_STREQ(configuration.GetInterfaceQualifier(), interfaceQualifier);
    EXPECT_EQ(configuration.GetComParamCollection().Count(), 0u);
  }
  EXPECT_EQ(log.Texts(), Lines{});
}

TEST_F(ComParamManagerTest, InternalErrorReturnsWhatWasReadBefore) {
  LogCapture log;
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"FILL_BYTE");
  EXPECT_STREQ(configuration.GetInterfaceQualifier(), L"FILL_BYTE");
  EXPECT_EQ(Summarize(configuration.GetComParamCollection()),
            (NormalizedList{{L"P2Client", L"P2Client", L"50", true}}));
  ASSERT_EQ(log.Texts(), (Lines{L"pComParam.\n", L"ComParamMan: Internal error\n"}));
  ExpectFromUnit(log.Lines()[0], "NormalizeComParams.cpp", 0);
  ExpectFromUnit(log.Lines()[1], "ComParamManager.cpp", 0);

  // The manager goes on working after an internal error.
  EXPECT_EQ(m_manager.TolvanToNormalized(L"PROPS").GetComParamCollection().Count(), 2u);
}

TEST_F(ComParamManagerTest, EveryResultIsAnIndependentCopy) {
  ZComParamConfiguration first = m_manager.TolvanToNormalized(L"PROPS");
  ZComParamConfiguration second = m_manager.TolvanToNormalized(L"PROPS");
  ZComParam& firstP2 = first.GetComParamCollection().At(0);
  ZComParam& secondP2 = second.GetComParamCollection().At(0);
  EXPECT_NE(&firstP2, &secondP2);

  firstP2.SetValue(L"99");
  secondP2.SetName(L"renamed");
  EXPECT_STREQ(secondP2.GetValue(), L"75");
  EXPECT_STREQ(firstP2.GetName(), L"P2 client");

  // Neither edit reached the manager's own configuration or the document.
  ZComParamConfiguration third = m_manager.TolvanToNormalized(L"PROPS");
  EXPECT_STREQ(third.GetComParamCollection().At(0).GetValue(), L"75");
  EXPECT_STREQ(third.GetComParamCollection().At(0).GetName(), L"P2 client");
}

TEST_F(ComParamManagerTest, ALaterReadDoesNotTouchAnEarlierResult) {
  ZComParamConfiguration props = m_manager.TolvanToNormalized(L"PROPS");
  ZComParamConfiguration refused = m_manager.TolvanToNormalized(L"REFUSED");
  EXPECT_STREQ(props.GetInterfaceQualifier(), L"PROPS");
  EXPECT_EQ(Summarize(props.GetComParamCollection()),
            (NormalizedList{{L"P2Client", L"P2Client", L"75", true},
                            {L"AddrScheme", L"ADDRESSINGSCHEME", L"NormalFixed", true}}));
  EXPECT_EQ(refused.GetComParamCollection().Count(), 4u);
}

// --- CheckValidity, on configurations read from documents ---------------------------------

// Each ROW_* interface holds one addressing scheme; its CAN identifier type is set to every
// column in turn. Its functional pair always fails, which also covers the column of refused
// (empty) identifier types.
TEST_F(ComParamManagerTest, ReportsFollowTheCombinationTable) {
  struct Row {
    const wchar_t* interfaceQualifier;
    const wchar_t* schemeAlias;
    const wchar_t* idTypeAlias;
    bool permits11Bit, permits29Bit, permitsJ1939;
  };
  const Row rows[] = {
      {L"ROW_NORMAL", L"AddressingScheme", L"CanId", true, true, false},
      {L"ROW_EXTENDED", L"addrSchema", L"CanId", true, true, false},
      {L"ROW_MIXED", L"CanAddrScheme", L"CanIdType", true, false, true},
      {L"ROW_NORMALFIXED", L"AddrScheme", L"CanIdType", false, false, true},
      {L"ROW_OTHER", L"AddrScheme", L"CanIdType", false, false, false},
  };
  const std::wstring functional = Invalid(L"AddressingSchemeFunc", L"CanIdTypeFunc");
  for (const Row& row : rows) {
    ZComParamConfiguration configuration =
        m_rulesManager.TolvanToNormalized(row.interfaceQualifier);
    ZComParam* pIdType = configuration.GetComParamCollection().FindByQualifier(L"CanIdType");
    ASSERT_NE(pIdType, nullptr);
    const std::pair<const wchar_t*, bool> columns[] = {
        {L"11-Bit", row.permits11Bit}, {L"29-Bit", row.permits29Bit}, {L"J1939", row.permitsJ1939}};
    for (const auto& column : columns) {
      SCOPED_TRACE(std::wstring(row.interfaceQualifier) + L" / " + column.first);
      ASSERT_TRUE(pIdType->SetValue(column.first));
      const std::wstring physical = column.second ? L"" : Invalid(row.schemeAlias, row.idTypeAlias);
      EXPECT_EQ(TextOf(m_rulesManager.CheckValidity(configuration)), physical + functional);
    }
  }
}

TEST_F(ComParamManagerTest, ReportsEachMissingRequirement) {
  EXPECT_EQ(Checked(L"NO_SUCH_INTERFACE"),
            L"Required communication parameter 'AddrScheme' missing.\n\n");
  EXPECT_EQ(Checked(L"NO_SCHEME"), L"Required communication parameter 'AddrScheme' missing.\n\n");
  EXPECT_EQ(Checked(L"NO_ID_TYPE"), L"Required communication parameter 'CanIdType' missing.\n\n");
  EXPECT_EQ(Checked(L"FUNC_SCHEME_ONLY"),
            L"Communication parameter 'AddressingSchemeFunc' requires definition of parameter "
            L"'CanIdTypeFunc'.\n\n");
  EXPECT_EQ(Checked(L"FUNC_ID_TYPE_ONLY"),
            L"Communication parameter 'CanIdTypeFunc' requires definition of parameter "
            L"'AddrSchemeFunc'.\n\n");
  EXPECT_EQ(Checked(L"VALID"), L"ok");
}

TEST_F(ComParamManagerTest, ChecksExactlyTheConfigurationGivenAndLeavesItAlone) {
  ZComParamConfiguration configuration = m_rulesManager.TolvanToNormalized(L"VALID");
  LogCapture log;
  EXPECT_EQ(TextOf(m_rulesManager.CheckValidity(configuration)), L"ok");
  configuration.GetComParamCollection().FindByQualifier(L"AddrSchemeFunc")->SetValue(L"Normal");
  EXPECT_EQ(TextOf(m_rulesManager.CheckValidity(configuration)),
            Invalid(L"AddrSchemeFunc", L"CanIdTypeFunc"));
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 4u);
  EXPECT_STREQ(configuration.GetComParamCollection().FindByQualifier(L"AddrSchemeFunc")->GetValue(),
               L"Normal");
  EXPECT_EQ(log.Texts(), Lines{});
}

TEST_F(ComParamManagerTest, ChecksAConfigurationTheCallerBuilt) {
  ZComParamConfiguration configuration(L"ANY");
  configuration.AddComParam(L"Scheme", L"AddrScheme", L"Mixed", true, false);
  configuration.AddComParam(L"IdType", L"CanIdType", L"29-Bit", true, false);
  EXPECT_EQ(TextOf(m_manager.CheckValidity(configuration)), Invalid(L"Scheme", L"IdType"));
}
