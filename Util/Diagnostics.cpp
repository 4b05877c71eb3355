#include "Diagnostics.h"

#include <comparam/ComParamException.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace NComParamMan {
namespace Diag {

namespace {
constexpr unsigned long kCategory = 256;
}  // namespace

ZTextBuffer::int_type ZTextBuffer::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    m_text.push_back(traits_type::to_char_type(c));
  }
  return traits_type::not_eof(c);
}

std::streamsize ZTextBuffer::xsputn(const wchar_t* text, std::streamsize count) {
  m_text.append(text, static_cast<std::size_t>(count));
  return count;
}

void EmitLogLine(const char* file, unsigned long line, Logging::Level level, ZLogStream& message) {
  message << std::endl;
  Logging::Log(file, line, kCategory, level, message.Text().c_str());
}

void FailCheck(const char* file, unsigned long line, const wchar_t* expression) {
  if (Logging::LoggingIsInitialized()) {
    ZLogStream message;
    message << expression << L".";
    EmitLogLine(file, line, Logging::LevelError, message);
  }
  throw ZComParamException(0);
}

void FailHardAssert(const char* file, unsigned long line, const wchar_t* expression) {
  if (Logging::LoggingIsInitialized()) {
    ZLogStream message;
    message << L"Assertion failed: " << expression << L" (" << file << L":" << line << L")";
    EmitLogLine(file, line, Logging::LevelError, message);
  }
  std::fprintf(stderr, "Assertion failed: %ls (%s:%lu)\n", expression, file, line);
  std::fflush(stderr);
  std::abort();
}

}  // namespace Diag
}  // namespace NComParamMan
