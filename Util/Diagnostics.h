// The library's log-line convention, internal checks and hard assertions.
#pragma once

#include <logging/Logging.h>

#include <cstddef>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

namespace NComParamMan {
namespace Diag {

// Collects what is streamed into it in one string.
class ZTextBuffer : public std::wstreambuf {
 public:
  // Room for a usual log line at once: grown piece by piece, a line took three allocations.
  ZTextBuffer() { m_text.reserve(kLineCapacity); }
  const std::wstring& Text() const { return m_text; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const wchar_t* text, std::streamsize count) override;

 private:
  // Below the 1 KiB at which the C library's allocator starts reorganizing its free lists.
  static constexpr std::size_t kLineCapacity = 120;

  std::wstring m_text;
};

// The stream a log line is composed in. A std::wostringstream reserves 512 characters at its
// first write: an allocation so large that the C library's allocator then reorganizes its free
// lists, which made a logged warning cost more than normalizing a parameter.
class ZLogStream : public std::wostream {
 public:
  ZLogStream() : std::wostream(nullptr) { rdbuf(&m_buffer); }
  const std::wstring& Text() const { return m_buffer.Text(); }

 private:
  ZTextBuffer m_buffer;
};

// Appends the end-of-line and hands the whole text to the logging library.
void EmitLogLine(const char* file, unsigned long line, Logging::Level level, ZLogStream& message);

// Logs "<expression>." at level 0, then throws ZComParamException(0).
[[noreturn]] void FailCheck(const char* file, unsigned long line, const wchar_t* expression);

// Reports the expression, file and line in the log and on stderr, then aborts.
[[noreturn]] void FailHardAssert(const char* file, unsigned long line, const wchar_t* expression);

// Null text from a caller reads as empty text.
inline const wchar_t* NonNull(const wchar_t* text) { return text ? text : L""; }

}  // namespace Diag
}  // namespace NComParamMan

// COMPARAM_LOG(level, L"text" << value << ...): composed only when logging is on.
#define COMPARAM_LOG(level, message)                                                      \
  do {                                                                                    \
    if (::Logging::LoggingIsInitialized()) {                                              \
      ::NComParamMan::Diag::ZLogStream comparamLogStream_;                                \
      comparamLogStream_ << message; /* NOLINT(bugprone-macro-parentheses): a << chain */ \
      ::NComParamMan::Diag::EmitLogLine(__FILE__, __LINE__, level, comparamLogStream_);   \
    }                                                                                     \
  } while (false)

// The expression text is spelled out because the log shows it verbatim.
#define COMPARAM_CHECK(condition, expressionText)                                          \
  do {                                                                                     \
    if (!(condition)) ::NComParamMan::Diag::FailCheck(__FILE__, __LINE__, expressionText); \
  } while (false)

// Never compiled out: these guard invariants of foreign objects.
#define COMPARAM_HARD_ASSERT(condition, expressionText)                                         \
  do {                                                                                          \
    if (!(condition)) ::NComParamMan::Diag::FailHardAssert(__FILE__, __LINE__, expressionText); \
  } while (false)
