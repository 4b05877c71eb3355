// Unit tests for comparam/ComParamFactory.cpp
#include "ComParamFactory.h"
#include "Vocabulary.h"

#include <comparam/UnsignedComParam.h>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LogCapture.h"

using NComParamMan::ZComParam;
using NComParamMan::ZComParamFactory;
using NComParamMan::ZUnsignedComParam;

namespace {

using Clone = std::unique_ptr<ZComParam>;

// The catalogue as the application sees it, written out independently of the library's table.
struct ExpectedRow {
  const wchar_t* qualifier;
  const wchar_t* displayName;
  ZComParam::ZComParamType type;
  const wchar_t* stopRange;  // numbers only
  std::vector<const wchar_t*> permittedValues;
};

constexpr ZComParam::ZComParamType kNum = ZComParam::CPTUnsigned;
constexpr ZComParam::ZComParamType kText = ZComParam::CPTString;
const std::vector<const wchar_t*> kSchemes = {L"Normal", L"Extended", L"NormalFixed", L"Mixed"};
const std::vector<const wchar_t*> kIdTypes = {L"11-Bit", L"29-Bit", L"J1939"};

const std::vector<ExpectedRow> kExpectedCatalogue = {
    {L"S3Server", L"S3Server", kNum, L"0", {}},
    {L"S3Client", L"S3Client", kNum, L"0", {}},
    {L"P2Client", L"P2Client", kNum, L"0", {}},
    {L"P2Server", L"P2Server", kNum, L"0", {}},
    {L"P2ExClient", L"P2*Client", kNum, L"0", {}},
    {L"P2ExServer", L"P2*Server", kNum, L"0", {}},
    {L"P3ClientPhys", L"P3ClientPhys", kNum, L"0", {}},
    {L"P3ClientFunc", L"P3ClientFunc", kNum, L"0", {}},
    {L"P3Server", L"P3Server", kNum, L"0", {}},
    {L"Blocksize", L"Blocksize", kNum, L"0", {}},
    {L"StMin", L"STmin", kNum, L"0", {}},
    {L"TimeoutAr", L"Timeout Ar", kNum, L"0", {}},
    {L"TimeoutAs", L"Timeout As", kNum, L"0", {}},
    {L"TimeoutBs", L"Timeout Bs", kNum, L"0", {}},
    {L"TimeBr", L"Time Br", kNum, L"0", {}},
    {L"TimeCs", L"Time Cs", kNum, L"0", {}},
    {L"TimeoutCr", L"Timeout Cr", kNum, L"0", {}},
    {L"MaxLengthTpMessage", L"Max Length of TP Message", kNum, L"0", {}},
    {L"Baudrate", L"Baudrate", kNum, L"0", {}},
    {L"AddrScheme", L"Addressing Scheme", kText, nullptr, kSchemes},
    {L"CanIdType", L"CAN-ID Type", kText, nullptr, kIdTypes},
    {L"CanIdTypeFunc", L"Functional CAN-ID Type", kText, nullptr, kIdTypes},
    {L"AddrSchemeFunc", L"Functional Addressing Scheme", kText, nullptr, kSchemes},
    {L"ReqCanId", L"Request CAN-ID", kNum, L"0", {}},
    {L"ReqCanIdFunc", L"Functional Request CAN-ID", kNum, L"0", {}},
    {L"ResCanId", L"Response CAN-ID", kNum, L"0", {}},
    {L"UudtResCanId", L"UUDT Response CAN-ID", kNum, L"0", {}},
    {L"EcuAddress", L"ECU Address", kNum, L"255", {}},
    {L"DefaultTxPriority", L"Default Tx-Priority", kNum, L"255", {}},
    {L"DefaultTxPriorityFunc", L"Functional Default Tx-Priority", kNum, L"255", {}},
    {L"AddressExtension", L"Address Extension", kNum, L"255", {}},
    {L"BroadcastAddress", L"Broadcast Address", kNum, L"255", {}},
    {L"BaseAddress", L"Base Address", kNum, L"0", {}},
    {L"DefaultTesterAddress", L"Default Tester Address", kNum, L"255", {}},
    {L"TesterAddress", L"Tester Address", kNum, L"255", {}},
    {L"BusType", L"Bus Type", kText, nullptr, {L"CAN"}},
    {L"TransportProtocolType", L"Transport Protocol Type", kText, nullptr, {L"ISO15765"}},
};

// Every permitted value of any text parameter: each one outside a row's own list must be refused.
std::vector<const wchar_t*> AllPermittedValues() {
  std::vector<const wchar_t*> all = kSchemes;
  all.insert(all.end(), kIdTypes.begin(), kIdTypes.end());
  all.push_back(L"CAN");
  all.push_back(L"ISO15765");
  return all;
}

bool Permits(const ExpectedRow& row, const std::wstring& value) {
  for (const wchar_t* permitted : row.permittedValues) {
    if (value == permitted) return true;
  }
  return false;
}

class ComParamFactoryTest : public ::testing::Test {
 protected:
  // Every test starts and ends without a catalogue, so additions never leak into other tests.
  void SetUp() override { ZComParamFactory::ReleaseInstance(); }
  void TearDown() override { ZComParamFactory::ReleaseInstance(); }

  static Clone Create(const wchar_t* qualifier) {
    return Clone(ZComParamFactory::GetInstance()->CreateComParam(qualifier));
  }
};

}  // namespace

// ---- contents ----

TEST_F(ComParamFactoryTest, VocabularyListsTheCatalogueInRegistrationOrder) {
  ASSERT_EQ(NComParamMan::Vocab::kCatalogue.size(), kExpectedCatalogue.size());
  for (std::size_t i = 0; i < kExpectedCatalogue.size(); ++i) {
    EXPECT_STREQ(NComParamMan::Vocab::kCatalogue[i].qualifier, kExpectedCatalogue[i].qualifier)
        << "row " << i + 1;
  }
}

TEST_F(ComParamFactoryTest, EveryPrototypeCarriesQualifierNameFlagsAndType) {
  for (const ExpectedRow& row : kExpectedCatalogue) {
    SCOPED_TRACE(testing::Message() << row.qualifier);
    Clone param = Create(row.qualifier);
    ASSERT_NE(param, nullptr);
    EXPECT_STREQ(param->GetQualifier(), row.qualifier);
    EXPECT_STREQ(param->GetAlias(), row.qualifier);
    EXPECT_STREQ(param->GetName(), row.displayName);
    EXPECT_STREQ(param->GetPath(), L"");
    EXPECT_FALSE(param->GetIsSimulated());
    EXPECT_TRUE(param->GetMayBeModified());
    EXPECT_EQ(param->GetValueType(), row.type);
  }
}

TEST_F(ComParamFactoryTest, NumbersHaveTheirRangeAndDefaultZero) {
  for (const ExpectedRow& row : kExpectedCatalogue) {
    if (row.type != kNum) continue;
    SCOPED_TRACE(testing::Message() << row.qualifier);
    Clone param = Create(row.qualifier);
    EXPECT_NE(dynamic_cast<ZUnsignedComParam*>(param.get()), nullptr);
    EXPECT_STREQ(param->GetStartRange(), L"0");
    EXPECT_STREQ(param->GetStopRange(), row.stopRange);
    EXPECT_STREQ(param->GetValue(), L"0");
    EXPECT_EQ(param->GetValueAsUnsigned(), 0u);
    EXPECT_TRUE(param->HasValidValue());
    const bool oneByte = std::wstring(row.stopRange) == L"255";
    EXPECT_TRUE(param->SetValue(255u));
    EXPECT_EQ(param->SetValue(256u), !oneByte);
    EXPECT_EQ(param->SetValue(4294967295u), !oneByte);
  }
}

TEST_F(ComParamFactoryTest, TextsPermitExactlyTheirValuesAndStartEmpty) {
  const std::vector<const wchar_t*> all = AllPermittedValues();
  for (const ExpectedRow& row : kExpectedCatalogue) {
    if (row.type != kText) continue;
    SCOPED_TRACE(testing::Message() << row.qualifier);
    Clone param = Create(row.qualifier);
    EXPECT_STREQ(param->GetValue(), L"");
    EXPECT_STREQ(param->GetStartRange(), L"0");
    EXPECT_STREQ(param->GetStopRange(), L"0");
    for (const wchar_t* value : all) {
      EXPECT_EQ(param->IsValidValue(value), Permits(row, value)) << value;
    }
    EXPECT_FALSE(param->IsValidValue(L""));
    EXPECT_FALSE(param->IsValidValue(L"normal"));
  }
}

TEST_F(ComParamFactoryTest, DescriptionsAreExact) {
  EXPECT_STREQ(Create(L"P2Server")->GetDescription(),
               L"Performance requirement for the server to start with the response message after "
               L"the reception of a request message. In UDS this is the timeout for the default "
               L"session.The tester will also require the P2Server timeout, since in UDS service "
               L"\"DiagnosticSessionControl\"returns the P2Server and P2*Server timeouts \u2013 "
               L"the tester has to calculate the offset manually and has to add it to the "
               L"returned P2Server and P2*Server timeouts.");
  EXPECT_STREQ(Create(L"StMin")->GetDescription(),
               L"(Separation Time) defines the minimum time gap between consecutive frames."
               L"Values from 0x00 to 0x7F (0 \u2013 127) are absolute milliseconds.Values from "
               L"0xF1 to 0xF9 are even 100 micro seconds.Every other value range is reserved and "
               L"should not be used.");
  EXPECT_STREQ(Create(L"P3ClientPhys")->GetDescription(),
               L"Minimum time for the client to wait after the successful transmission of a "
               L"physically addressed request message (indicated via N_USData.con) with no "
               L"response required before it can transmit the next physically addressed request "
               L"message.\nMinimum value = P2Server");
  EXPECT_STREQ(Create(L"BaseAddress")->GetDescription(),
               L"Using Extended Addressing with Base Address mechanism, the CAN-ID is calculated "
               L"by Base Address plus Source Address. \ne.g. BaseAddress = 0x700, "
               L"DefaultTesterAddress = 0xF1 => RequestCanId = 0x7F1");
  EXPECT_STREQ(Create(L"ReqCanId")->GetDescription(),
               L"The request CAN identifier for physical requests. The hex value not only "
               L"describes the identifier but also the priority of the message. The higher the "
               L"number, the lower the priority. ");
  EXPECT_STREQ(Create(L"MaxLengthTpMessage")->GetDescription(), L"");
  EXPECT_STREQ(Create(L"TimeoutAr")->GetDescription(),
               L"Time for transmission of frame, receiver side");
  EXPECT_STREQ(Create(L"CanIdTypeFunc")->GetDescription(),
               L"CAN-ID Type used for functional request");
  EXPECT_STREQ(Create(L"TransportProtocolType")->GetDescription(),
               L"Type of used Transport Protocol (e.g. ISO15765)");
  const std::wstring priority = Create(L"DefaultTxPriority")->GetDescription();
  EXPECT_EQ(priority.rfind(L"The priority is user defined with a default value of six (6).", 0),
            0u);
  EXPECT_EQ(priority, Create(L"DefaultTxPriorityFunc")->GetDescription());
}

TEST_F(ComParamFactoryTest, CanIdentifiersTakeTwentyNineBits) {
  Clone reqCanId = Create(L"ReqCanId");
  EXPECT_TRUE(reqCanId->SetValue(0x1FFFFFFFu));
  EXPECT_STREQ(reqCanId->GetValue(), L"536870911");
}

// ---- lookups ----

TEST_F(ComParamFactoryTest, OnlyExactNormalizedQualifiersAreKnownAndNothingIsLogged) {
  LogCapture log;
  for (const wchar_t* unknown :
       {L"p2client", L"P2CLIENT", L"P2Client ", L"P2Timeout", L"", L"CANFrameFillerByte",
        L"FillerByteHandling", L"CANFRAMEFILLERBYTE", L"FILLERBYTEHANDLING"}) {
    EXPECT_EQ(Create(unknown), nullptr) << unknown;
  }
  EXPECT_EQ(Create(nullptr), nullptr);
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ComParamFactoryTest, ClonesAreIndependentOfEachOtherAndOfThePrototype) {
  Clone first = Create(L"P2Client");
  Clone second = Create(L"P2Client");
  ASSERT_NE(first.get(), second.get());
  ASSERT_TRUE(first->SetValue(500u));
  first->SetName(L"changed");
  EXPECT_STREQ(second->GetValue(), L"0");
  EXPECT_STREQ(Create(L"P2Client")->GetValue(), L"0");
  EXPECT_STREQ(Create(L"P2Client")->GetName(), L"P2Client");
}

// ---- lifecycle ----

TEST_F(ComParamFactoryTest, InstanceLivesUntilReleasedAndIsRebuiltWithTheSameContent) {
  ZComParamFactory* instance = ZComParamFactory::GetInstance();
  EXPECT_EQ(ZComParamFactory::GetInstance(), instance);
  Clone survivor = Create(L"AddrScheme");

  ZComParamFactory::ReleaseInstance();
  ZComParamFactory::ReleaseInstance();        // harmless without a catalogue
  EXPECT_TRUE(survivor->SetValue(L"Mixed"));  // clones outlive their catalogue
  EXPECT_STREQ(survivor->GetName(), L"Addressing Scheme");

  for (const ExpectedRow& row : kExpectedCatalogue) {
    EXPECT_NE(Create(row.qualifier), nullptr) << row.qualifier;
  }
}

TEST_F(ComParamFactoryTest, AddedPrototypeIsServed) {
  auto* extra = new ZUnsignedComParam(L"X", L"", false, true, L"Extra", L"", L"Extra", 0, 9, 1);
  EXPECT_TRUE(ZComParamFactory::GetInstance()->AddPrototype(extra));
  Clone clone = Create(L"Extra");
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone.get(), extra);
  EXPECT_STREQ(clone->GetValue(), L"1");
}

TEST_F(ComParamFactoryTest, DuplicatePrototypeFailsTheCheckAndKeepsTheFirst) {
  ZComParamFactory* catalogue = ZComParamFactory::GetInstance();
  // Ownership passes in every case: the refused duplicate is destroyed, not leaked.
  ExpectInternalCheck(
      [&] {
        catalogue->AddPrototype(new ZUnsignedComParam(L"P2Client", L"", false, true, L"Dup", L"",
                                                      L"P2Client", 0, 0, 7));
      },
      L"findResultIter==m_normQual2comParamPrototype.end()", "ComParamFactory.cpp");
  EXPECT_STREQ(Create(L"P2Client")->GetName(), L"P2Client");
}

TEST_F(ComParamFactoryTest, AddedPrototypeLivesOnlyAsLongAsItsCatalogue) {
  ZComParamFactory::GetInstance()->AddPrototype(
      new ZUnsignedComParam(L"X", L"", false, true, L"Extra", L"", L"Extra", 0, 9, 1));
  ASSERT_NE(Create(L"Extra"), nullptr);
  ZComParamFactory::ReleaseInstance();
  EXPECT_EQ(Create(L"Extra"), nullptr);
  EXPECT_NE(Create(L"P2Client"), nullptr);
}

// The normalization's clone: the catalogue's parameter except for the texts it replaces.
TEST_F(ComParamFactoryTest, CloneToDescribeDiffersOnlyInItsEmptyTexts) {
  for (const ExpectedRow& row : kExpectedCatalogue) {
    SCOPED_TRACE(testing::Message() << row.qualifier);
    Clone full = Create(row.qualifier);
    Clone toDescribe(ZComParamFactory::GetInstance()->CreateComParamToDescribe(row.qualifier));
    ASSERT_NE(toDescribe, nullptr);
    EXPECT_STREQ(toDescribe->GetDescription(), L"");
    EXPECT_STREQ(toDescribe->GetAlias(), L"");
    EXPECT_STREQ(toDescribe->GetName(), L"");
    toDescribe->SetDescription(full->GetDescription());
    toDescribe->SetAlias(full->GetAlias());
    toDescribe->SetName(full->GetName());
    std::wostringstream fullText;
    std::wostringstream toDescribeText;
    full->PrintOn(fullText);
    toDescribe->PrintOn(toDescribeText);
    EXPECT_EQ(toDescribeText.str(), fullText.str());
    EXPECT_STREQ(toDescribe->GetStopRange(), full->GetStopRange());
    EXPECT_EQ(toDescribe->IsValidValue(L"Normal"), full->IsValidValue(L"Normal"));
    EXPECT_EQ(toDescribe->IsValidValue(L"256"), full->IsValidValue(L"256"));
  }
  EXPECT_EQ(ZComParamFactory::GetInstance()->CreateComParamToDescribe(L"P2Timeout"), nullptr);
  ZComParamFactory::GetInstance()->AddPrototype(
      new ZUnsignedComParam(L"X", L"Own", false, true, L"Extra", L"", L"Extra", 0, 9, 1));
  Clone added(ZComParamFactory::GetInstance()->CreateComParamToDescribe(L"Extra"));
  ASSERT_NE(added, nullptr);
  EXPECT_STREQ(added->GetValue(), L"1");
}

// Reusing a parameter: afterwards it is what a new clone would be, whatever it held before.
TEST_F(ComParamFactoryTest, AssignedPrototypeEqualsANewClone) {
  const ZComParamFactory& catalogue = *ZComParamFactory::GetInstance();
  for (const wchar_t* qualifier : {L"EcuAddress", L"AddrScheme"}) {
    SCOPED_TRACE(testing::Message() << qualifier);
    const ZComParam* pPrototype = catalogue.FindPrototypeToDescribe(qualifier);
    ASSERT_NE(pPrototype, nullptr);
    Clone reused(pPrototype->Clone());
    reused->SetAlias(L"Alias of a longer earlier reading");
    reused->SetName(L"Name");
    reused->SetDescription(L"Description");
    reused->SetIsSimulated(true);
    reused->SetValue(reused->GetValueType() == ZComParam::CPTUnsigned ? L"17" : L"Mixed");
    ASSERT_TRUE(ZComParamFactory::AssignPrototype(*pPrototype, *reused));
    std::wostringstream expected;
    std::wostringstream actual;
    pPrototype->PrintOn(expected);
    reused->PrintOn(actual);
    EXPECT_EQ(actual.str(), expected.str());
    EXPECT_EQ(reused->HasValidValue(), pPrototype->HasValidValue());
    EXPECT_EQ(reused->GetValidValues().GetValues(), pPrototype->GetValidValues().GetValues());
    EXPECT_STREQ(reused->GetStopRange(), pPrototype->GetStopRange());
  }
}

TEST_F(ComParamFactoryTest, AssignPrototypeRefusesAnotherKind) {
  const ZComParamFactory& catalogue = *ZComParamFactory::GetInstance();
  const ZComParam* pNumber = catalogue.FindPrototypeToDescribe(L"EcuAddress");
  const ZComParam* pText = catalogue.FindPrototypeToDescribe(L"AddrScheme");
  ASSERT_NE(pNumber, nullptr);
  ASSERT_NE(pText, nullptr);
  Clone text(pText->Clone());
  EXPECT_FALSE(ZComParamFactory::AssignPrototype(*pNumber, *text));
  EXPECT_STREQ(text->GetQualifier(), L"AddrScheme");
  // A kind derived from a known one is not assigned either: its own part would stay.
  struct ZOwnNumber : ZUnsignedComParam {
    ZComParam* Clone() const override { return new ZOwnNumber(*this); }
  };
  ZOwnNumber own;
  EXPECT_FALSE(ZComParamFactory::AssignPrototype(*pNumber, own));
  EXPECT_EQ(catalogue.FindPrototypeToDescribe(L"P2Timeout"), nullptr);
}
