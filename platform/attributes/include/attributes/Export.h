// Export macro of the attribute utility stand-in.
#pragma once

#if defined(_WIN32)
#  if defined(ATTRIBUTES_LIB_EXPORT)
#    define ATTRIBUTES_API __declspec(dllexport)
#  elif defined(ATTRIBUTES_SHARED)
#    define ATTRIBUTES_API __declspec(dllimport)
#  else
#    define ATTRIBUTES_API
#  endif
#else
#  define ATTRIBUTES_API __attribute__((visibility("default")))
#endif
