// Unit tests for comparam/TestComParam.cpp
#include "TestComParam.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LogCapture.h"
#include "SelfTestFixture.h"

using NComParamTest::ZTestComParam;
using NComParamTest::ZTestResult;

TEST(TestComParam, AllElevenSubTestsSucceedOnTheParameterClasses) {
  ZTestComParam module;
  ZTestResult result;
  EXPECT_STREQ(module.GetName(), L"ZComParam Test");
  EXPECT_TRUE(module.Run(result));
  EXPECT_EQ(result.GetTestReportAsString(), L"\n" + kParamModulePassed);
}

TEST(TestComParam, EachSubTestRunsAloneAndUnknownIdsAreRefused) {
  ZTestComParam module;
  for (unsigned int id = 0; id <= 10; ++id) EXPECT_TRUE(module.DoTest(id)) << id;
  EXPECT_FALSE(module.DoTest(11));
  EXPECT_FALSE(module.DoTest(0xFFFFFFFFu));
}

// The string sub-tests offer refused texts on purpose; the parameter class logs each refusal.
TEST(TestComParam, LogsOnlyTheDeliberateRefusalOfTheTextParameter) {
  LogCapture log;
  ZTestComParam module;
  ZTestResult result;
  module.Run(result);
  const std::vector<std::wstring> expected = {
      L"Setting COM parameter 'testParamQual2' to value 'notAcceptable' failed. Invalid value!\n"};
  EXPECT_EQ(log.Texts(), expected);
}
