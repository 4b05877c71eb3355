#include "Diagnostics.h"

#include <comparam/ComParamException.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace NComParamMan {
namespace Diag {

namespace {
constexpr unsigned long kCategory = 256;
}  // namespace

void EmitLogLine(const char* file, unsigned long line, Logging::Level level,
                 std::wostringstream& message) {
  message << std::endl;
  const std::wstring text = message.str();
  Logging::Log(file, line, kCategory, level, text.c_str());
}

void FailCheck(const char* file, unsigned long line, const wchar_t* expression) {
  if (Logging::LoggingIsInitialized()) {
    std::wostringstream message;
    message << expression << L".";
    EmitLogLine(file, line, Logging::LevelError, message);
  }
  throw ZComParamException(0);
}

void FailHardAssert(const char* file, unsigned long line, const wchar_t* expression) {
  if (Logging::LoggingIsInitialized()) {
    std::wostringstream message;
    message << L"Assertion failed: " << expression << L" (" << file << L":" << line << L")";
    EmitLogLine(file, line, Logging::LevelError, message);
  }
  std::fprintf(stderr, "Assertion failed: %ls (%s:%lu)\n", expression, file, line);
  std::fflush(stderr);
  std::abort();
}

}  // namespace Diag
}  // namespace NComParamMan
