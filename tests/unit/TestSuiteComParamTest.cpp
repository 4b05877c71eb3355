// Unit tests for comparam/TestSuiteComParam.cpp
#include <comparam/ComParamTest.h>

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "SelfTestFixture.h"

using NComParamTest::ZTestSuiteComParam;

namespace {

// Every sub-test of both modules succeeds, whatever the manager module found.
const std::wstring kPassingReport = L"\n" + kParamModulePassed + kManagerModulePassed;

std::wstring ReportOf(Pelka::ZEcuDoc& doc) {
  ZTestSuiteComParam suite(doc);
  suite.Run();
  return suite.GetTestResult().GetTestReportAsString();
}

}  // namespace

TEST(TestSuiteComParam, AddsTheParameterModuleThenTheManagerModule) {
  Pelka::ZEcuDoc doc;
  LogCapture log;
  ZTestSuiteComParam suite(doc);
  const std::vector<std::wstring> expected = {L"Adding test ZComParam Test\n",
                                              L"Adding test ZComParamManager Test\n"};
  EXPECT_EQ(log.Texts(), expected);
  for (const LoggedLine& line : log.Lines()) EXPECT_EQ(line.level, 2);
  EXPECT_STREQ(suite.GetTestResult().GetTestReportAsString(), L"\n");
}

TEST(TestSuiteComParam, ReportsEverySuccessOnAnEmptyDocument) {
  Pelka::ZEcuDoc doc;
  EXPECT_EQ(ReportOf(doc), kPassingReport);
}

TEST(TestSuiteComParam, ReportsEverySuccessOnTheFixtureDocuments) {
  for (const char* fixture : {"two-interfaces.xml", "addressing-rules.xml"}) {
    auto doc = LoadFixture(fixture);
    EXPECT_EQ(ReportOf(*doc), kPassingReport) << fixture;
  }
}

TEST(TestSuiteComParam, ReportsEverySuccessOnTheSampleDocuments) {
  for (const char* sample : kSampleDocuments) {
    auto doc = LoadSample(sample);
    EXPECT_EQ(ReportOf(*doc), kPassingReport) << sample;
  }
}
