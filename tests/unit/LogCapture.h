// Test seam: captures every log line the library writes, and the checks built on it.
#pragma once

#include <comparam/ComParamException.h>

#include <logging/Logging.h>

#include <gtest/gtest.h>

#include <functional>
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

// The file name without its folders: the units log their full path, which differs per build.
inline std::string BaseName(const std::string& file) {
  return file.substr(file.find_last_of("/\\") + 1);
}

// The call must fail an internal check of unitFile (a base name such as "ComParam.cpp"): it
// throws code 0 and logs exactly "<expression>.\n" once, at level 0 and category 256.
inline void ExpectInternalCheck(const std::function<void()>& call, const std::wstring& expression,
                                const char* unitFile) {
  ASSERT_FALSE(Logging::LoggingIsInitialized()) << "a capture would hide the outer one";
  LogCapture log;
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const NComParamMan::ZComParamException& e) {
    EXPECT_EQ(e.GetCode(), 0);
  }
  ASSERT_EQ(log.Lines().size(), 1u);
  const LoggedLine& line = log.Lines()[0];
  EXPECT_EQ(line.text, expression + L".\n");
  EXPECT_EQ(line.level, Logging::LevelError);
  EXPECT_EQ(line.category, 256u);
  EXPECT_EQ(BaseName(line.file), unitFile);
}
