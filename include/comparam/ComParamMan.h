// Everything the application uses of namespace NComParamMan.
#pragma once

#include <comparam/ComParamException.h>
#include <comparam/ComParam.h>
#include <comparam/StringComParam.h>
#include <comparam/UnsignedComParam.h>
#include <comparam/ComParamCollection.h>
#include <comparam/ComParamLoadState.h>
#include <comparam/ComParamManager.h>
