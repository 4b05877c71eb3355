// Everything the host uses of namespace NComParamTest.
#pragma once

#include <comparam/TestSuite.h>
#include <comparam/TestSuiteComParam.h>
