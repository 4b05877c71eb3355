// Unit tests for comparam/TestComParamManager.cpp
#include "TestComParamManager.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "LogCapture.h"
#include "SelfTestFixture.h"

using NComParamTest::ZTestComParamManager;
using NComParamTest::ZTestResult;

namespace {

enum { kConvert = 0, kModify = 1, kCheck = 2 };

std::unique_ptr<Pelka::ZEcuDoc> ParseDoc(const std::string& attributes) {
  const std::string text = "<ecudoc><attributes>" + attributes + "</attributes></ecudoc>";
  return Pelka::ParseEcuDoc(text.data(), text.size(), "inline");
}

void RunSubTest(Pelka::ZEcuDoc& doc, unsigned int subTestId) {
  ZTestComParamManager module(doc);
  module.Setup();
  EXPECT_TRUE(module.DoTest(subTestId));
  module.TearDown();
}

using LevelAndText = std::pair<int, std::wstring>;

// The lines the module itself wrote, leaving out those of the manager it drives.
std::vector<LevelAndText> ModuleLines(const LogCapture& log) {
  static const std::string unit = "TestComParamManager.cpp";
  std::vector<LevelAndText> lines;
  for (const LoggedLine& line : log.Lines()) {
    if (line.file.size() < unit.size() ||
        line.file.compare(line.file.size() - unit.size(), unit.size(), unit) != 0) {
      continue;
    }
    EXPECT_EQ(line.category, 256u);
    lines.emplace_back(line.level, line.text);
  }
  return lines;
}

LevelAndText Found(const wchar_t* interfaceQualifier) {
  return {2, std::wstring(L"Interface") + interfaceQualifier + L" found\n"};
}

LevelAndText NotSet(const wchar_t* alias, const wchar_t* value) {
  return {0,
          std::wstring(L"ComParam '") + alias + L"' was not correctly set to '" + value + L"'\n"};
}

// Qualifier to value text of every unsigned, signed and float attribute as the ECU sees it.
std::map<std::wstring, std::wstring> NumberValues(Pelka::ZEcuDoc& doc) {
  std::map<std::wstring, std::wstring> values;
  Pelka::ZVirtualAttrView& attributes = doc.GetEcu().VirtualAttributes();
  for (auto it = attributes.Begin(); it != attributes.End(); ++it) {
    const Pelka::ZDefaultAttr& definition = it->GetDefaultAttribute();
    if (dynamic_cast<const Pelka::ZUnsignedDefaultAttr*>(&definition) ||
        dynamic_cast<const Pelka::ZSignedDefaultAttr*>(&definition) ||
        dynamic_cast<const Pelka::ZFloatDefaultAttr*>(&definition)) {
      values[it->GetQualifier()] = it->GetValueText();
    }
  }
  return values;
}

}  // namespace

// ---- the module frame ----

TEST(TestComParamManager, RunsWithoutInterfacesSilently) {
  Pelka::ZEcuDoc doc;
  LogCapture log;
  ZTestComParamManager module(doc);
  ZTestResult result;
  EXPECT_STREQ(module.GetName(), L"ZComParamManager Test");
  EXPECT_TRUE(module.Run(result));
  EXPECT_EQ(result.GetTestReportAsString(), L"\n" + kManagerModulePassed);
  EXPECT_TRUE(log.Lines().empty());
}

TEST(TestComParamManager, RefusesUnknownIdsAndSubTestsOutsideARun) {
  Pelka::ZEcuDoc doc;
  // Built inside the check, which thus also sees that building the module logs nothing.
  std::optional<ZTestComParamManager> module;
  ExpectInternalCheck(
      [&] {
        module.emplace(doc);
        module->DoTest(kConvert);
      },
      L"m_pComParamManager", "TestComParamManager.cpp");
  ASSERT_TRUE(module.has_value());
  module->Setup();
  EXPECT_FALSE(module->DoTest(3));
  EXPECT_TRUE(module->DoTest(kConvert));
  module->TearDown();
}

// ---- interfaces ----

// CAN_2 is inherited from the document; LIN_1's category differs in letter case only.
TEST(TestComParamManager, ConversionNamesEveryInterfaceOfTheEcuAndLeavesTheDocument) {
  auto doc = LoadFixture("two-interfaces.xml");
  const std::string before = Pelka::FormatEcuDoc(*doc);
  LogCapture log;
  RunSubTest(*doc, kConvert);
  const std::vector<LevelAndText> expected = {Found(L"CAN_1"), Found(L"CAN_2")};
  EXPECT_EQ(ModuleLines(log), expected);
  EXPECT_EQ(Pelka::FormatEcuDoc(*doc), before);
}

TEST(TestComParamManager, OneInterfaceIsAnnouncedOncePerSubTest) {
  auto doc = ParseDoc(
      "<attribute kind='string' qualifier='CAN' category='COM.INTERFACES'/>"
      "<attribute kind='unsigned' qualifier='CP.P2Client' value='50'>"
      "<member interface='CAN'/></attribute>");
  LogCapture log;
  ZTestComParamManager module(*doc);
  ZTestResult result;
  module.Run(result);
  const std::vector<LevelAndText> expected(3, Found(L"CAN"));
  EXPECT_EQ(ModuleLines(log), expected);
}

// ---- sub-test 1 ----

TEST(TestComParamManager, ModifyingRestoresEveryNumberOfTheDocument) {
  auto doc = LoadFixture("two-interfaces.xml");
  const std::map<std::wstring, std::wstring> before = NumberValues(*doc);
  RunSubTest(*doc, kModify);
  const std::map<std::wstring, std::wstring> after = NumberValues(*doc);
  EXPECT_EQ(after, before);
  // Refused by the normalized parameter, so never modified: nothing could restore them.
  EXPECT_EQ(after.at(L"CP1.EcuAddress"), L"300");
  EXPECT_EQ(after.at(L"CP2.EcuAddr"), L"300");
}

TEST(TestComParamManager, ModifyingRestoresEveryNumberOfTheSampleDocuments) {
  for (const char* sample : kSampleDocuments) {
    auto doc = LoadSample(sample);
    const std::map<std::wstring, std::wstring> before = NumberValues(*doc);
    RunSubTest(*doc, kModify);
    EXPECT_EQ(NumberValues(*doc), before) << sample;
  }
}

// Numbers read back as "0" and "AddrScheme" as "Extended"; the enumerated identifier types and
// the bus type refuse "0", so the unchanged document values are reported by their aliases.
TEST(TestComParamManager, ModifyingReportsValuesThatWereNotWritten) {
  auto doc = LoadFixture("two-interfaces.xml");
  LogCapture log;
  RunSubTest(*doc, kModify);
  const std::vector<LevelAndText> expected = {Found(L"CAN_1"), NotSet(L"CanIdType", L"0"),
                                              NotSet(L"BusType", L"0"), Found(L"CAN_2"),
                                              NotSet(L"CanId", L"0")};
  EXPECT_EQ(ModuleLines(log), expected);
}

// ---- sub-test 2 ----

TEST(TestComParamManager, CombinationsPassForCompleteInterfaces) {
  auto doc = LoadFixture("two-interfaces.xml");
  LogCapture log;
  RunSubTest(*doc, kCheck);
  const std::vector<LevelAndText> expected = {Found(L"CAN_1"), Found(L"CAN_2")};
  EXPECT_EQ(ModuleLines(log), expected);
}

// The values are set on the configuration, so enumeration tags of the document do not matter.
TEST(TestComParamManager, CombinationsIgnoreTheTagsOfTheDocument) {
  auto doc = ParseDoc(
      "<attribute kind='string' qualifier='CAN' category='COM.INTERFACES'/>"
      "<attribute kind='enum' qualifier='CP.AddrScheme' value='0'>"
      "<tag id='0' text='Normal'/><member interface='CAN'/></attribute>"
      "<attribute kind='enum' qualifier='CP.CanIdType' value='0'>"
      "<tag id='0' text='11-Bit'/><member interface='CAN'/></attribute>");
  const std::string before = Pelka::FormatEcuDoc(*doc);
  LogCapture log;
  RunSubTest(*doc, kCheck);
  const std::vector<LevelAndText> expected = {Found(L"CAN")};
  EXPECT_EQ(ModuleLines(log), expected);
  EXPECT_EQ(Pelka::FormatEcuDoc(*doc), before);
}

// IF_A and IF_B are skipped without a message (checked, each would fail case 1: a required
// parameter is missing); IF_C's lone functional identifier type fails case 1 and ends the
// sub-test before IF_D.
TEST(TestComParamManager, CombinationsSkipIncompleteInterfacesAndStopAtTheFirstFailure) {
  auto doc = LoadFixture("addressing-rules.xml");
  LogCapture log;
  RunSubTest(*doc, kCheck);
  const std::vector<LevelAndText> expected = {
      Found(L"IF_A"), Found(L"IF_B"), Found(L"IF_C"), {0, L"(1) failed\n"}};
  EXPECT_EQ(ModuleLines(log), expected);
}
