// A small unit-test framework with which the host runs the library's self-tests.
#pragma once

#include <comparam/Export.h>

#include <list>
#include <map>
#include <sstream>
#include <string>

namespace NComParamTest {

// Thrown by a failing sub-test; its message goes into the report.
class COMPARAM_API ZTestError {
 public:
  explicit ZTestError(const wchar_t* message);

  std::wstring m_message;
};

class ZTestResult;

// A named group of numbered sub-tests. The destructor is not virtual: modules
// are owned and deleted through their own type.
class COMPARAM_API ZTestModule {
 public:
  ZTestModule();
  ZTestModule(const ZTestModule& other);
  ZTestModule& operator=(const ZTestModule& other);
  ~ZTestModule();

  virtual bool Setup();
  // Runs one sub-test; false means the id is unknown. The base has no tests.
  virtual bool DoTest(unsigned int subTestId);
  virtual bool TearDown();

  const wchar_t* GetName() const;
  // Runs every sub-test in ascending id; true when none failed.
  bool Run(ZTestResult& result);

 protected:
  // Aborts when the id is already registered.
  void AddSubTest(unsigned int subTestId, const wchar_t* name);

 private:
  std::map<unsigned int, std::wstring> m_testId2SubTestName;

 protected:
  std::wstring m_name;
};

// Counts the outcomes of the module under way and writes the report text.
class COMPARAM_API ZTestResult {
 public:
  ZTestResult();
  ZTestResult(const ZTestResult&) = delete;
  ZTestResult& operator=(const ZTestResult&) = delete;
  ~ZTestResult();

  void StartTest(ZTestModule& module);
  void EndTest(ZTestModule& module);
  void AddSuccess(ZTestModule& module, const wchar_t* subTestName);
  void AddFailure(ZTestModule& module, const wchar_t* subTestName, ZTestError& error);
  void AddError(ZTestModule& module, const wchar_t* subTestName, const wchar_t* text);

  // Valid until the next call or the result's destruction.
  const wchar_t* GetTestReportAsString() const;
  void PrintTestReportOn(std::wostringstream& out) const;

 private:
  std::wostringstream m_report;
  mutable std::wstring m_reportText;
  unsigned int m_failures;
  unsigned int m_errors;
  unsigned int m_successes;
};

// Runs its modules in the order added, all into one result.
class COMPARAM_API ZTestSuite {
 public:
  ZTestSuite();
  ZTestSuite(const ZTestSuite&) = delete;
  ZTestSuite& operator=(const ZTestSuite&) = delete;
  ~ZTestSuite();

  // The module is not owned and must outlive the suite's runs.
  void AddTest(ZTestModule& test);
  void Run();
  ZTestResult& GetTestResult();

 private:
  ZTestResult m_testResult;
  std::list<ZTestModule*> m_tests;
};

}  // namespace NComParamTest
