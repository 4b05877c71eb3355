// Unit tests for comparam/ComParamManager.cpp: what the three public operations make of bad
// input, from a caller or from a document written by another tool (docs/bad-input.md).
#include <comparam/ComParamManager.h>

#include "ComParamFactory.h"

#include <Util/TextConv.h>
#include <pelka/EcuDocFile.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ConversionFixture.h"
#include "LogCapture.h"

using NComParamMan::ZComParamConfiguration;
using NComParamMan::ZComParamFactory;
using NComParamMan::ZComParamManager;

namespace {

// Numbers no parameter can hold, texts where numbers belong, and an enumeration whose tag ids
// are not dense from 0.
const char kHostileDoc[] =
    "<ecudoc><attributes>\n"
    "<attribute kind='string' qualifier='CAN_1' category='COM.INTERFACES'/>\n"
    "<attribute kind='string' qualifier='CP.P2Client' value='99999999999'>\n"
    "  <member interface='CAN_1'/></attribute>\n"
    "<attribute kind='string' qualifier='CP.P2Server' value='12abc'>\n"
    "  <member interface='CAN_1'/></attribute>\n"
    "<attribute kind='text' qualifier='CP.S3Client' value='-1'>\n"
    "  <member interface='CAN_1'/></attribute>\n"
    "<attribute kind='unsigned' qualifier='CP.EcuAddress' value='256'>\n"
    "  <member interface='CAN_1'/></attribute>\n"
    "<attribute kind='enum' qualifier='CP.AddrScheme' value='40000'>\n"
    "  <tag id='7' text='Mixed'/><tag id='40000' text='Sideways'/>\n"
    "  <member interface='CAN_1'/></attribute>\n"
    "</attributes></ecudoc>\n";

class ComParamManagerBadInputTest : public ::testing::Test {
 protected:
  void SetUp() override { NComParamMan::AttachTextConvBuffers(); }
  void TearDown() override { ZComParamFactory::ReleaseInstance(); }

  std::unique_ptr<Pelka::ZEcuDoc> m_pDoc = LoadConversionDoc("reading.xml");
  ZComParamManager m_manager{*m_pDoc};
};

}  // namespace

TEST_F(ComParamManagerBadInputTest, UnknownInterfaceGivesAnEmptyConfigurationSilently) {
  LogCapture log;
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(L"NoSuchInterface");
  EXPECT_STREQ(configuration.GetInterfaceQualifier(), L"NoSuchInterface");
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 0u);
  EXPECT_TRUE(log.Texts().empty());
}

TEST_F(ComParamManagerBadInputTest, NullInterfaceQualifierReadsAsEmptyText) {
  LogCapture log;
  ZComParamConfiguration configuration = m_manager.TolvanToNormalized(nullptr);
  EXPECT_STREQ(configuration.GetInterfaceQualifier(), L"");
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 0u);
  EXPECT_TRUE(log.Texts().empty());
}

TEST(ComParamManagerHostileDocument, RefusedValuesAreMarkedAndNeverWrittenBack) {
  NComParamMan::AttachTextConvBuffers();
  const std::unique_ptr<Pelka::ZEcuDoc> pDoc =
      Pelka::ParseEcuDoc(kHostileDoc, sizeof kHostileDoc - 1, "hostile.xml");
  const std::string before = Pelka::FormatEcuDoc(*pDoc);
  ZComParamManager manager(*pDoc);

  ZComParamConfiguration configuration = manager.TolvanToNormalized(L"CAN_1");
  EXPECT_EQ(Summarize(configuration.GetComParamCollection()),
            (NormalizedList{{L"P2Client", L"P2Client", L"0", false},
                            {L"P2Server", L"P2Server", L"12abc", true},
                            {L"S3Client", L"S3Client", L"-1", true},
                            {L"EcuAddress", L"EcuAddress", L"0", false},
                            {L"AddrScheme", L"AddrScheme", L"", false}}));
  EXPECT_FALSE(manager.CheckValidity(configuration).IsOk());
  manager.NormalizedToTolvan(configuration);
  EXPECT_EQ(Pelka::FormatEcuDoc(*pDoc), before) << "nothing refused may reach the document";
  ZComParamFactory::ReleaseInstance();
}
