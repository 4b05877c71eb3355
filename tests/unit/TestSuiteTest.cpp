// Unit tests for comparam/TestSuite.cpp
#include <comparam/ComParamTest.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "LogCapture.h"

using NComParamTest::ZTestError;
using NComParamTest::ZTestModule;
using NComParamTest::ZTestResult;
using NComParamTest::ZTestSuite;

namespace {

const std::wstring kRule(61, L'-');

std::wstring Closing(const wchar_t* module, int failures, int errors, int successes) {
  return std::wstring(L"'") + module + L"' finished\n" + kRule + L"\n# failures   : " +
         std::to_wstring(failures) + L"\n# errors     : " + std::to_wstring(errors) +
         L"\n# successes  : " + std::to_wstring(successes) + L"\n";
}

// Records the calls the framework makes; sub-test 1 passes, 2 throws, 3 is unknown.
class ScriptedModule : public ZTestModule {
 public:
  explicit ScriptedModule(const wchar_t* name) { m_name = name; }
  using ZTestModule::AddSubTest;

  bool Setup() override {
    m_trace += L"S";
    return false;
  }
  bool DoTest(unsigned int subTestId) override {
    m_trace += std::to_wstring(subTestId);
    if (subTestId == 2) throw ZTestError(L"(1)value differs");
    if (subTestId == 9) throw std::runtime_error("foreign");
    return subTestId == 1;
  }
  bool TearDown() override {
    m_trace += L"T";
    return false;
  }

  std::wstring m_trace;
};

// Registers sub-tests but keeps the base DoTest.
class UnimplementedModule : public ZTestModule {
 public:
  UnimplementedModule() {
    m_name = L"Todo";
    AddSubTest(4, L"Later");
  }
};

}  // namespace

// ---- ZTestModule ----

TEST(TestModule, DefaultNameAndBaseOperations) {
  ZTestModule module;
  EXPECT_STREQ(module.GetName(), L"Unspecified Test");
  EXPECT_TRUE(module.Setup());
  EXPECT_TRUE(module.TearDown());
  try {
    module.DoTest(0);
    FAIL() << "no exception";
  } catch (const ZTestError& e) {
    EXPECT_EQ(e.m_message, L"Not implemented yet");
  }
}

TEST(TestModule, EmptyModuleWritesOnlyItsFrameAndZeroCounts) {
  ScriptedModule module(L"Empty");
  ZTestResult result;
  EXPECT_TRUE(module.Run(result));
  EXPECT_EQ(module.m_trace, L"ST");
  EXPECT_STREQ(result.GetTestReportAsString(),
               (L"\n'Empty' started\n" + Closing(L"Empty", 0, 0, 0)).c_str());
}

TEST(TestModule, SubTestsRunInAscendingIdAndPassesAreCounted) {
  ScriptedModule module(L"Good");
  module.AddSubTest(1, L"First");
  module.AddSubTest(0, L"Zero");
  ZTestResult result;
  // Sub-test 0 is not handled, so only 1 passes.
  EXPECT_FALSE(module.Run(result));
  EXPECT_EQ(module.m_trace, L"S01T");

  ScriptedModule good(L"Good");
  good.AddSubTest(1, L"First");
  ZTestResult goodResult;
  EXPECT_TRUE(good.Run(goodResult));
  EXPECT_STREQ(goodResult.GetTestReportAsString(),
               (L"\n'Good' started\n" + Closing(L"Good", 0, 0, 1)).c_str());
}

TEST(TestModule, FailuresAreReportedAndTheModuleGoesOn) {
  ScriptedModule module(L"Bad");
  module.AddSubTest(3, L"Unknown");
  module.AddSubTest(2, L"Throws");
  module.AddSubTest(1, L"Passes");
  ZTestResult result;
  EXPECT_FALSE(module.Run(result));
  EXPECT_EQ(module.m_trace, L"S123T");
  EXPECT_STREQ(result.GetTestReportAsString(),
               (L"\n'Bad' started\n"
                L"'Bad::Throws' failure '(1)value differs'\n"
                L"'Bad::Unknown' failure ''Bad::Unknown' does not exist.'\n" +
                Closing(L"Bad", 2, 0, 1))
                   .c_str());
}

TEST(TestModule, BaseDoTestFailsEverySubTest) {
  UnimplementedModule module;
  ZTestResult result;
  EXPECT_FALSE(module.Run(result));
  EXPECT_STREQ(result.GetTestReportAsString(),
               (L"\n'Todo' started\n'Todo::Later' failure 'Not implemented yet'\n" +
                Closing(L"Todo", 1, 0, 0))
                   .c_str());
}

TEST(TestModule, ForeignExceptionLeavesRunWithoutTearDownOrClosingLines) {
  ScriptedModule module(L"Thrower");
  module.AddSubTest(1, L"Passes");
  module.AddSubTest(9, L"Explodes");
  module.AddSubTest(10, L"NeverRuns");
  ZTestResult result;
  EXPECT_THROW(module.Run(result), std::runtime_error);
  EXPECT_EQ(module.m_trace, L"S19");
  EXPECT_STREQ(result.GetTestReportAsString(), L"\n'Thrower' started\n");
}

TEST(TestModule, CopiesCarryNameAndSubTests) {
  ScriptedModule module(L"Original");
  module.AddSubTest(1, L"Passes");
  ScriptedModule copy(module);
  ZTestResult result;
  EXPECT_TRUE(copy.Run(result));
  EXPECT_STREQ(copy.GetName(), L"Original");
  EXPECT_STREQ(result.GetTestReportAsString(),
               (L"\n'Original' started\n" + Closing(L"Original", 0, 0, 1)).c_str());
}

TEST(TestModuleDeathTest, RegisteringAnIdTwiceAborts) {
  ScriptedModule module(L"Twice");
  module.AddSubTest(5, L"A");
  EXPECT_DEATH(module.AddSubTest(5, L"B"),
               "m_testId2SubTestName.find\\(subTestId\\)==m_testId2SubTestName.end\\(\\)"
               ".*TestSuite.cpp");
}

// ---- ZTestResult ----

TEST(TestResult, NewReportIsOneLineEnd) {
  ZTestResult result;
  EXPECT_STREQ(result.GetTestReportAsString(), L"\n");
  std::wostringstream out;
  out << L">";
  result.PrintTestReportOn(out);
  EXPECT_EQ(out.str(), L">\n");
}

TEST(TestResult, ErrorsHaveTheirOwnLineAndCountsRestartPerModule) {
  ScriptedModule module(L"M");
  ZTestResult result;
  result.StartTest(module);
  result.AddError(module, L"Sub", L"broken");
  result.AddSuccess(module, L"Sub");
  result.EndTest(module);
  result.StartTest(module);
  result.EndTest(module);
  EXPECT_STREQ(result.GetTestReportAsString(),
               (L"\n'M' started\n'M::Sub' error   'broken'\n" + Closing(L"M", 0, 1, 1) +
                L"'M' started\n" + Closing(L"M", 0, 0, 0))
                   .c_str());
}

// ---- ZTestSuite ----

TEST(TestSuite, AddTestLogsProgressLine) {
  LogCapture log;
  ScriptedModule module(L"ZComParam Test");
  ZTestSuite suite;
  suite.AddTest(module);
  ASSERT_EQ(log.Lines().size(), 1u);
  const LoggedLine& line = log.Lines()[0];
  EXPECT_EQ(line.text, L"Adding test ZComParam Test\n");
  EXPECT_EQ(line.level, Logging::LevelProgress);
  EXPECT_EQ(line.category, 256u);
  EXPECT_EQ(line.file.substr(line.file.find_last_of("/\\") + 1), "TestSuite.cpp");
}

TEST(TestSuite, RunsModulesInOrderIntoOneResult) {
  ScriptedModule first(L"First");
  first.AddSubTest(2, L"Throws");
  ScriptedModule second(L"Second");
  second.AddSubTest(1, L"Passes");
  ZTestSuite suite;
  suite.AddTest(first);
  suite.AddTest(second);
  suite.Run();
  EXPECT_STREQ(suite.GetTestResult().GetTestReportAsString(),
               (L"\n'First' started\n'First::Throws' failure '(1)value differs'\n" +
                Closing(L"First", 1, 0, 0) + L"'Second' started\n" + Closing(L"Second", 0, 0, 1))
                   .c_str());
}

TEST(TestError, CarriesItsMessageAndReadsNullAsEmpty) {
  EXPECT_EQ(ZTestError(L"msg").m_message, L"msg");
  EXPECT_EQ(ZTestError(nullptr).m_message, L"");
}
