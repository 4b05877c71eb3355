// Unit tests for platform/pelka/Odx*.cpp: documents read from ODX, on the hand-written
// three-layer fixture and on the real somersault data.
#include "OdxTestFiles.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Pelka;
using namespace OdxTestFiles;

namespace {

const std::string kThreeLayers = kFixtures + "/three-layers";
const std::vector<std::string> kThreeLayerFiles = {
    "cars.odx-d", "uds-stack.odx-c", "application.odx-cs", "transport.odx-cs", "bus.odx-cs"};

std::unique_ptr<ZEcuDoc> ReadThreeLayers(std::vector<std::string> names = kThreeLayerFiles) {
  return ReadOdxSources(Sources(kThreeLayers, names), 1);
}

std::vector<std::wstring> InterfacesOf(const ZEcuDoc& doc) {
  std::vector<std::wstring> interfaces;
  for (std::size_t i = 0; i < doc.AttributeCount(); ++i) {
    const ZDefaultAttr& attribute = doc.AttributeAt(i);
    if (std::wcscmp(attribute.GetCategory().GetQualifier(), ZEcuDoc::interfaceCategory) == 0) {
      interfaces.push_back(attribute.GetQualifier());
    }
  }
  return interfaces;
}

// ASCII text for messages.
std::string ToText(const std::wstring& text) { return std::string(text.begin(), text.end()); }

const ZDefaultAttr& Attr(const ZEcuDoc& doc, const std::wstring& qualifier) {
  const ZDefaultAttr* pAttribute = doc.FindAttribute(qualifier.c_str());
  if (pAttribute == nullptr) throw std::runtime_error("no attribute " + ToText(qualifier));
  return *pAttribute;
}

// The value the ECU sees: the override's where there is one.
std::wstring ValueAtEcu(ZEcuDoc& doc, const std::wstring& qualifier) {
  const std::size_t position = Attr(doc, qualifier).GetPosition();
  return doc.GetEcu().VirtualAttributes().ItemAt(position).GetValueText();
}

const std::vector<std::string>& Warnings(const ZEcuDoc& doc) {
  return doc.GetOdxOrigin()->Warnings();
}

}  // namespace

// ---- the three-layer fixture

class OdxThreeLayers : public ::testing::Test {
 protected:
  std::unique_ptr<ZEcuDoc> m_pDoc = ReadThreeLayers();
};

TEST_F(OdxThreeLayers, EveryLayerWithAProtocolIsAnInterfaceInDocumentOrder) {
  EXPECT_EQ(InterfacesOf(*m_pDoc), (std::vector<std::wstring>{L"uds_on_can", L"body", L"door",
                                                              L"door_left", L"door_right"}));
  EXPECT_STREQ(Attr(*m_pDoc, L"uds_on_can").GetValueText(), L"UDS on CAN");
  EXPECT_STREQ(Attr(*m_pDoc, L"uds_on_can").GetDescription().GetText(0),
               L"The diagnostic protocol of the body ECUs");
  EXPECT_TRUE(Warnings(*m_pDoc).empty()) << Warnings(*m_pDoc).front();
}

// The layer's own value is the override; the default is what it would inherit.
struct ZValueCase {
  const wchar_t* qualifier;
  const wchar_t* atEcu;
  const wchar_t* inherited;  // the default attribute's value
  bool setByLayer;
};

TEST_F(OdxThreeLayers, EachLayerGetsTheNearestValueAlongItsParents) {
  const ZValueCase cases[] = {
      // a ref for another protocol does not count; the subset default stays beneath
      {L"uds_on_can.P2Client", L"50000", L"150000", true},
      {L"body.P2Client", L"50000", L"50000", false},
      {L"door_left.P2Client", L"50000", L"50000", false},
      {L"uds_on_can.Blocksize", L"0", L"0", false},
      {L"body.Blocksize", L"8", L"0", true},
      {L"door.Blocksize", L"8", L"8", false},
      {L"door_left.Blocksize", L"16", L"8", true},
      {L"door_right.Blocksize", L"8", L"8", false},
      // members of a complex value, and the frame format split in two
      {L"door.AddrScheme", L"Extended", L"Normal", true},
      {L"door.CanIdType", L"29-Bit", L"11-Bit", true},
      {L"door.ReqCanId", L"418119921", L"2016", true},
      {L"door.EcuAddress", L"16", L"0", true},
      {L"door.TesterAddress", L"241", L"0", true},
      {L"door_left.AddrScheme", L"Extended", L"Extended", false},
      {L"door_right.AddrScheme", L"Mixed", L"Extended", true},
      {L"door_right.AddressExtension", L"7", L"16", true},
      {L"door_right.CP_CanRespUSDTExtAddr", L"0", L"241", true},  // <SIMPLE-VALUE/>: the default
      {L"door_left.AddrSchemeFunc", L"NormalFixed", L"Normal", true},
      {L"door_left.CanIdTypeFunc", L"29-Bit", L"11-Bit", true},
      {L"door_left.CP_CanFuncReqExtAddr", L"51", L"0", true},
      // one of every kind
      {L"door_left.Baudrate", L"250000", L"500000", true},
      {L"door_left.CP_TimeOffset", L"-5", L"0", true},
      {L"door_left.CP_TimeFactor", L"0.25", L"1.5", true},
      {L"door_left.CP_TesterPresentSendType", L"Periodic", L"On idle", true},
      {L"door_right.CP_TesterPresentMessage", L"3E80", L"3E00", true},
  };
  for (const ZValueCase& expected : cases) {
    SCOPED_TRACE(ToText(expected.qualifier));
    const ZDefaultAttr& attribute = Attr(*m_pDoc, expected.qualifier);
    EXPECT_EQ(ValueAtEcu(*m_pDoc, expected.qualifier), expected.atEcu);
    EXPECT_STREQ(attribute.GetValueText(), expected.inherited);
    EXPECT_EQ(attribute.HasOverride(), expected.setByLayer);
    ASSERT_NE(m_pDoc->GetOdxOrigin()->SiteOf(attribute), nullptr);
    EXPECT_EQ(m_pDoc->GetOdxOrigin()->SiteOf(attribute)->setByLayer, expected.setByLayer);
  }
}

TEST_F(OdxThreeLayers, ValueKindsFollowTheDataObjectProps) {
  const std::pair<const wchar_t*, ZAttrManager::ZAttrType> kinds[] = {
      {L"door_left.Blocksize", ZAttrManager::ATUnsigned},
      {L"door_left.CP_TimeOffset", ZAttrManager::ATSigned},
      {L"door_left.CP_TimeFactor", ZAttrManager::ATFloat},
      {L"door_left.CP_TesterPresentSendType", ZAttrManager::ATEnum},
      {L"door_left.CP_TesterPresentMessage", ZAttrManager::ATString},
      {L"door_left.AddrScheme", ZAttrManager::ATEnum},
      {L"door_left.BusType", ZAttrManager::ATString},
  };
  for (const auto& kind : kinds) {
    EXPECT_EQ(ZAttrTypeChecker::GetAttrType(Attr(*m_pDoc, kind.first)), kind.second)
        << ToText(kind.first);
  }
  const auto& sendType =
      static_cast<const ZEnumDefaultAttr&>(Attr(*m_pDoc, L"door_left.CP_TesterPresentSendType"));
  ASSERT_EQ(sendType.EnumTagTable().Count(), 2u);
  EXPECT_STREQ(sendType.EnumTagTable().GetEnumTagSymbolById(1).GetTagText().GetText(0), L"On idle");
  // Only the schemes the frame format's table offers, by their normalized texts.
  const auto& scheme = static_cast<const ZEnumDefaultAttr&>(Attr(*m_pDoc, L"door.AddrScheme"));
  std::vector<std::wstring> schemes;
  for (auto tag = scheme.EnumTagTable().Begin(); tag != scheme.EnumTagTable().End(); ++tag) {
    schemes.push_back(tag->GetTagText().GetText(0));
  }
  EXPECT_EQ(schemes, (std::vector<std::wstring>{L"Normal", L"Extended", L"NormalFixed", L"Mixed"}));
}

TEST_F(OdxThreeLayers, NamesAreShortNamesAndDescriptionsLongNameAndDesc) {
  const ZDefaultAttr& blockSize = Attr(*m_pDoc, L"door.Blocksize");
  EXPECT_STREQ(blockSize.GetName(0), L"CP_BlockSize");
  EXPECT_STREQ(blockSize.GetDescription().GetText(0),
               L"BlockSize: Block size the tester reports in its flow control frames.");
  EXPECT_STREQ(blockSize.GetCategory().GetQualifier(), L"CP.COM");
  EXPECT_STREQ(Attr(*m_pDoc, L"door.AddrScheme").GetName(0), L"CP_CanPhysReqFormat");
  // Address comparams have a normalized name only under the scheme that gives them one.
  EXPECT_EQ(m_pDoc->FindAttribute(L"uds_on_can.EcuAddress"), nullptr);
  EXPECT_NE(m_pDoc->FindAttribute(L"uds_on_can.CP_CanPhysReqExtAddr"), nullptr);
  EXPECT_EQ(m_pDoc->FindAttribute(L"door_right.TesterAddress"), nullptr);
  // The stack gives the derived parameters, which are not to be edited.
  const ZDefaultAttr& busType = Attr(*m_pDoc, L"door.BusType");
  EXPECT_STREQ(busType.GetValueText(), L"CAN");
  EXPECT_FALSE(busType.MayBeModified());
  EXPECT_STREQ(Attr(*m_pDoc, L"door.TransportProtocolType").GetValueText(), L"ISO15765");
  EXPECT_EQ(m_pDoc->GetOdxOrigin()->SiteOf(busType), nullptr);
}

TEST_F(OdxThreeLayers, TheOriginSaysWhereEachValueLives) {
  const ZOdxOrigin& origin = *m_pDoc->GetOdxOrigin();
  ASSERT_EQ(origin.Sources().size(), kThreeLayerFiles.size());
  EXPECT_EQ(origin.Sources()[0].file, "cars.odx-d");
  EXPECT_TRUE(origin.Sources()[0].verbatim);
  const std::string cars = ReadBytes(kThreeLayers + "/cars.odx-d");

  const ZOdxOrigin::ZValueSite& blockSize = *origin.SiteOf(Attr(*m_pDoc, L"door_left.Blocksize"));
  const ZOdxOrigin::ZLayer& layer = origin.Layers()[blockSize.layer];
  EXPECT_EQ(layer.shortName, "door_left");
  EXPECT_EQ(layer.protocol, "uds_on_can");
  EXPECT_EQ(cars.compare(layer.elementOffset, 11, "ECU-VARIANT"), 0);
  EXPECT_EQ(cars.compare(layer.comparamRefsOffset, 13, "COMPARAM-REFS"), 0);
  EXPECT_EQ(
      cars.substr(blockSize.ownValue.begin, blockSize.ownValue.end - blockSize.ownValue.begin),
      "16");
  const ZOdxOrigin::ZComparam& comparam = origin.Comparams()[blockSize.comparam];
  EXPECT_EQ(comparam.idRef, "T2.BlockSize");
  EXPECT_EQ(comparam.docRef, "ISO_15765_2");
  EXPECT_EQ(comparam.docType, "COMPARAM-SUBSET");
  EXPECT_EQ(blockSize.complexValue, ZOdxOrigin::npos);

  // An inherited value from a ref with a PROTOCOL-SNREF: a new ref would carry one too.
  EXPECT_TRUE(origin.SiteOf(Attr(*m_pDoc, L"body.P2Client"))->inheritedProtocolSnRef);
  EXPECT_FALSE(origin.SiteOf(Attr(*m_pDoc, L"door_left.Blocksize"))->inheritedProtocolSnRef);

  // A member of a complex value, with the values the complex comparam had.
  const ZOdxOrigin::ZValueSite& reqCanId = *origin.SiteOf(Attr(*m_pDoc, L"door.ReqCanId"));
  EXPECT_EQ(origin.Comparams()[reqCanId.comparam].idRef, "T2.UniqueRespIdTable");
  EXPECT_EQ(origin.Comparams()[reqCanId.comparam].member, 1u);
  EXPECT_EQ(origin.ComplexValues()[reqCanId.complexValue].members,
            (std::vector<std::string>{"extended segmented 29-bit transmit with FC", "418119921",
                                      "16", "418124049", "241"}));
  const ZOdxOrigin::ZValueSite& scheme = *origin.SiteOf(Attr(*m_pDoc, L"door.AddrScheme"));
  EXPECT_EQ(scheme.part, ZOdxOrigin::OPScheme);
  EXPECT_EQ(origin.SiteOf(Attr(*m_pDoc, L"door.CanIdType"))->part, ZOdxOrigin::OPIdWidth);
  EXPECT_EQ(origin.Comparams()[scheme.comparam].textTable.size(), 5u);
  // Where the value is written <SIMPLE-VALUE/>.
  const ZOdxOrigin::ZValueSite& empty =
      *origin.SiteOf(Attr(*m_pDoc, L"door_right.CP_CanRespUSDTExtAddr"));
  EXPECT_TRUE(empty.ownValue.selfClosing);
  EXPECT_EQ(cars.compare(empty.ownValue.begin, 2, "/>"), 0);
  // Not set by the layer: no value site of its own.
  EXPECT_FALSE(origin.SiteOf(Attr(*m_pDoc, L"door.P2Client"))->setByLayer);
}

TEST(OdxEncodings, OffsetsReferToTheTextAndSayWhereItStartsInTheFile) {
  std::vector<ZOdxSource> sources = Sources(kThreeLayers, kThreeLayerFiles);
  sources[0].bytes.insert(0, "\xEF\xBB\xBF");
  std::string& bus = sources[4].bytes;
  bus.replace(bus.find("UTF-8"), 5, "ISO-8859-1");
  bus.replace(bus.find("<LONG-NAME>Baudrate"), 19, "<LONG-NAME>Baudrate \xE4");
  const std::string cars = sources[0].bytes;
  const std::unique_ptr<ZEcuDoc> pDoc = ReadOdxSources(std::move(sources), 1);
  const ZOdxOrigin& origin = *pDoc->GetOdxOrigin();
  EXPECT_TRUE(origin.Sources()[0].verbatim);
  EXPECT_EQ(origin.Sources()[0].verbatimOffset, 3u) << "after the byte order mark";
  const ZOdxOrigin::ZTextRange& own = origin.SiteOf(Attr(*pDoc, L"door_left.Blocksize"))->ownValue;
  EXPECT_EQ(cars.substr(3 + own.begin, own.end - own.begin), "16");
  EXPECT_FALSE(origin.Sources()[4].verbatim) << "decoded from ISO-8859-1";
  EXPECT_STREQ(Attr(*pDoc, L"door.Baudrate").GetDescription().GetText(0), L"Baudrate \u00e4");
}

TEST(OdxFolder, LoadingAFileReadsTheOdxFilesOfItsFolderBySHORTNAME) {
  std::unique_ptr<ZEcuDoc> pLoaded = LoadEcuDoc(kThreeLayers + "/cars.odx-d");
  std::string difference;
  EXPECT_TRUE(EqualDocuments(*pLoaded, *ReadThreeLayers(), &difference)) << difference;
  const ZOdxOrigin& origin = *pLoaded->GetOdxOrigin();
  ASSERT_EQ(origin.Sources().size(), 5u);
  EXPECT_EQ(origin.Sources()[0].file, kThreeLayers + "/cars.odx-d");
  EXPECT_EQ(origin.Sources()[1].file, kThreeLayers + "/application.odx-cs") << "by file name";
}

TEST(OdxStacks, APROTSTACKSNREFChoosesTheStack) {
  std::vector<ZOdxSource> sources = Sources(kThreeLayers, kThreeLayerFiles);
  std::string& cars = sources[0].bytes;
  const std::string specRef = "<COMPARAM-SPEC-REF";
  cars.insert(cars.find(specRef), "<PROT-STACK-SNREF SHORT-NAME=\"PS_UDS_on_DoIP\"/>\n        ");
  std::unique_ptr<ZEcuDoc> pDoc = ReadOdxSources(sources, 1);
  EXPECT_EQ(pDoc->InterfaceMemberPositions(L"door").size(), 0u) << "the DoIP subset is missing";
  ASSERT_EQ(Warnings(*pDoc).size(), 1u);
  EXPECT_EQ(Warnings(*pDoc)[0],
            "uds-stack.odx-c:12: the ODX document \"ISO_13400_2\" is not among the ODX files read; "
            "its parameters are missing from \"uds_on_can\", \"body\", \"door\" and 2 more");
}

TEST(OdxMissing, AMissingSubsetLeavesItsParametersOutAndIsWarnedAbout) {
  std::unique_ptr<ZEcuDoc> pDoc =
      ReadThreeLayers({"cars.odx-d", "uds-stack.odx-c", "application.odx-cs", "transport.odx-cs"});
  EXPECT_EQ(pDoc->FindAttribute(L"door.Baudrate"), nullptr);
  EXPECT_NE(pDoc->FindAttribute(L"door.Blocksize"), nullptr);
  EXPECT_STREQ(Attr(*pDoc, L"door.BusType").GetValueText(), L"CAN") << "the stack says so";
  // One warning per missing document, at its first reference.
  ASSERT_EQ(Warnings(*pDoc).size(), 1u);
  EXPECT_EQ(
      Warnings(*pDoc)[0],
      "cars.odx-d:73: the ODX document \"ISO_11898_2_DWCAN\" is not among the ODX files read; "
      "its parameters are missing from \"uds_on_can\", \"body\", \"door\" and 2 more");
}

TEST(OdxMissing, WithoutItsSpecAProtocolHasTheSubsetsItsRefsUse) {
  std::unique_ptr<ZEcuDoc> pDoc =
      ReadThreeLayers({"cars.odx-d", "application.odx-cs", "transport.odx-cs", "bus.odx-cs"});
  EXPECT_STREQ(Attr(*pDoc, L"uds_on_can.P2Client").GetValueText(), L"150000");
  EXPECT_EQ(pDoc->FindAttribute(L"door.Blocksize"), nullptr)
      << "not a subset of the protocol's refs";
  EXPECT_EQ(pDoc->FindAttribute(L"door.BusType"), nullptr) << "no stack, no link type";
  ASSERT_EQ(Warnings(*pDoc).size(), 1u);
  EXPECT_EQ(Warnings(*pDoc)[0],
            "cars.odx-d:23: the ODX document \"uds_spec\" is not among the ODX files read; its "
            "parameters are missing from \"uds_on_can\", \"body\", \"door\" and 2 more");
}

TEST(OdxWarnings, ASecondRefToOneComparamIsWarnedAboutAndTheFirstUsed) {
  std::vector<ZOdxSource> sources = Sources(kThreeLayers, kThreeLayerFiles);
  std::string& cars = sources[0].bytes;
  const std::string second =
      "<COMPARAM-REF ID-REF=\"T2.BlockSize\" DOCREF=\"ISO_15765_2\" DOCTYPE=\"COMPARAM-SUBSET\">"
      "<SIMPLE-VALUE>32</SIMPLE-VALUE></COMPARAM-REF>";
  const std::size_t ecu = cars.find("<SHORT-NAME>door_left");
  cars.insert(cars.find("</COMPARAM-REFS>", ecu), second);
  std::unique_ptr<ZEcuDoc> pDoc = ReadOdxSources(sources, 1);
  EXPECT_EQ(ValueAtEcu(*pDoc, L"door_left.Blocksize"), L"16");
  ASSERT_EQ(Warnings(*pDoc).size(), 1u);
  EXPECT_EQ(Warnings(*pDoc)[0],
            "cars.odx-d:85: layer \"door_left\" refers to comparam \"CP_BlockSize\" again; the "
            "first reference (line 63) is used");
}

TEST(OdxWarnings, AFrameFormatOutsideItsTableSplitsAndIsWarnedAbout) {
  std::vector<ZOdxSource> sources = Sources(kThreeLayers, kThreeLayerFiles);
  std::string& transport = sources[3].bytes;
  const std::string mixed = "<VT>mixed segmented 11-bit transmit with FC</VT>";
  transport.replace(transport.find(mixed), mixed.size(),
                    "<VT>normal unsegmented 11-bit transmit</VT>");
  std::unique_ptr<ZEcuDoc> pDoc = ReadOdxSources(sources, 1);
  EXPECT_EQ(ValueAtEcu(*pDoc, L"door_right.AddrScheme"), L"Mixed") << "a scheme the table lacks";
  EXPECT_EQ(ValueAtEcu(*pDoc, L"door_right.AddressExtension"), L"7");
  ASSERT_EQ(Warnings(*pDoc).size(), 1u);
  EXPECT_EQ(Warnings(*pDoc)[0],
            "cars.odx-d:95: \"mixed segmented 11-bit transmit with FC\" is not a text of the text "
            "table of CP_CanPhysReqFormat; it is read as a value of its own");
}

TEST(OdxContent, TheRootElementTellsAnOdxFile) {
  const std::pair<std::string, bool> cases[] = {
      {"<ODX MODEL-VERSION=\"2.2.0\">", true},
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- a <ODX> -->\n<ODX>", true},
      {std::string("\xFF\xFE<\0O\0D\0X\0>\0", 12), true},
      {std::string("\xFE\xFF\0<\0O\0D\0X\0 ", 12), true},
      {"<ODXX>", false},
      {"<ecudoc>", false},
      {"<!-- never closed <ODX>", false},
      {"", false},
  };
  for (const auto& sample : cases) {
    EXPECT_EQ(LooksLikeOdx(sample.first.data(), sample.first.size()), sample.second)
        << sample.first;
  }
}

// ---- the real somersault data

TEST(OdxSomersault, TheAssiduousVariantHasItsCanIdsAndTheDefaultsOfItsSubsets) {
  ODX_REQUIRE_REAL_DATA();
  std::unique_ptr<ZEcuDoc> pDoc = LoadEcuDoc(kSomersault + "/somersault.odx-d");
  EXPECT_EQ(InterfacesOf(*pDoc),
            (std::vector<std::wstring>{L"somersault_protocol", L"somersault_base_variant",
                                       L"somersault_lazy", L"somersault_assiduous"}));
  const std::pair<const wchar_t*, const wchar_t*> values[] = {
      {L"somersault_assiduous.ReqCanId", L"123"},
      {L"somersault_assiduous.ResCanId", L"456"},
      {L"somersault_assiduous.AddrScheme", L"Normal"},
      {L"somersault_assiduous.CanIdType", L"11-Bit"},
      {L"somersault_assiduous.Baudrate", L"500000"},
      {L"somersault_assiduous.Blocksize", L"4"},
      {L"somersault_assiduous.P2Client", L"100000"},
      {L"somersault_assiduous.P2ExClient", L"6000000"},
      {L"somersault_assiduous.S3Client", L"3000000"},
      {L"somersault_lazy.ReqCanId", L"123"},
      {L"somersault_base_variant.Blocksize", L"4"},
  };
  for (const auto& value : values) EXPECT_EQ(ValueAtEcu(*pDoc, value.first), value.second);
  // The lazy variant sets nothing itself: everything comes from the protocol.
  EXPECT_FALSE(Attr(*pDoc, L"somersault_lazy.ReqCanId").HasOverride());
  EXPECT_TRUE(Attr(*pDoc, L"somersault_assiduous.ReqCanId").HasOverride());
  // Two layers refer to one comparam twice; a default is not in its own text table.
  ASSERT_EQ(Warnings(*pDoc).size(), 3u);
  EXPECT_NE(Warnings(*pDoc)[0].find("somersault.odx-d:196: layer \"somersault_protocol\" refers to "
                                    "comparam \"CP_TesterPresentReqRsp\" again"),
            std::string::npos);
}

TEST(OdxSomersault, TheOlderSubsetsOfOdxtoolsReadAsWell) {
  ODX_REQUIRE_REAL_DATA();
  std::vector<ZOdxSource> sources = Sources(kSomersault, {"somersault.odx-d"});
  for (ZOdxSource& subset : Sources(kRealWorld + "/odx/comparam-subsets",
                                    {"UDSOnCAN_CPS.odx-c", "ISO_15765_3_CPSS.odx-cs",
                                     "ISO_15765_2.odx-cs", "ISO_11898_2_DWCAN.odx-cs"})) {
    sources.push_back(std::move(subset));
  }
  std::unique_ptr<ZEcuDoc> pDoc = ReadOdxSources(std::move(sources), 1);
  EXPECT_EQ(ValueAtEcu(*pDoc, L"somersault_assiduous.ReqCanId"), L"123");
  EXPECT_EQ(ValueAtEcu(*pDoc, L"somersault_assiduous.Baudrate"), L"500000");
}
