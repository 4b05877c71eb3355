// Logging stand-in: one process-wide sink that hosts and tests install.
#pragma once

#include <logging/Export.h>

#include <functional>

namespace Logging {

enum Level : int {
  LevelError = 0,  // failed invariants, refused values, internal errors
  LevelImportant = 1,
  LevelProgress = 2,  // progress notes of the self-test
  LevelWarning = 3    // skipped, overwritten, duplicate or unknown parameters
};

using Sink = std::function<void(const char* file, unsigned long line, unsigned long category,
                                int level, const wchar_t* text)>;

// True between Initialize and Shutdown; false after load.
LOGGING_API bool LoggingIsInitialized();

// Hands the line to the sink; dropped while logging is not initialized.
LOGGING_API void Log(const char* file, unsigned long line, unsigned long category, Level level,
                     const wchar_t* text);

// Installs the sink that receives every later Log call.
LOGGING_API void Initialize(Sink sink);

// Removes the sink; LoggingIsInitialized() is false again.
LOGGING_API void Shutdown();

}  // namespace Logging
