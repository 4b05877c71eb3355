#include <comparam/TestSuite.h>

#include <Util/Diagnostics.h>

namespace NComParamTest {

namespace Diag = NComParamMan::Diag;

// ---- ZTestError ----

ZTestError::ZTestError(const wchar_t* message) : m_message(Diag::NonNull(message)) {}

// ---- ZTestModule ----

ZTestModule::ZTestModule() : m_name(L"Unspecified Test") {}
ZTestModule::ZTestModule(const ZTestModule& other) = default;
ZTestModule& ZTestModule::operator=(const ZTestModule& other) = default;
ZTestModule::~ZTestModule() = default;

bool ZTestModule::Setup() { return true; }

bool ZTestModule::DoTest(unsigned int /*subTestId*/) { throw ZTestError(L"Not implemented yet"); }

bool ZTestModule::TearDown() { return true; }

const wchar_t* ZTestModule::GetName() const { return m_name.c_str(); }

void ZTestModule::AddSubTest(unsigned int subTestId, const wchar_t* name) {
  COMPARAM_HARD_ASSERT(m_testId2SubTestName.find(subTestId) == m_testId2SubTestName.end(),
                       L"m_testId2SubTestName.find(subTestId)==m_testId2SubTestName.end()");
  m_testId2SubTestName[subTestId] = Diag::NonNull(name);
}

// Only ZTestError is a test outcome; any other exception is the host's problem
// and leaves Run without tear-down or closing report lines.
bool ZTestModule::Run(ZTestResult& result) {
  bool passed = true;
  Setup();
  result.StartTest(*this);
  for (const auto& entry : m_testId2SubTestName) {
    const wchar_t* subTestName = entry.second.c_str();
    try {
      if (!DoTest(entry.first)) {
        throw ZTestError((L"'" + m_name + L"::" + entry.second + L"' does not exist.").c_str());
      }
      result.AddSuccess(*this, subTestName);
    } catch (ZTestError& error) {
      result.AddFailure(*this, subTestName, error);
      passed = false;
    }
  }
  TearDown();
  result.EndTest(*this);
  return passed;
}

// ---- ZTestResult ----

ZTestResult::ZTestResult() : m_failures(0), m_errors(0), m_successes(0) { m_report << L'\n'; }

ZTestResult::~ZTestResult() = default;

void ZTestResult::StartTest(ZTestModule& module) {
  m_failures = 0;
  m_errors = 0;
  m_successes = 0;
  m_report << L"'" << module.GetName() << L"' started\n";
}

void ZTestResult::EndTest(ZTestModule& module) {
  m_report << L"'" << module.GetName() << L"' finished\n"
           << std::wstring(61, L'-') << L'\n' << L"# failures   : " << m_failures << L'\n'
           << L"# errors     : " << m_errors << L'\n' << L"# successes  : " << m_successes << L'\n';
}

void ZTestResult::AddSuccess(ZTestModule& /*module*/, const wchar_t* /*subTestName*/) {
  ++m_successes;
}

void ZTestResult::AddFailure(ZTestModule& module, const wchar_t* subTestName, ZTestError& error) {
  ++m_failures;
  m_report << L"'" << module.GetName() << L"::" << Diag::NonNull(subTestName) << L"' failure '"
           << error.m_message << L"'\n";
}

void ZTestResult::AddError(ZTestModule& module, const wchar_t* subTestName, const wchar_t* text) {
  ++m_errors;
  m_report << L"'" << module.GetName() << L"::" << Diag::NonNull(subTestName) << L"' error   '"
           << Diag::NonNull(text) << L"'\n";
}

const wchar_t* ZTestResult::GetTestReportAsString() const {
  m_reportText = m_report.str();
  return m_reportText.c_str();
}

void ZTestResult::PrintTestReportOn(std::wostringstream& out) const { out << m_report.str(); }

// ---- ZTestSuite ----

ZTestSuite::ZTestSuite() = default;
ZTestSuite::~ZTestSuite() = default;

void ZTestSuite::AddTest(ZTestModule& test) {
  COMPARAM_LOG(Logging::LevelProgress, L"Adding test " << test.GetName());
  m_tests.push_back(&test);
}

void ZTestSuite::Run() {
  for (ZTestModule* test : m_tests) test->Run(m_testResult);
}

ZTestResult& ZTestSuite::GetTestResult() { return m_testResult; }

}  // namespace NComParamTest
