// The tool's logging sink: it shows the library's log lines with -v and remembers the lines of
// the call under way, because some outcomes ("ComParamMan: Internal error") exist only there.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace NComParamTool {

class ZLogWatch {
 public:
  // Installs the sink for the watch's lifetime; with verbose, every line also goes to errors.
  ZLogWatch(bool verbose, std::ostream& errors);
  ~ZLogWatch();
  ZLogWatch(const ZLogWatch&) = delete;
  ZLogWatch& operator=(const ZLogWatch&) = delete;

  // Forgets the lines seen so far: call before each library call whose lines matter.
  void Clear();
  // True when a line since the last Clear begins with prefix.
  bool Saw(const std::wstring& prefix) const;
  // The lines since the last Clear that begin with prefix, without their line ends.
  std::vector<std::wstring> LinesStartingWith(const std::wstring& prefix) const;
  // True when the library reported an internal error since the last Clear.
  bool SawInternalError() const;

 private:
  void Receive(int level, const wchar_t* text);

  bool m_verbose;
  std::ostream& m_errors;
  std::vector<std::wstring> m_lines;
};

}  // namespace NComParamTool
