// The self-test module of the manager: it converts, rewrites and checks every interface of a
// document.
#pragma once

#include <comparam/TestSuite.h>

#include <memory>

namespace Pelka {
class ZEcuDoc;
}

namespace NComParamMan {
class ZComParamManager;
}

namespace NComParamTest {

// Sub-tests 0 to 2 report their findings in the log only: each succeeds whatever it finds.
// Final because the base destructor is not virtual.
class ZTestComParamManager final : public ZTestModule {
 public:
  // The document must outlive the module.
  explicit ZTestComParamManager(Pelka::ZEcuDoc& ecuDoc);
  ~ZTestComParamManager();
  ZTestComParamManager(const ZTestComParamManager&) = delete;
  ZTestComParamManager& operator=(const ZTestComParamManager&) = delete;

  // Creates the manager the sub-tests drive.
  bool Setup() override;
  // False for an id that names no sub-test.
  bool DoTest(unsigned int subTestId) override;
  // Deletes the manager.
  bool TearDown() override;

 private:
  Pelka::ZEcuDoc* m_pEcuDoc;
  // Also released by the destructor, for a run that a foreign exception ended before TearDown.
  std::unique_ptr<NComParamMan::ZComParamManager> m_pComParamManager;
};

}  // namespace NComParamTest
