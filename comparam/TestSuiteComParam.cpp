#include <comparam/TestSuiteComParam.h>

#include "TestComParam.h"
#include "TestComParamManager.h"

#include <memory>

namespace NComParamTest {

ZTestSuiteComParam::ZTestSuiteComParam(Pelka::ZEcuDoc& ecuDoc)
    : m_pTestComParam(nullptr), m_pTestComParamManager(nullptr) {
  // Both modules exist before the members take them, so a failed allocation leaks neither.
  auto pTestComParam = std::make_unique<ZTestComParam>();
  auto pTestComParamManager = std::make_unique<ZTestComParamManager>(ecuDoc);
  m_pTestComParam = pTestComParam.release();
  m_pTestComParamManager = pTestComParamManager.release();
  AddTest(*m_pTestComParam);
  AddTest(*m_pTestComParamManager);
}

ZTestSuiteComParam::~ZTestSuiteComParam() {
  delete m_pTestComParam;
  delete m_pTestComParamManager;
}

}  // namespace NComParamTest
