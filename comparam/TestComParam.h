// The self-test module of the parameter classes; it needs no document.
#pragma once

#include <comparam/TestSuite.h>

namespace NComParamTest {

// Sub-tests 0 to 10; each builds its own parameters and throws ZTestError at its first failed
// check. Final because the base destructor is not virtual.
class ZTestComParam final : public ZTestModule {
 public:
  ZTestComParam();

  // False for an id that names no sub-test.
  bool DoTest(unsigned int subTestId) override;
};

}  // namespace NComParamTest
