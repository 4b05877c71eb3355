// Unit tests for comparam/ComParamManager.cpp: writing a configuration back into the document
#include <comparam/ComParamManager.h>

#include "ComParamFactory.h"

#include <Util/TextConv.h>

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ConversionFixture.h"
#include "LogCapture.h"

using namespace Pelka;
using NComParamMan::ZComParam;
using NComParamMan::ZComParamCollection;
using NComParamMan::ZComParamConfiguration;
using NComParamMan::ZComParamFactory;
using NComParamMan::ZComParamManager;
using Lines = std::vector<std::wstring>;

namespace {

// What the document holds for one attribute at the ECU.
struct AttrState {
  ZAttrManager::ZAttrType kind;
  bool hasOverride;
  std::wstring value;
  int enumTag;  // -1 for other kinds

  bool operator==(const AttrState& other) const {
    return kind == other.kind && hasOverride == other.hasOverride && value == other.value &&
           enumTag == other.enumTag;
  }
};

void PrintTo(const AttrState& state, std::ostream* os) {
  *os << "kind " << state.kind << (state.hasOverride ? ", override " : ", default ")
      << ::testing::PrintToString(state.value) << ", tag " << state.enumTag;
}

int EnumTagOf(const ZAttribute& source) {
  if (ZAttrTypeChecker::GetAttrType(source) != ZAttrManager::ATEnum) return -1;
  return source.IsOverride() ? static_cast<const ZEnumOverrideAttr&>(source).GetValue()
                             : static_cast<const ZEnumDefaultAttr&>(source).GetValue();
}

AttrState StateOf(ZEcuDoc& doc, const ZDefaultAttr& attribute) {
  const ZOverrideAttrSet& overrides = doc.GetEcu().OverriddenAttributes();
  const auto found = overrides.Find(attribute);
  const ZAttribute& source =
      found == overrides.End() ? static_cast<const ZAttribute&>(attribute) : *found;
  return {ZAttrTypeChecker::GetAttrType(attribute), found != overrides.End(), source.GetValueText(),
          EnumTagOf(source)};
}

AttrState StateOf(ZEcuDoc& doc, const wchar_t* qualifier) {
  const ZDefaultAttr* pAttribute = doc.FindAttribute(qualifier);
  if (!pAttribute) throw std::logic_error("no such attribute");
  return StateOf(doc, *pAttribute);
}

std::unique_ptr<ZEcuDoc> SaveAndLoad(const ZEcuDoc& doc) {
  // ctest runs each test in a process of its own, several at once: one file per test.
  const std::string path = ::testing::TempDir() + "comparam-write-back-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xml";
  SaveEcuDoc(doc, path);
  std::unique_ptr<ZEcuDoc> pLoaded = LoadEcuDoc(path);
  std::remove(path.c_str());
  return pLoaded;
}

std::vector<std::wstring> InterfacesOf(const ZEcuDoc& doc) {
  std::vector<std::wstring> interfaces;
  for (std::size_t i = 0; i < doc.AttributeCount(); ++i) {
    const ZDefaultAttr& attribute = doc.AttributeAt(i);
    if (std::wstring(attribute.GetCategory().GetQualifier()) == ZEcuDoc::interfaceCategory) {
      interfaces.push_back(attribute.GetQualifier());
    }
  }
  return interfaces;
}

bool IsNumber(ZAttrManager::ZAttrType kind) {
  return kind == ZAttrManager::ATUnsigned || kind == ZAttrManager::ATSigned ||
         kind == ZAttrManager::ATFloat;
}

void ExpectFromManager(const LogCapture& log, const std::vector<int>& levels) {
  ASSERT_EQ(log.Lines().size(), levels.size());
  for (std::size_t i = 0; i < levels.size(); ++i) {
    EXPECT_EQ(BaseName(log.Lines()[i].file), "ComParamManager.cpp");
    EXPECT_EQ(log.Lines()[i].level, levels[i]) << i;
  }
}

class WriteBackTest : public ::testing::Test {
 protected:
  // Float values are parsed through the text conversion.
  void SetUp() override { NComParamMan::AttachTextConvBuffers(); }
  void TearDown() override { ZComParamFactory::ReleaseInstance(); }

  ZComParam& Param(ZComParamConfiguration& configuration, const wchar_t* qualifier) {
    ZComParam* pParam = configuration.GetComParamCollection().FindByQualifier(qualifier);
    if (!pParam) throw std::logic_error("no such parameter");
    return *pParam;
  }

  std::unique_ptr<ZEcuDoc> m_pDoc = LoadConversionDoc("write-back.xml");
  ZComParamManager m_manager{*m_pDoc};
};

}  // namespace

// --- Writing back unchanged ---------------------------------------------------------------

TEST_F(WriteBackTest, UnchangedConfigurationKeepsNumbersAndEnumerationTags) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"WB");
  LogCapture log;
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(log.Texts(), Lines{L"ComParamMan: Skipping ComParam 'EcuAddress' while normalizing "
                               L"to Tolvan COM parameters\n"});
  ExpectFromManager(log, {3});

  auto pDoc = SaveAndLoad(*m_pDoc);
  using K = ZAttrManager;
  const std::pair<const wchar_t*, AttrState> expected[] = {
      {L"W.P2Client", {K::ATUnsigned, false, L"50", -1}},
      {L"W.P2Server", {K::ATUnsigned, true, L"25", -1}},
      {L"W.S3Client", {K::ATSigned, false, L"5000", -1}},
      {L"W.TimeoutAs", {K::ATSigned, true, L"-1", -1}},
      {L"W.Baudrate", {K::ATFloat, false, L"125000", -1}},
      {L"W.StMin", {K::ATFloat, false, L"0.5", -1}},
      {L"W.BusType", {K::ATText, false, L"CAN", -1}},
      // A text takes the first candidate: the upper-case form of the first alias.
      {L"W.AddrScheme", {K::ATText, true, L"NORMAL", -1}},
      // "29-bit" is the first candidate that names a tag.
      {L"W.CanIdType", {K::ATEnum, false, L"29-bit", 1}},
      // The attribute held "29 bit" (tag 1), but the earlier candidate "29-bit" names tag 0.
      {L"W.CanIdTypeFunc", {K::ATEnum, true, L"29-bit", 0}},
      {L"W.AddrSchemeFunc", {K::ATEnum, true, L"Extended", 1}},
      {L"W.TransportProtocolType", {K::ATEnum, false, L"ISO15765", 0}},
      {L"W.ReqCanId", {K::ATString, false, L"1793", -1}},
      {L"W.EcuAddress", {K::ATUnsigned, false, L"300", -1}},
      {L"W.Vendor", {K::ATString, false, L"kept", -1}},
  };
  for (const auto& entry : expected) {
    EXPECT_EQ(StateOf(*pDoc, entry.first), entry.second) << ::testing::PrintToString(entry.first);
  }
}

TEST_F(WriteBackTest, TextsAndStringsTakeTheFirstAliasForm) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"WB2");
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(StateOf(*m_pDoc, L"W2.AddrScheme"),
            (AttrState{ZAttrManager::ATText, true, L"MIXED", -1}));
  EXPECT_EQ(StateOf(*m_pDoc, L"W2.CanIdType"),
            (AttrState{ZAttrManager::ATString, true, L"11-BIT", -1}));
}

// Every interface of every fixture document: numbers keep value and override state, enumerations
// keep their tag (W.CanIdTypeFunc aside, see above), and reading again gives what was read.
TEST_F(WriteBackTest, RoundTripOfEveryFixtureDocument) {
  for (const char* fileName :
       {"alias-zoo.xml", "precedence.xml", "reading.xml", "rules.xml", "write-back.xml"}) {
    SCOPED_TRACE(fileName);
    auto pOriginal = LoadConversionDoc(fileName);
    auto pDoc = LoadConversionDoc(fileName);
    ZComParamManager manager(*pDoc);
    std::vector<NormalizedList> before;
    for (const std::wstring& interfaceQualifier : InterfacesOf(*pDoc)) {
      ZComParamConfiguration configuration = manager.TolvanToNormalized(interfaceQualifier.c_str());
      before.push_back(Summarize(configuration.GetComParamCollection()));
      manager.NormalizedToTolvan(configuration);
    }

    auto pReloaded = SaveAndLoad(*pDoc);
    ASSERT_EQ(pReloaded->AttributeCount(), pOriginal->AttributeCount());
    for (std::size_t i = 0; i < pOriginal->AttributeCount(); ++i) {
      const AttrState was = StateOf(*pOriginal, pOriginal->AttributeAt(i));
      const AttrState is = StateOf(*pReloaded, pReloaded->AttributeAt(i));
      const std::wstring qualifier = pOriginal->AttributeAt(i).GetQualifier();
      SCOPED_TRACE(::testing::PrintToString(qualifier));
      if (IsNumber(was.kind)) {
        EXPECT_EQ(is, was);
      } else if (was.kind == ZAttrManager::ATEnum && qualifier != L"W.CanIdTypeFunc") {
        EXPECT_EQ(is.enumTag, was.enumTag);
      }
    }

    ZComParamManager reader(*pReloaded);
    std::size_t index = 0;
    for (const std::wstring& interfaceQualifier : InterfacesOf(*pReloaded)) {
      ZComParamConfiguration again = reader.TolvanToNormalized(interfaceQualifier.c_str());
      EXPECT_EQ(Summarize(again.GetComParamCollection()), before[index++])
          << ::testing::PrintToString(interfaceQualifier);
    }
  }
}

// --- Writing edited values ----------------------------------------------------------------

TEST_F(WriteBackTest, EditedValuesSurviveSavingAndLoading) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"WB");
  const std::pair<const wchar_t*, const wchar_t*> edits[] = {
      {L"P2Client", L"51"},          {L"P2Server", L"26"},      {L"S3Client", L"6000"},
      {L"TimeoutAs", L"8"},          {L"Baudrate", L"250000"},  {L"StMin", L"20"},
      {L"AddrScheme", L"Extended"},  {L"CanIdType", L"11-Bit"}, {L"CanIdTypeFunc", L"J1939"},
      {L"AddrSchemeFunc", L"Mixed"}, {L"ReqCanId", L"1794"},    {L"EcuAddress", L"17"},
  };
  for (const auto& edit : edits)
    ASSERT_TRUE(Param(configuration, edit.first).SetValue(edit.second));
  LogCapture log;
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(log.Texts(), Lines{});

  auto pDoc = SaveAndLoad(*m_pDoc);
  ZComParamManager reader(*pDoc);
  ZComParamConfiguration reread = reader.TolvanToNormalized(L"WB");
  EXPECT_EQ(Summarize(reread.GetComParamCollection()),
            Summarize(configuration.GetComParamCollection()));
  // The enumerations without a matching tag got one, with the next free id.
  EXPECT_EQ(StateOf(*pDoc, L"W.CanIdTypeFunc"),
            (AttrState{ZAttrManager::ATEnum, true, L"J1939", 2}));
  EXPECT_EQ(StateOf(*pDoc, L"W.AddrSchemeFunc"),
            (AttrState{ZAttrManager::ATEnum, true, L"Mixed", 2}));
  EXPECT_EQ(StateOf(*pDoc, L"W.CanIdType"), (AttrState{ZAttrManager::ATEnum, true, L"11-bit", 0}));
  EXPECT_EQ(StateOf(*pDoc, L"W.AddrScheme"),
            (AttrState{ZAttrManager::ATText, true, L"EXTENDED", -1}));
}

TEST_F(WriteBackTest, EnumerationTagsAreMatchedCaseSensitively) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"WB");
  // Candidates: the upper-case form, "Normal", the upper-case form again, "normal". The
  // enumeration has a tag "Normal" but none in upper case.
  ASSERT_TRUE(Param(configuration, L"AddrSchemeFunc").SetValue(L"Normal"));
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(StateOf(*m_pDoc, L"W.AddrSchemeFunc"),
            (AttrState{ZAttrManager::ATEnum, true, L"Normal", 0}));
  EXPECT_EQ(static_cast<ZEnumDefaultAttr*>(m_pDoc->FindAttribute(L"W.AddrSchemeFunc"))
                ->EnumTagTable()
                .Count(),
            2u);
}

TEST_F(WriteBackTest, ValueWithoutAliasesIsAddedAsTagWhenMissing) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"WB2");
  ASSERT_FALSE(Param(configuration, L"BusType").HasValidValue());
  ASSERT_TRUE(Param(configuration, L"BusType").SetValue(L"CAN"));
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(StateOf(*m_pDoc, L"W2.BusType"), (AttrState{ZAttrManager::ATEnum, true, L"CAN", 1}));
}

TEST_F(WriteBackTest, SimulatedParametersAreNeitherWrittenNorReported) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"WB");
  for (const wchar_t* qualifier : {L"P2Client", L"EcuAddress"}) {
    Param(configuration, qualifier).SetIsSimulated(true);
  }
  Param(configuration, L"P2Client").SetValue(L"99");
  LogCapture log;
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(log.Texts(), Lines{});
  EXPECT_EQ(StateOf(*m_pDoc, L"W.P2Client"),
            (AttrState{ZAttrManager::ATUnsigned, false, L"50", -1}));
}

TEST_F(WriteBackTest, RefusedCandidatesAreReportedAndTheWalkGoesOn) {
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"FAIL");
  ASSERT_TRUE(Param(configuration, L"AddrScheme").SetValue(L"Mixed"));
  ASSERT_TRUE(Param(configuration, L"CanIdType").SetValue(L"J1939"));
  const std::string before = FormatEcuDoc(*m_pDoc);
  LogCapture log;
  m_manager.NormalizedToTolvan(configuration);
  const std::wstring badAttribute = L"ZTlvComParam::SetValue: Bad attribute\n";
  const std::wstring parseError = L"ZTlvComParam::SetValue: Parse error\n";
  EXPECT_EQ(log.Texts(),
            (Lines{badAttribute, badAttribute, badAttribute, badAttribute, badAttribute,
                   L"ComParamMan: Writing COM parameter 'AddrScheme' failed while normalizing "
                   L"to Tolvan COM parameters\n",
                   parseError, parseError, parseError,
                   L"ComParamMan: Writing COM parameter 'CanIdType' failed while normalizing to "
                   L"Tolvan COM parameters\n"}));
  EXPECT_EQ(log.Lines()[5].level, 3);
  EXPECT_EQ(BaseName(log.Lines()[5].file), "ComParamManager.cpp");
  EXPECT_EQ(FormatEcuDoc(*m_pDoc), before);
}

// --- Aborted walks ------------------------------------------------------------------------

TEST_F(WriteBackTest, ParameterMissingFromTheInterfaceEndsTheWalk) {
  ZComParamConfiguration configuration(L"ABORT");
  configuration.AddComParam(L"P2Client", L"P2Client", 77u, true, false);
  // A catalogue prototype's alias is its normalized qualifier, which the document lacks.
  configuration.AddComParam(L"TesterAddress", L"TesterAddress", 241u, true, false);
  configuration.AddComParam(L"S3Client", L"S3Client", 9u, true, false);
  LogCapture log;
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(log.Texts(),
            (Lines{L"ComParamMan: Can't find com param 'TesterAddress' in ComParamCollection :\n",
                   L"[n:P2,q:P2Client,c:TIMING]\n[n:S3,q:S3Client,c:TIMING]\n\n",
                   L"pTlvComParam.\n", L"ComParamMan: Internal error\n"}));
  ExpectFromManager(log, {3, 3, 0, 0});
  EXPECT_EQ(StateOf(*m_pDoc, L"A.P2Client"),
            (AttrState{ZAttrManager::ATUnsigned, true, L"77", -1}));
  EXPECT_EQ(StateOf(*m_pDoc, L"A.S3Client"),
            (AttrState{ZAttrManager::ATUnsigned, false, L"5000", -1}));
}

TEST_F(WriteBackTest, UnknownInterfaceEndsTheWalkAtTheFirstRealParameter) {
  ZComParamConfiguration configuration(L"NO_SUCH_INTERFACE");
  configuration.AddComParam(L"P2Client", L"P2Client", 77u, true, true);
  LogCapture log;
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(log.Texts(), Lines{});

  configuration.AddComParam(L"S3Client", L"S3Client", 9u, true, false);
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(log.Texts(),
            (Lines{L"ComParamMan: Can't find com param 'S3Client' in ComParamCollection :\n", L"\n",
                   L"pTlvComParam.\n", L"ComParamMan: Internal error\n"}));
}

TEST_F(WriteBackTest, EmptyConfigurationWritesAndLogsNothing) {
  const std::string before = FormatEcuDoc(*m_pDoc);
  ZComParamConfiguration configuration(L"WB");
  LogCapture log;
  m_manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(log.Texts(), Lines{});
  EXPECT_EQ(FormatEcuDoc(*m_pDoc), before);
}

// --- Nothing shared -----------------------------------------------------------------------

TEST_F(WriteBackTest, DocumentAndConfigurationsShareNothing) {
  ZComParamConfiguration earlier = m_manager.TolvanToNormalized(L"WB");
  ZComParamConfiguration edited = m_manager.TolvanToNormalized(L"WB");
  const NormalizedList original = Summarize(earlier.GetComParamCollection());

  // Editing a configuration leaves the document alone until it is written back.
  Param(edited, L"P2Client").SetValue(L"60");
  Param(edited, L"CanIdTypeFunc").SetValue(L"J1939");
  EXPECT_EQ(StateOf(*m_pDoc, L"W.P2Client").value, L"50");

  // Writing back changes neither the configuration written nor one handed out earlier.
  const NormalizedList editedBefore = Summarize(edited.GetComParamCollection());
  m_manager.NormalizedToTolvan(edited);
  EXPECT_EQ(Summarize(edited.GetComParamCollection()), editedBefore);
  EXPECT_EQ(Summarize(earlier.GetComParamCollection()), original);
  EXPECT_EQ(StateOf(*m_pDoc, L"W.P2Client").value, L"60");

  // Changing the document afterwards does not reach the configurations either.
  static_cast<ZUnsignedOverrideAttr&>(
      m_pDoc->FindAttribute(L"W.P2Client")->CreateOverride(m_pDoc->GetEcu()))
      .SetValue(70);
  EXPECT_STREQ(Param(edited, L"P2Client").GetValue(), L"60");
  EXPECT_STREQ(Param(earlier, L"P2Client").GetValue(), L"50");
  ZComParamConfiguration later = m_manager.TolvanToNormalized(L"WB");
  EXPECT_STREQ(Param(later, L"P2Client").GetValue(), L"70");
}
