// Export macro of the document model stand-in.
#pragma once

#if defined(_WIN32)
#  if defined(PELKA_LIB_EXPORT)
#    define PELKA_API __declspec(dllexport)
#  elif defined(PELKA_SHARED)
#    define PELKA_API __declspec(dllimport)
#  else
#    define PELKA_API
#  endif
#else
#  define PELKA_API __attribute__((visibility("default")))
#endif
