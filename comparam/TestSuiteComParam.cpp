#include <comparam/TestSuiteComParam.h>

#include "TestComParam.h"
#include "TestComParamManager.h"

#include <memory>

namespace NComParamTest {

ZTestSuiteComParam::ZTestSuiteComParam(Pelka::ZEcuDoc& ecuDoc)
    : m_pTestComParam(nullptr), m_pTestComParamManager(nullptr) {
  // The members take the modules only once nothing can throw any more, so neither leaks.
  auto pTestComParam = std::make_unique<ZTestComParam>();
  auto pTestComParamManager = std::make_unique<ZTestComParamManager>(ecuDoc);
  AddTest(*pTestComParam);
  AddTest(*pTestComParamManager);
  m_pTestComParam = pTestComParam.release();
  m_pTestComParamManager = pTestComParamManager.release();
}

ZTestSuiteComParam::~ZTestSuiteComParam() {
  delete m_pTestComParam;
  delete m_pTestComParamManager;
}

}  // namespace NComParamTest
