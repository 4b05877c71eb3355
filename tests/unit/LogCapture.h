// Test seam: captures every log line the library writes.
#pragma once

#include <logging/Logging.h>

#include <string>
#include <vector>

struct LoggedLine {
  std::string file;
  unsigned long line;
  unsigned long category;
  int level;
  std::wstring text;
};

// Installs a capturing sink for its lifetime.
class LogCapture {
 public:
  LogCapture() {
    Logging::Initialize([this](const char* file, unsigned long line, unsigned long category,
                               int level, const wchar_t* text) {
      m_lines.push_back({file, line, category, level, text});
    });
  }
  ~LogCapture() { Logging::Shutdown(); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::vector<LoggedLine>& Lines() const { return m_lines; }
  // The texts only, each with its trailing end-of-line.
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> texts;
    for (const LoggedLine& l : m_lines) texts.push_back(l.text);
    return texts;
  }
  void Clear() { m_lines.clear(); }

 private:
  std::vector<LoggedLine> m_lines;
};
