// Unit tests for comparam/NormalizeComParams.cpp
#include "NormalizeComParams.h"

#include "ComParamFactory.h"
#include "TlvComInterface.h"

#include <comparam/StringComParam.h>
#include <comparam/UnsignedComParam.h>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ConversionFixture.h"
#include "LogCapture.h"

using NComParamMan::ZComParam;
using NComParamMan::ZComParamCollection;
using NComParamMan::ZComParamFactory;
using NComParamMan::ZComParamNormalizer;
using NComParamMan::ZStringComParam;
using NComParamMan::ZTlvComInterface;
using Lines = std::vector<std::wstring>;

namespace {

// The translator's qualifier aliases, row by row, with the value the alias zoo gives each row.
// Interface Z<k> of the zoo holds the k-th alias of every row that has one, U<k> its upper-case
// form. TIMEOUT_AX (null here) reads as TimeoutAr and stands in the zoo only once.
struct QualifierAliasRow {
  const wchar_t* normQualifier;
  const wchar_t* value;
  std::vector<const wchar_t*> aliases;
};

const QualifierAliasRow kQualifierAliases[] = {
    {L"AddrScheme",
     L"Mixed",
     {L"AddrScheme", L"ADDRESSINGSCHEME", L"addrSchema", L"AddressingScheme", L"CanAddrScheme"}},
    {L"CanIdType", L"J1939", {L"CanIdType", L"CanId"}},
    {L"BusType", L"CAN", {L"BusType"}},
    {L"TransportProtocolType", L"ISO15765", {L"TransportProtocolType"}},
    {L"AddrSchemeFunc", L"Extended", {L"AddrSchemeFunc", L"AddressingSchemeFunc"}},
    {L"CanIdTypeFunc", L"29-Bit", {L"CanIdTypeFunc"}},
    {L"ReqCanId",
     L"7",
     {L"ReqCanIdPhys", L"PHYSICALREQUESTCANID", L"ReqCanId", L"idPhysReq", L"USDT_REQ",
      L"CP_REQUEST_CANIDENTIFIER", L"ReqCanIdAllTgts", L"ECU_Diagnostic_Reception_ID", L"PhysReqId",
      L"idRequest"}},
    {L"ResCanId",
     L"8",
     {L"ResCanId", L"PhysicalResponseCANID", L"idPhysRes", L"USDT_RES",
      L"CP_RESPONSE_CANIDENTIFIER", L"PHYSICALRESPONSECANID", L"ECU_Diagnostic_Transmission_ID",
      L"PhysResId", L"idResponse"}},
    {L"ReqCanIdFunc",
     L"9",
     {L"ReqCanIdFunc", L"FunctionalRequestCANID", L"ALL_NODE_USDT_REQ",
      L"CP_FUNCTIONAL_REQUEST_CANIDENTIFIER", L"Functional_Diagnostic_Reception_ID", L"FuncCanId"}},
    {L"UudtResCanId", L"10", {L"UudtResCanId", L"UUDT_RES"}},
    {L"EcuAddress",
     L"11",
     {L"EcuAddress", L"EcuAddr", L"EcuPhysAddr", L"PhysEcuAddr", L"PhysEcuAddress", L"ecuAddr",
      L"EcuPhysicalAddress"}},
    {L"TesterAddress", L"12", {L"TesterAddress", L"TesterAddr", L"TesterPhysAddr"}},
    {L"DefaultTesterAddress", L"13", {L"DefaultTesterAddress", L"DefaultTesterAddr"}},
    {L"BroadcastAddress",
     L"14",
     {L"BroadcastAddress", L"broadcastAddr", L"BroadcastAddr", L"FuncAddress", L"FuncAddr",
      L"DIAG_ADDR"}},
    {L"BaseAddress", L"15", {L"BaseAddress"}},
    {L"AddressExtension", L"16", {L"AddressExtension"}},
    {L"DefaultTxPriority", L"17", {L"DefaultTxPriority", L"EcuTxPriority"}},
    {L"DefaultTxPriorityFunc", L"18", {L"DefaultTxPriorityFunc"}},
    {L"S3Client",
     L"19",
     {L"S3Client", L"S3", L"P3Time", L"TIME_P3C", L"CP_R1_SUG", L"CP_P3_TIME_NEXTREQ_PHYS",
      L"CP_S3_TP_PHYS_TIMER", L"S3_Tester", L"S3Timeout"}},
    {L"P2Client",
     L"20",
     {L"P2Timeout", L"P2Client", L"TIMEOUT_P2CE", L"CP_P2_TIMEOUT", L"TTmoRxSlow", L"TtmoRxSlow",
      L"RESPONSETIMEOUT"}},
    {L"P2ExClient",
     L"21",
     {L"P2ExTimeout", L"P2Star", L"P2StarClient", L"P2ExClient", L"TIMEOUT_P2CE_ENH",
      L"TIMEOUT_P2CEENH", L"CP_P2_EXT_TIMEOUT_7F_78", L"RC78RESPONSETIMEOUT"}},
    {L"S3Server", L"22", {L"S3Server", L"S3_ECU"}},
    {L"P2Server", L"23", {L"P2Server", L"TIME_P2CE", L"P2_max", L"CP_P2_CAN_MAX"}},
    {L"P2ExServer", L"24", {L"P2ExServer", L"P2StarServer", L"TIME_P2CE_ENH", L"P2Ex_max"}},
    {L"P3ClientPhys", L"25", {L"P3ClientPhys", L"P3Client"}},
    {L"P3ClientFunc", L"26", {L"P3ClientFunc"}},
    {L"P3Server", L"27", {L"P3Server"}},
    {L"StMin",
     L"28",
     {L"StMin", L"CP_STMIN_SUG", L"STMin", L"STmin", L"Stmin", L"SEPARATIONTIMERESPONSE"}},
    {L"Blocksize", L"29", {L"Blocksize", L"BlockSize", L"CP_BLOCKSIZE_SUG", L"BLOCKSIZERESPONSE"}},
    {L"TimeoutAs",
     L"30",
     {L"TimeoutAs", L"As", L"timeoutAs", nullptr, L"N_As", L"TimeoutAsTester"}},
    {L"TimeoutAr",
     L"31",
     {L"TimeoutAr", L"Ar", L"timeoutAr", L"TIMEOUT_AX", L"N_Ar", L"TimeoutArTester"}},
    {L"TimeoutBs",
     L"32",
     {L"TimeoutBs", L"Bs", L"timeoutBs", L"TIMEOUT_BS", L"N_Bs", L"TimeoutBsTester"}},
    {L"TimeBr", L"33", {L"TimeBr", L"Br", L"timeBr", L"TIME_BR"}},
    {L"TimeCs", L"34", {L"TimeCs", L"Cs", L"timeCs", L"TIME_CS"}},
    {L"TimeoutCr",
     L"35",
     {L"TimeoutCr", L"Cr", L"timeoutCr", L"TIMEOUT_CR", L"N_Cr", L"TimeoutCrTester"}},
    {L"MaxLengthTpMessage", L"36", {L"MaxLengthTpMessage"}},
    {L"Baudrate", L"37", {L"Baudrate", L"baudrate", L"CP_BAUDRATE", L"BusSpeed"}},
};
constexpr unsigned kLongestAliasRow = 10;

// The value aliases of the addressing schemes and of the CAN identifier types (physical and
// functional alike) with their normalized values. Interface V<k> of the zoo holds the k-th alias
// of each of the four parameters, VU<k> its upper-case form.
struct ValueAlias {
  const wchar_t* alias;
  const wchar_t* normValue;
};

const std::vector<ValueAlias> kSchemeValueAliases = {
    {L"Normal", L"Normal"},
    {L"normal", L"Normal"},
    {L"Extended", L"Extended"},
    {L"extended", L"Extended"},
    {L"NormalFixed", L"NormalFixed"},
    {L"normalfixed", L"NormalFixed"},
    {L"normalFixed", L"NormalFixed"},
    {L"Normal Fixed Addressing", L"NormalFixed"},
    {L"Mixed", L"Mixed"},
    {L"mixed", L"Mixed"},
};

const std::vector<ValueAlias> kIdTypeValueAliases = {
    {L"11-bit", L"11-Bit"},   {L"11-Bit", L"11-Bit"}, {L"11 bit", L"11-Bit"},
    {L"11 Bit", L"11-Bit"},   {L"Normal", L"11-Bit"}, {L"29-bit", L"29-Bit"},
    {L"29-Bit", L"29-Bit"},   {L"29 bit", L"29-Bit"}, {L"29 Bit", L"29-Bit"},
    {L"Extended", L"29-Bit"}, {L"J1939", L"J1939"},
};
constexpr unsigned kLongestValueAliasList = 11;

NormalizedList ExpectedFromQualifierAliases(unsigned k, bool upperCase) {
  NormalizedList expected;
  for (const QualifierAliasRow& row : kQualifierAliases) {
    if (row.aliases.size() < k || !row.aliases[k - 1]) continue;
    const std::wstring alias = row.aliases[k - 1];
    expected.push_back({row.normQualifier, upperCase ? AsciiUpper(alias) : alias, row.value, true});
  }
  return expected;
}

NormalizedList ExpectedFromValueAliases(unsigned k) {
  NormalizedList expected;
  const std::pair<const wchar_t*, const std::vector<ValueAlias>*> parameters[] = {
      {L"AddrScheme", &kSchemeValueAliases},
      {L"CanIdType", &kIdTypeValueAliases},
      {L"AddrSchemeFunc", &kSchemeValueAliases},
      {L"CanIdTypeFunc", &kIdTypeValueAliases}};
  for (const auto& parameter : parameters) {
    if (parameter.second->size() < k) continue;
    expected.push_back(
        {parameter.first, parameter.first, (*parameter.second)[k - 1].normValue, true});
  }
  return expected;
}

std::wstring Interface(const char* prefix, unsigned k) {
  return std::wstring(prefix, prefix + std::char_traits<char>::length(prefix)) + std::to_wstring(k);
}

class NormalizeComParamsTest : public ::testing::Test {
 protected:
  void TearDown() override { ZComParamFactory::ReleaseInstance(); }

  void Normalize(Pelka::ZEcuDoc& doc, const std::wstring& interfaceQualifier) {
    ZTlvComInterface view(&doc, interfaceQualifier.c_str());
    m_normalizer.Normalize(view, m_collection, m_unidentified);
  }

  // The interfaces prefix1, prefix2, ... of the alias zoo: row k of every alias list, each
  // parameter found silently.
  void ExpectEveryQualifierAliasFound(const char* prefix, bool upperCase) {
    auto pDoc = LoadConversionDoc("alias-zoo.xml");
    LogCapture log;
    for (unsigned k = 1; k <= kLongestAliasRow; ++k) {
      SCOPED_TRACE(k);
      Normalize(*pDoc, Interface(prefix, k));
      EXPECT_EQ(Summarize(m_collection), ExpectedFromQualifierAliases(k, upperCase));
      EXPECT_EQ(m_unidentified.Count(), 0u);
    }
    EXPECT_EQ(log.Texts(), Lines{});
  }

  // A prototype that only the current catalogue instance has: it tells whether it was rebuilt.
  static void MarkCatalogue() {
    ZComParamFactory::GetInstance()->AddPrototype(
        new ZStringComParam(L"", L"", false, true, L"", L"", L"Marker", L""));
  }
  static bool CatalogueIsMarked() {
    std::unique_ptr<ZComParam> pMarker(ZComParamFactory::GetInstance()->CreateComParam(L"Marker"));
    return pMarker != nullptr;
  }

  ZComParamNormalizer m_normalizer;
  ZComParamCollection m_collection;
  ZComParamCollection m_unidentified;
};

void ExpectWarningsFromThisUnit(const LogCapture& log) {
  for (const LoggedLine& line : log.Lines()) {
    EXPECT_EQ(line.category, 256u);
    if (BaseName(line.file) != "NormalizeComParams.cpp") continue;
    EXPECT_EQ(line.level, 3) << ::testing::PrintToString(line.text);
  }
}

}  // namespace

// --- The alias zoo ------------------------------------------------------------------------

TEST_F(NormalizeComParamsTest, EveryQualifierAliasAsWrittenFindsItsParameter) {
  ExpectEveryQualifierAliasFound("Z", false);
}

TEST_F(NormalizeComParamsTest, EveryQualifierAliasInUpperCaseFindsItsParameter) {
  ExpectEveryQualifierAliasFound("U", true);
}

TEST_F(NormalizeComParamsTest, EveryValueAliasAsWrittenAndInUpperCaseIsNormalized) {
  auto pDoc = LoadConversionDoc("alias-zoo.xml");
  LogCapture log;
  for (unsigned k = 1; k <= kLongestValueAliasList; ++k) {
    SCOPED_TRACE(k);
    Normalize(*pDoc, Interface("V", k));
    EXPECT_EQ(Summarize(m_collection), ExpectedFromValueAliases(k));
    Normalize(*pDoc, Interface("VU", k));
    EXPECT_EQ(Summarize(m_collection), ExpectedFromValueAliases(k));
  }
  EXPECT_EQ(log.Texts(), Lines{});
}

// --- What an identified parameter takes over ----------------------------------------------

TEST_F(NormalizeComParamsTest, TakesOverTheDocumentsPropertiesAndKeepsThePrototypesChecks) {
  auto pDoc = LoadConversionDoc("reading.xml");
  Normalize(*pDoc, L"PROPS");
  ASSERT_EQ(Summarize(m_collection),
            (NormalizedList{{L"P2Client", L"P2Client", L"75", true},
                            {L"AddrScheme", L"ADDRESSINGSCHEME", L"NormalFixed", true}}));
  const ZComParam& p2 = m_collection.At(0);
  EXPECT_STREQ(p2.GetName(), L"P2 client");
  EXPECT_STREQ(p2.GetDescription(), L"Response timeout");
  EXPECT_FALSE(p2.GetMayBeModified());
  EXPECT_FALSE(p2.GetIsSimulated());
  EXPECT_STREQ(p2.GetPath(), L"");
  EXPECT_EQ(p2.GetValueType(), ZComParam::CPTUnsigned);
  EXPECT_EQ(p2.GetValueAsUnsigned(), 75u);

  const ZComParam& scheme = m_collection.At(1);
  EXPECT_STREQ(scheme.GetName(), L"Scheme");
  EXPECT_STREQ(scheme.GetDescription(), L"");
  EXPECT_TRUE(scheme.GetMayBeModified());
  EXPECT_EQ(scheme.GetValueType(), ZComParam::CPTString);
  EXPECT_TRUE(scheme.IsValidValue(L"Mixed"));
  EXPECT_FALSE(scheme.IsValidValue(L"NORMAL FIXED ADDRESSING"));
}

TEST_F(NormalizeComParamsTest, RefusedValuesLeaveThePrototypesValueMarkedInvalid) {
  auto pDoc = LoadConversionDoc("reading.xml");
  LogCapture log;
  Normalize(*pDoc, L"REFUSED");
  EXPECT_EQ(Summarize(m_collection),
            (NormalizedList{{L"EcuAddress", L"EcuAddress", L"0", false},
                            {L"AddrScheme", L"AddrScheme", L"", false},
                            {L"CanIdType", L"CanIdType", L"", false},
                            {L"TesterAddress", L"TesterAddress", L"255", true}}));
  // Numbers are refused silently; only the text parameters log their refusal.
  EXPECT_EQ(
      log.Texts(),
      (Lines{L"Setting COM parameter 'AddrScheme' to value 'Diagonal' failed. Invalid value!\n",
             L"Setting COM parameter 'CanIdType' to value 'Mixed' failed. Invalid value!\n"}));
}

// --- Unidentified parameters --------------------------------------------------------------

TEST_F(NormalizeComParamsTest, UnidentifiedParametersBecomeTextParametersOfTheirOwn) {
  auto pDoc = LoadConversionDoc("reading.xml");
  LogCapture log;
  Normalize(*pDoc, L"UNIDENTIFIED");
  EXPECT_EQ(Summarize(m_collection), (NormalizedList{{L"P2Client", L"P2Timeout", L"60", true}}));
  EXPECT_EQ(Summarize(m_unidentified),
            (NormalizedList{{L"Vendor", L"Vendor", L"any text", true},
                            {L"p2client", L"p2client", L"7", true},
                            {L"FillerByteHandling", L"FillerByteHandling", L"on", true},
                            {L"", L"", L"9", true}}));
  const ZComParam& vendor = m_unidentified.At(0);
  EXPECT_STREQ(vendor.GetName(), L"Vendor");
  EXPECT_STREQ(vendor.GetDescription(), L"Vendor specific");
  EXPECT_FALSE(vendor.GetMayBeModified());
  EXPECT_FALSE(vendor.GetIsSimulated());
  EXPECT_STREQ(vendor.GetPath(), L"");
  EXPECT_TRUE(vendor.IsValidValue(L"whatever"));

  EXPECT_EQ(log.Texts(), kUnidentifiedReadingLog);
  ExpectWarningsFromThisUnit(log);
}

// --- Precedence ---------------------------------------------------------------------------

TEST_F(NormalizeComParamsTest, P2TimeoutWinsOverP2ClientInEitherOrder) {
  auto pDoc = LoadConversionDoc("precedence.xml");
  LogCapture log;
  Normalize(*pDoc, L"CLIENT_FIRST");
  EXPECT_EQ(Summarize(m_collection), (NormalizedList{{L"P2Client", L"P2Timeout", L"200", true}}));
  EXPECT_EQ(log.Texts(),
            Lines{L"ComParamMan: Overwriting existing ComParam 'P2Client' with parameter "
                  L"'P2Timeout'\n"});
  ExpectWarningsFromThisUnit(log);

  log.Clear();
  Normalize(*pDoc, L"TIMEOUT_FIRST");
  EXPECT_EQ(Summarize(m_collection), (NormalizedList{{L"P2Client", L"P2Timeout", L"200", true}}));
  EXPECT_EQ(log.Texts(), Lines{L"ComParamMan: Trying to insert already existent communication "
                               L"parameter 'P2Client' into ComParamCollection\n"});
}

TEST_F(NormalizeComParamsTest, EqualPositionsKeepTheFirstInDocumentOrder) {
  auto pDoc = LoadConversionDoc("precedence.xml");
  Normalize(*pDoc, L"SAME_ALIAS");
  ASSERT_EQ(Summarize(m_collection), (NormalizedList{{L"P2Client", L"P2Client", L"100", true}}));
  EXPECT_STREQ(m_collection.At(0).GetName(), L"first");
}

TEST_F(NormalizeComParamsTest, UpperCaseFormStandsBeforeTheAliasAsWritten) {
  auto pDoc = LoadConversionDoc("precedence.xml");
  LogCapture log;
  Normalize(*pDoc, L"UPPER_CASE");
  EXPECT_EQ(Summarize(m_collection), (NormalizedList{{L"P2Client", L"P2TIMEOUT", L"300", true}}));
  EXPECT_EQ(log.Texts(),
            Lines{L"ComParamMan: Overwriting existing ComParam 'P2Timeout' with parameter "
                  L"'P2TIMEOUT'\n"});
}

TEST_F(NormalizeComParamsTest, TimeoutAxCompetesForTimeoutArOnly) {
  auto pDoc = LoadConversionDoc("precedence.xml");
  LogCapture log;
  Normalize(*pDoc, L"TIMEOUT_AX");
  // A replaced parameter's successor goes to the end of the collection.
  EXPECT_EQ(Summarize(m_collection), (NormalizedList{{L"TimeoutAs", L"TimeoutAs", L"1", true},
                                                     {L"TimeoutAr", L"TimeoutAr", L"3", true}}));
  EXPECT_EQ(log.Texts(),
            (Lines{L"ComParamMan: Overwriting existing ComParam 'N_Ar' with parameter "
                   L"'TIMEOUT_AX'\n",
                   L"ComParamMan: Overwriting existing ComParam 'TIMEOUT_AX' with parameter "
                   L"'TimeoutAr'\n"}));
}

// Aliases outside the list cannot come from a document: there every alias found its
// parameter through the list. Parameters built here stand in for them.
TEST_F(NormalizeComParamsTest, AliasesOutsideTheListNeverWin) {
  auto param = [](const wchar_t* qualifier, const wchar_t* alias) {
    return ZStringComParam(alias, L"", false, true, L"", L"", qualifier, L"");
  };
  ZStringComParam absent = param(L"P2Client", L"Absent");
  ZStringComParam alsoAbsent = param(L"P2Client", L"AlsoAbsent");
  ZStringComParam last = param(L"P2Client", L"RESPONSETIMEOUT");
  ZStringComParam first = param(L"P2Client", L"P2TIMEOUT");
  EXPECT_FALSE(m_normalizer.TakesPrecedence(absent, alsoAbsent));
  EXPECT_FALSE(m_normalizer.TakesPrecedence(alsoAbsent, absent));
  EXPECT_TRUE(m_normalizer.TakesPrecedence(absent, last));
  EXPECT_FALSE(m_normalizer.TakesPrecedence(last, absent));
  EXPECT_TRUE(m_normalizer.TakesPrecedence(last, first));
  EXPECT_FALSE(m_normalizer.TakesPrecedence(first, first));
  // Letter case counts: "p2timeout" is in no list.
  ZStringComParam lowerCase = param(L"P2Client", L"p2timeout");
  EXPECT_FALSE(m_normalizer.TakesPrecedence(last, lowerCase));
  // Without an alias list for the qualifier every position is the same.
  ZStringComParam unlisted = param(L"Unlisted", L"P2TIMEOUT");
  EXPECT_FALSE(m_normalizer.TakesPrecedence(unlisted, first));
}

// --- Catalogue, collections and the internal-error path -----------------------------------

TEST_F(NormalizeComParamsTest, EmptiesBothCollectionsAndReleasesTheCatalogue) {
  auto pDoc = LoadConversionDoc("reading.xml");
  m_collection.AddComParam(new ZStringComParam(L"", L"", false, true, L"", L"", L"Old", L""));
  m_unidentified.AddComParam(new ZStringComParam(L"", L"", false, true, L"", L"", L"Old", L""));
  MarkCatalogue();
  LogCapture log;
  Normalize(*pDoc, L"EMPTY");
  EXPECT_EQ(m_collection.Count(), 0u);
  EXPECT_EQ(m_unidentified.Count(), 0u);
  EXPECT_EQ(log.Texts(), Lines{});
  EXPECT_FALSE(CatalogueIsMarked());
}

TEST_F(NormalizeComParamsTest, FillByteWithoutPrototypeEndsThePassAndKeepsTheCatalogue) {
  auto pDoc = LoadConversionDoc("reading.xml");
  MarkCatalogue();
  ExpectInternalCheck([&] { Normalize(*pDoc, L"FILL_BYTE"); }, L"pComParam",
                      "NormalizeComParams.cpp");
  EXPECT_EQ(Summarize(m_collection), (NormalizedList{{L"P2Client", L"P2Client", L"50", true}}));
  EXPECT_TRUE(CatalogueIsMarked());

  Normalize(*pDoc, L"PROPS");
  EXPECT_FALSE(CatalogueIsMarked());
}

// --- Reusing the parameters of an earlier pass -------------------------------------------

// Everything a parameter shows, kind included, in collection order.
std::vector<std::wstring> Describe(const ZComParamCollection& collection) {
  std::vector<std::wstring> described;
  for (auto it = collection.Begin(); it != collection.End(); ++it) {
    std::wostringstream text;
    it->PrintOn(text);
    text << it->GetValueType() << it->HasValidValue() << it->GetPath() << it->GetStartRange()
         << L'-' << it->GetStopRange();
    for (const std::wstring& value : it->GetValidValues().GetValues()) text << L'|' << value;
    described.push_back(text.str());
  }
  return described;
}

TEST_F(NormalizeComParamsTest, ReusedParametersReadExactlyAsNewOnes) {
  auto pDoc = LoadConversionDoc("reading.xml");
  const std::wstring kInterfaces[] = {L"PROPS", L"REFUSED", L"UNIDENTIFIED", L"FLOATS", L"EMPTY"};
  for (const std::wstring& earlier : kInterfaces) {
    for (const std::wstring& later : kInterfaces) {
      SCOPED_TRACE(testing::Message() << earlier << L" then " << later);
      Normalize(*pDoc, later);
      const std::vector<std::wstring> fresh = Describe(m_collection);
      ZComParamCollection previous;
      {
        ZTlvComInterface view(pDoc.get(), earlier.c_str());
        ZComParamNormalizer().Normalize(view, previous);
      }
      LogCapture log;
      ZComParamNormalizer reusing;
      reusing.ReuseComParams(previous);
      EXPECT_EQ(previous.Count(), 0u);
      ZTlvComInterface view(pDoc.get(), later.c_str());
      ZComParamCollection reread;
      reusing.Normalize(view, reread);
      EXPECT_EQ(Describe(reread), fresh);
      const Lines reusedLog = log.Texts();
      log.Clear();
      Normalize(*pDoc, later);
      EXPECT_EQ(reusedLog, log.Texts());
    }
  }
}

// Of another kind under the same qualifier, an earlier parameter is not reused.
TEST_F(NormalizeComParamsTest, EarlierParameterOfAnotherKindIsNotReused) {
  auto pDoc = LoadConversionDoc("reading.xml");
  ZComParamCollection previous;
  previous.AddComParam(new ZStringComParam(L"", L"", false, true, L"", L"", L"P2Client", L"x"));
  m_normalizer.ReuseComParams(previous);
  ZTlvComInterface view(pDoc.get(), L"PROPS");
  m_normalizer.Normalize(view, m_collection);
  ZComParam* pP2Client = m_collection.FindByQualifier(L"P2Client");
  ASSERT_NE(pP2Client, nullptr);
  EXPECT_NE(dynamic_cast<NComParamMan::ZUnsignedComParam*>(pP2Client), nullptr);
  EXPECT_STREQ(pP2Client->GetValue(), L"75");
}

TEST_F(NormalizeComParamsTest, CreateNormalizedComParamGivesNothingForAnUnknownParameter) {
  auto pDoc = LoadConversionDoc("reading.xml");
  ZTlvComInterface view(pDoc.get(), L"UNIDENTIFIED");
  LogCapture log;
  for (auto it = view.Begin(); it != view.End(); ++it) {
    std::unique_ptr<ZComParam> pParam(m_normalizer.CreateNormalizedComParam(**it));
    EXPECT_EQ(pParam != nullptr, std::wstring((*it)->GetQualifier()) == L"P2Timeout")
        << ::testing::PrintToString(std::wstring((*it)->GetQualifier()));
  }
  EXPECT_EQ(log.Texts(), Lines{});
}
