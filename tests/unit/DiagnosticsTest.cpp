// Unit tests for Util/Diagnostics.h: the log-line convention and internal checks.
#include <Util/Diagnostics.h>
#include <comparam/ComParamException.h>

#include <gtest/gtest.h>

#include "LogCapture.h"

using NComParamMan::ZComParamException;

TEST(Diagnostics, LogLineCarriesFileLineCategoryLevelAndEndOfLine) {
  LogCapture log;
  COMPARAM_LOG(Logging::LevelWarning, L"ComParamMan: value " << 42);
  ASSERT_EQ(log.Lines().size(), 1u);
  const LoggedLine& line = log.Lines()[0];
  EXPECT_EQ(line.text, L"ComParamMan: value 42\n");
  EXPECT_EQ(line.category, 256u);
  EXPECT_EQ(line.level, 3);
  EXPECT_EQ(BaseName(line.file), "DiagnosticsTest.cpp");
  EXPECT_GT(line.line, 0u);
}

TEST(Diagnostics, NothingIsLoggedWhileLoggingIsOff) {
  ASSERT_FALSE(Logging::LoggingIsInitialized());
  int composed = 0;
  COMPARAM_LOG(Logging::LevelError, (++composed, L"dropped"));
  EXPECT_EQ(composed, 0);
}

TEST(Diagnostics, FailedCheckLogsExpressionWithFullStopAndThrowsCodeZero) {
  ExpectInternalCheck([] { COMPARAM_CHECK(1 + 1 == 3, L"idx<Count()"); }, L"idx<Count()",
                      "DiagnosticsTest.cpp");
}

TEST(Diagnostics, FailedCheckThrowsAlsoWithoutLogging) {
  EXPECT_THROW(COMPARAM_CHECK(false, L"false"), ZComParamException);
}

TEST(DiagnosticsDeathTest, HardAssertionAbortsNamingExpressionAndUnit) {
  EXPECT_DEATH(COMPARAM_HARD_ASSERT(false, L"mpBuffers"), "mpBuffers.*DiagnosticsTest.cpp");
}

TEST(Diagnostics, NullTextReadsAsEmpty) {
  EXPECT_STREQ(NComParamMan::Diag::NonNull(nullptr), L"");
  EXPECT_STREQ(NComParamMan::Diag::NonNull(L"x"), L"x");
}
