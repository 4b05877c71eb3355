// Load-time, thread-attach and unload hooks of the shared library (never part of the object
// library: programs that link the objects directly attach the text buffers themselves).
//
// At unload the process-wide catalogue is released: a configuration's AddComParam builds it and
// only a normalization pass releases it again, so it could otherwise outlive the library.
#include "ComParamFactory.h"

#include <Util/TextConv.h>

#include <comparam/Export.h>

#include <string>

#if defined(_WIN32)
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH || reason == DLL_THREAD_ATTACH)
    NComParamMan::AttachTextConvBuffers();
  if (reason == DLL_PROCESS_DETACH) NComParamMan::ZComParamFactory::ReleaseInstance();
  return TRUE;
}

#else

__attribute__((constructor)) static void AttachTextConvBuffersOnLoad() {
  NComParamMan::AttachTextConvBuffers();
}

__attribute__((destructor)) static void ReleaseCatalogueOnUnload() {
  NComParamMan::ZComParamFactory::ReleaseInstance();
}

#endif

// Test probe: lets a program that links only the shared library see that the hook above ran
// before its first call, by converting a text. Deliberately outside the public headers.
extern "C" COMPARAM_API bool ComParamTextConvAttached() {
  return NComParamMan::mpBuffers != nullptr &&
         NComParamMan::ToNarrowString(L"1.5\u00e9") == std::string("1.5\xe9");
}
