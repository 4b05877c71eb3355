#include "LogWatch.h"

#include "SafeText.h"

#include <logging/Logging.h>

namespace NComParamTool {
namespace {

std::string LevelLabel(int level) {
  switch (level) {
    case Logging::LevelError: return "error";
    case Logging::LevelImportant: return "important";
    case Logging::LevelProgress: return "progress";
    case Logging::LevelWarning: return "warning";
    default: return "level " + std::to_string(level);
  }
}

std::wstring WithoutLineEnd(std::wstring text) {
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  return text;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

ZLogWatch::ZLogWatch(bool verbose, std::ostream& errors) : m_verbose(verbose), m_errors(errors) {
  Logging::Initialize([this](const char*, unsigned long, unsigned long, int level,
                             const wchar_t* text) { Receive(level, text); });
}

ZLogWatch::~ZLogWatch() { Logging::Shutdown(); }

void ZLogWatch::Clear() { m_lines.clear(); }

bool ZLogWatch::Saw(const std::wstring& prefix) const { return !LinesStartingWith(prefix).empty(); }

std::vector<std::wstring> ZLogWatch::LinesStartingWith(const std::wstring& prefix) const {
  std::vector<std::wstring> found;
  for (const std::wstring& line : m_lines) {
    if (StartsWith(line, prefix)) found.push_back(line);
  }
  return found;
}

bool ZLogWatch::SawInternalError() const { return Saw(L"ComParamMan: Internal error"); }

void ZLogWatch::Receive(int level, const wchar_t* text) {
  m_lines.push_back(WithoutLineEnd(text != nullptr ? text : L""));
  if (m_verbose) {
    m_errors << "[" << LevelLabel(level) << "] " << OneLine(m_lines.back()) << "\n";
    m_errors.flush();
  }
}

}  // namespace NComParamTool
