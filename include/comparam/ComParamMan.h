// Everything the application uses of namespace NComParamMan.
#pragma once

#include <comparam/ComParam.h>
#include <comparam/ComParamCollection.h>
#include <comparam/ComParamException.h>
#include <comparam/ComParamLoadState.h>
#include <comparam/ComParamManager.h>
#include <comparam/DocumentParams.h>
#include <comparam/StringComParam.h>
#include <comparam/UnsignedComParam.h>
#include <comparam/ValueRules.h>
