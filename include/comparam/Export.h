// The one export macro of the library's public classes.
#pragma once

#if defined(_WIN32)
#  if defined(COMPARAM_LIB_EXPORT)
#    define COMPARAM_API __declspec(dllexport)
#  elif defined(COMPARAM_SHARED)
#    define COMPARAM_API __declspec(dllimport)
#  else
#    define COMPARAM_API
#  endif
#else
#  define COMPARAM_API __attribute__((visibility("default")))
#endif
