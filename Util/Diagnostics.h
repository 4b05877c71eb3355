// The library's log-line convention, internal checks and hard assertions.
#pragma once

#include <logging/Logging.h>

#include <sstream>

namespace NComParamMan {
namespace Diag {

// Appends the end-of-line and hands the whole text to the logging library.
void EmitLogLine(const char* file, unsigned long line, Logging::Level level,
                 std::wostringstream& message);

// Logs "<expression>." at level 0, then throws ZComParamException(0).
[[noreturn]] void FailCheck(const char* file, unsigned long line, const wchar_t* expression);

// Reports the expression, file and line in the log and on stderr, then aborts.
[[noreturn]] void FailHardAssert(const char* file, unsigned long line, const wchar_t* expression);

// Null text from a caller reads as empty text.
inline const wchar_t* NonNull(const wchar_t* text) { return text ? text : L""; }

}  // namespace Diag
}  // namespace NComParamMan

// COMPARAM_LOG(level, L"text" << value << ...): composed only when logging is on.
#define COMPARAM_LOG(level, message)                                            \
  do {                                                                          \
    if (::Logging::LoggingIsInitialized()) {                                    \
      std::wostringstream comparamLogStream_;                                   \
      comparamLogStream_ << message;                                            \
      ::NComParamMan::Diag::EmitLogLine(__FILE__, __LINE__, level, comparamLogStream_); \
    }                                                                           \
  } while (false)

// The expression text is spelled out because the log shows it verbatim.
#define COMPARAM_CHECK(condition, expressionText)                                 \
  do {                                                                            \
    if (!(condition)) ::NComParamMan::Diag::FailCheck(__FILE__, __LINE__, expressionText); \
  } while (false)

// Never compiled out: these guard invariants of foreign objects.
#define COMPARAM_HARD_ASSERT(condition, expressionText)                                \
  do {                                                                                 \
    if (!(condition)) ::NComParamMan::Diag::FailHardAssert(__FILE__, __LINE__, expressionText); \
  } while (false)
