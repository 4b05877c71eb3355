// Unit tests for comparam/ComParamBabelFish.cpp
#include "ComParamBabelFish.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using NComParamMan::ZComParamBabelFish;
using AliasList = ZComParamBabelFish::ZAliasList;

namespace {

// The alias tables written out independently of the library's, so a typo in either fails.
struct QualifierRow {
  const wchar_t* normQualifier;
  std::vector<const wchar_t*> aliases;
};

const std::vector<QualifierRow> kQualifierAliases = {
    {L"AddrScheme",
     {L"AddrScheme", L"ADDRESSINGSCHEME", L"addrSchema", L"AddressingScheme", L"CanAddrScheme"}},
    {L"CanIdType", {L"CanIdType", L"CanId"}},
    {L"BusType", {L"BusType"}},
    {L"TransportProtocolType", {L"TransportProtocolType"}},
    {L"AddrSchemeFunc", {L"AddrSchemeFunc", L"AddressingSchemeFunc"}},
    {L"CanIdTypeFunc", {L"CanIdTypeFunc"}},
    {L"ReqCanId",
     {L"ReqCanIdPhys", L"PHYSICALREQUESTCANID", L"ReqCanId", L"idPhysReq", L"USDT_REQ",
      L"CP_REQUEST_CANIDENTIFIER", L"ReqCanIdAllTgts", L"ECU_Diagnostic_Reception_ID", L"PhysReqId",
      L"idRequest"}},
    {L"ResCanId",
     {L"ResCanId", L"PhysicalResponseCANID", L"idPhysRes", L"USDT_RES",
      L"CP_RESPONSE_CANIDENTIFIER", L"PHYSICALRESPONSECANID", L"ECU_Diagnostic_Transmission_ID",
      L"PhysResId", L"idResponse"}},
    {L"ReqCanIdFunc",
     {L"ReqCanIdFunc", L"FunctionalRequestCANID", L"ALL_NODE_USDT_REQ",
      L"CP_FUNCTIONAL_REQUEST_CANIDENTIFIER", L"Functional_Diagnostic_Reception_ID", L"FuncCanId"}},
    {L"UudtResCanId", {L"UudtResCanId", L"UUDT_RES"}},
    {L"EcuAddress",
     {L"EcuAddress", L"EcuAddr", L"EcuPhysAddr", L"PhysEcuAddr", L"PhysEcuAddress", L"ecuAddr",
      L"EcuPhysicalAddress"}},
    {L"TesterAddress", {L"TesterAddress", L"TesterAddr", L"TesterPhysAddr"}},
    {L"DefaultTesterAddress", {L"DefaultTesterAddress", L"DefaultTesterAddr"}},
    {L"BroadcastAddress",
     {L"BroadcastAddress", L"broadcastAddr", L"BroadcastAddr", L"FuncAddress", L"FuncAddr",
      L"DIAG_ADDR"}},
    {L"BaseAddress", {L"BaseAddress"}},
    {L"AddressExtension", {L"AddressExtension"}},
    {L"DefaultTxPriority", {L"DefaultTxPriority", L"EcuTxPriority"}},
    {L"DefaultTxPriorityFunc", {L"DefaultTxPriorityFunc"}},
    {L"S3Client",
     {L"S3Client", L"S3", L"P3Time", L"TIME_P3C", L"CP_R1_SUG", L"CP_P3_TIME_NEXTREQ_PHYS",
      L"CP_S3_TP_PHYS_TIMER", L"S3_Tester", L"S3Timeout"}},
    {L"P2Client",
     {L"P2Timeout", L"P2Client", L"TIMEOUT_P2CE", L"CP_P2_TIMEOUT", L"TTmoRxSlow", L"TtmoRxSlow",
      L"RESPONSETIMEOUT"}},
    {L"P2ExClient",
     {L"P2ExTimeout", L"P2Star", L"P2StarClient", L"P2ExClient", L"TIMEOUT_P2CE_ENH",
      L"TIMEOUT_P2CEENH", L"CP_P2_EXT_TIMEOUT_7F_78", L"RC78RESPONSETIMEOUT"}},
    {L"S3Server", {L"S3Server", L"S3_ECU"}},
    {L"P2Server", {L"P2Server", L"TIME_P2CE", L"P2_max", L"CP_P2_CAN_MAX"}},
    {L"P2ExServer", {L"P2ExServer", L"P2StarServer", L"TIME_P2CE_ENH", L"P2Ex_max"}},
    {L"P3ClientPhys", {L"P3ClientPhys", L"P3Client"}},
    {L"P3ClientFunc", {L"P3ClientFunc"}},
    {L"P3Server", {L"P3Server"}},
    {L"StMin",
     {L"StMin", L"CP_STMIN_SUG", L"STMin", L"STmin", L"Stmin", L"SEPARATIONTIMERESPONSE"}},
    {L"Blocksize", {L"Blocksize", L"BlockSize", L"CP_BLOCKSIZE_SUG", L"BLOCKSIZERESPONSE"}},
    {L"TimeoutAs", {L"TimeoutAs", L"As", L"timeoutAs", L"TIMEOUT_AX", L"N_As", L"TimeoutAsTester"}},
    {L"TimeoutAr", {L"TimeoutAr", L"Ar", L"timeoutAr", L"TIMEOUT_AX", L"N_Ar", L"TimeoutArTester"}},
    {L"TimeoutBs", {L"TimeoutBs", L"Bs", L"timeoutBs", L"TIMEOUT_BS", L"N_Bs", L"TimeoutBsTester"}},
    {L"TimeBr", {L"TimeBr", L"Br", L"timeBr", L"TIME_BR"}},
    {L"TimeCs", {L"TimeCs", L"Cs", L"timeCs", L"TIME_CS"}},
    {L"TimeoutCr", {L"TimeoutCr", L"Cr", L"timeoutCr", L"TIMEOUT_CR", L"N_Cr", L"TimeoutCrTester"}},
    {L"MaxLengthTpMessage", {L"MaxLengthTpMessage"}},
    {L"Baudrate", {L"Baudrate", L"baudrate", L"CP_BAUDRATE", L"BusSpeed"}},
    {L"FILLERBYTEHANDLING", {L"FILLERBYTEHANDLING"}},
    {L"CANFRAMEFILLERBYTE", {L"CANFRAMEFILLERBYTE"}},
};

struct ValueRow {
  const wchar_t* normQualifier;
  const wchar_t* normValue;
  std::vector<const wchar_t*> aliases;
};

const std::vector<ValueRow> kValueAliases = {
    {L"AddrScheme", L"Normal", {L"Normal", L"normal"}},
    {L"AddrScheme", L"Extended", {L"Extended", L"extended"}},
    {L"AddrScheme",
     L"NormalFixed",
     {L"NormalFixed", L"normalfixed", L"normalFixed", L"Normal Fixed Addressing"}},
    {L"AddrScheme", L"Mixed", {L"Mixed", L"mixed"}},
    {L"AddrSchemeFunc", L"Normal", {L"Normal", L"normal"}},
    {L"AddrSchemeFunc", L"Extended", {L"Extended", L"extended"}},
    {L"AddrSchemeFunc",
     L"NormalFixed",
     {L"NormalFixed", L"normalfixed", L"normalFixed", L"Normal Fixed Addressing"}},
    {L"AddrSchemeFunc", L"Mixed", {L"Mixed", L"mixed"}},
    {L"CanIdType", L"11-Bit", {L"11-bit", L"11-Bit", L"11 bit", L"11 Bit", L"Normal"}},
    {L"CanIdType", L"29-Bit", {L"29-bit", L"29-Bit", L"29 bit", L"29 Bit", L"Extended"}},
    {L"CanIdType", L"J1939", {L"J1939"}},
    {L"CanIdTypeFunc", L"11-Bit", {L"11-bit", L"11-Bit", L"11 bit", L"11 Bit", L"Normal"}},
    {L"CanIdTypeFunc", L"29-Bit", {L"29-bit", L"29-Bit", L"29 bit", L"29 Bit", L"Extended"}},
    {L"CanIdTypeFunc", L"J1939", {L"J1939"}},
};

std::wstring Upper(const wchar_t* text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper;
}

// Each alias preceded by its upper-case form.
AliasList Interleaved(const std::vector<const wchar_t*>& aliases) {
  AliasList list;
  for (const wchar_t* alias : aliases) {
    list.push_back(Upper(alias));
    list.push_back(alias);
  }
  return list;
}

// The one alias registered for two qualifiers keeps the later one.
std::wstring ExpectedTarget(const std::wstring& alias, const wchar_t* row) {
  return alias == L"TIMEOUT_AX" ? L"TimeoutAr" : row;
}

class ComParamBabelFishTest : public ::testing::Test {
 protected:
  ZComParamBabelFish m_fish;
};

}  // namespace

// ---- qualifier aliases ----

TEST_F(ComParamBabelFishTest, EveryQualifierAliasAndItsUpperCaseFormTranslate) {
  for (const QualifierRow& row : kQualifierAliases) {
    for (const wchar_t* alias : row.aliases) {
      EXPECT_EQ(m_fish.GetNormalizedQualifier(alias), ExpectedTarget(alias, row.normQualifier))
          << alias;
      EXPECT_EQ(m_fish.GetNormalizedQualifier(Upper(alias).c_str()),
                ExpectedTarget(Upper(alias), row.normQualifier))
          << alias;
    }
  }
}

TEST_F(ComParamBabelFishTest, EveryAliasListHoldsUpperCaseThenAliasInRegistrationOrder) {
  for (const QualifierRow& row : kQualifierAliases) {
    EXPECT_EQ(m_fish.GetAliases(row.normQualifier), Interleaved(row.aliases)) << row.normQualifier;
  }
}

TEST_F(ComParamBabelFishTest, AliasListsRepeatAliasesThatAreAlreadyUpperCase) {
  EXPECT_EQ(
      m_fish.GetAliases(L"P2Client"),
      (AliasList{L"P2TIMEOUT", L"P2Timeout", L"P2CLIENT", L"P2Client", L"TIMEOUT_P2CE",
                 L"TIMEOUT_P2CE", L"CP_P2_TIMEOUT", L"CP_P2_TIMEOUT", L"TTMORXSLOW", L"TTmoRxSlow",
                 L"TTMORXSLOW", L"TtmoRxSlow", L"RESPONSETIMEOUT", L"RESPONSETIMEOUT"}));
  EXPECT_EQ(m_fish.GetValueAliases(L"AddrScheme", L"Normal"),
            (AliasList{L"NORMAL", L"Normal", L"NORMAL", L"normal"}));
  EXPECT_EQ(m_fish.GetValueAliases(L"CanIdType", L"11-Bit"),
            (AliasList{L"11-BIT", L"11-bit", L"11-BIT", L"11-Bit", L"11 BIT", L"11 bit", L"11 BIT",
                       L"11 Bit", L"NORMAL", L"Normal"}));
}

TEST_F(ComParamBabelFishTest, SharedAliasGoesToTheLaterRegistrationButStaysInBothLists) {
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"TIMEOUT_AX"), L"TimeoutAr");
  for (const wchar_t* qualifier : {L"TimeoutAs", L"TimeoutAr"}) {
    const AliasList& list = m_fish.GetAliases(qualifier);
    EXPECT_EQ(std::count(list.begin(), list.end(), L"TIMEOUT_AX"), 2) << qualifier;
  }
}

TEST_F(ComParamBabelFishTest, LookupsMatchExactlyWithoutFoldingOrTrimming) {
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"ADDRESSINGSCHEME"), L"AddrScheme");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"CANADDRSCHEME"), L"AddrScheme");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"canaddrscheme"), L"");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"CanAddrScheme "), L"");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L" StMin"), L"");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"P3Client"), L"P3ClientPhys");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"idRequest"), L"ReqCanId");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"FuncCanId"), L"ReqCanIdFunc");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"AddrScheme", L"normal "), L"");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"AddrScheme", L"nORMAL"), L"");
}

TEST_F(ComParamBabelFishTest, FillByteNamesTranslateOnlyInUpperCase) {
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"FILLERBYTEHANDLING"), L"FILLERBYTEHANDLING");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"CANFRAMEFILLERBYTE"), L"CANFRAMEFILLERBYTE");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"FillerByteHandling"), L"");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"CANFrameFillerByte"), L"");
}

TEST_F(ComParamBabelFishTest, UnregisteredQualifiersYieldEmptyTextAndEmptyList) {
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"Unknown"), L"");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L""), L"");
  EXPECT_EQ(m_fish.GetNormalizedQualifier(nullptr), L"");
  EXPECT_TRUE(m_fish.GetAliases(L"P2Timeout").empty());  // an alias, not a normalized qualifier
  EXPECT_TRUE(m_fish.GetAliases(L"p2client").empty());
  EXPECT_TRUE(m_fish.GetAliases(nullptr).empty());
}

// ---- value aliases ----

TEST_F(ComParamBabelFishTest, EveryValueAliasAndItsUpperCaseFormTranslate) {
  for (const ValueRow& row : kValueAliases) {
    for (const wchar_t* alias : row.aliases) {
      EXPECT_EQ(m_fish.GetNormalizedValue(row.normQualifier, alias), row.normValue)
          << row.normQualifier << L" " << alias;
      EXPECT_EQ(m_fish.GetNormalizedValue(row.normQualifier, Upper(alias).c_str()), row.normValue)
          << row.normQualifier << L" " << alias;
    }
  }
}

TEST_F(ComParamBabelFishTest, EveryValueAliasListHoldsUpperCaseThenAliasInOrder) {
  for (const ValueRow& row : kValueAliases) {
    EXPECT_EQ(m_fish.GetValueAliases(row.normQualifier, row.normValue), Interleaved(row.aliases))
        << row.normQualifier << L" " << row.normValue;
  }
}

TEST_F(ComParamBabelFishTest, ValueAliasesBelongToTheirParameter) {
  EXPECT_EQ(m_fish.GetNormalizedValue(L"CanIdType", L"Normal"), L"11-Bit");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"AddrScheme", L"Normal"), L"Normal");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"AddrScheme", L"NORMAL FIXED ADDRESSING"), L"NormalFixed");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"CanIdTypeFunc", L"29 BIT"), L"29-Bit");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"CanIdType", L"Mixed"), L"");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"BusType", L"CAN"), L"");
  EXPECT_EQ(m_fish.GetNormalizedValue(L"P2Client", L"0"), L"");
  EXPECT_EQ(m_fish.GetNormalizedValue(nullptr, L"Normal"), L"");
}

TEST_F(ComParamBabelFishTest, ValueAliasListsExistOnlyForNormalizedValues) {
  EXPECT_TRUE(m_fish.GetValueAliases(L"CanIdType", L"Normal").empty());
  EXPECT_TRUE(m_fish.GetValueAliases(L"BusType", L"CAN").empty());
  EXPECT_TRUE(m_fish.GetValueAliases(L"TransportProtocolType", L"ISO15765").empty());
  EXPECT_TRUE(m_fish.GetValueAliases(L"P2Client", L"0").empty());
}

// ---- registration ----

TEST_F(ComParamBabelFishTest, LaterRegistrationReplacesTheListAndRetargetsItsAliases) {
  const wchar_t* const aliases[] = {L"x1", nullptr};
  m_fish.AddAliases(L"P2Server", aliases);
  EXPECT_EQ(m_fish.GetAliases(L"P2Server"), (AliasList{L"X1", L"x1"}));
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"X1"), L"P2Server");
  // Earlier aliases keep translating; only the list is replaced.
  EXPECT_EQ(m_fish.GetNormalizedQualifier(L"P2_max"), L"P2Server");

  const wchar_t* const none[] = {nullptr};
  m_fish.AddAliases(L"P2Server", none);
  EXPECT_TRUE(m_fish.GetAliases(L"P2Server").empty());
}

// Translators share their built-in tables; registering more must stay private to one translator.
TEST(ComParamBabelFishSharing, RegistrationChangesOnlyTheTranslatorItIsMadeOn) {
  ZComParamBabelFish changed;
  const ZComParamBabelFish untouched;
  const AliasList builtIn = untouched.GetAliases(L"P2Server");
  const wchar_t* const aliases[] = {L"x1", nullptr};
  changed.AddAliases(L"P2Server", aliases);
  const wchar_t* const valueAliases[] = {L"can-fd", nullptr};
  changed.AddValueAliases(L"BusType", L"CAN", valueAliases);

  EXPECT_EQ(changed.GetNormalizedQualifier(L"X1"), L"P2Server");
  EXPECT_EQ(changed.GetNormalizedValue(L"BusType", L"CAN-FD"), L"CAN");
  const ZComParamBabelFish madeAfterwards;
  for (const ZComParamBabelFish* pOther : {&untouched, &madeAfterwards}) {
    EXPECT_EQ(pOther->GetNormalizedQualifier(L"X1"), L"");
    EXPECT_EQ(pOther->GetAliases(L"P2Server"), builtIn);
    EXPECT_EQ(pOther->GetNormalizedValue(L"BusType", L"can-fd"), L"");
  }

  ZComParamBabelFish copy(changed);
  const wchar_t* const more[] = {L"x2", nullptr};
  copy.AddAliases(L"P2Server", more);
  EXPECT_EQ(copy.GetNormalizedQualifier(L"X1"), L"P2Server") << "a copy keeps what it copied";
  EXPECT_EQ(changed.GetAliases(L"P2Server"), (AliasList{L"X1", L"x1"}));
}
