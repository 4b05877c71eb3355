// The library's own self-test suite, run by the host against an open document.
#pragma once

#include <comparam/Export.h>
#include <comparam/TestSuite.h>

namespace Pelka {
class ZEcuDoc;
}

namespace NComParamTest {

class ZTestComParam;
class ZTestComParamManager;

// Runs the parameter module, then the manager module, into the suite's one result.
class COMPARAM_API ZTestSuiteComParam : public ZTestSuite {
 public:
  // The document must outlive the suite; running the suite changes it and restores its values.
  explicit ZTestSuiteComParam(Pelka::ZEcuDoc& ecuDoc);
  ~ZTestSuiteComParam();

 private:
  ZTestComParam* m_pTestComParam;
  ZTestComParamManager* m_pTestComParamManager;
};

}  // namespace NComParamTest
