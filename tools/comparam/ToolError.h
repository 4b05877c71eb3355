// The one way a command stops early: a message for stderr and the exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace NComParamTool {

enum ZExitStatus : int {
  ESOk = 0,
  ESFailed = 1,  // the library or the document answered no: report not ok, value refused, ...
  ESUsage = 2    // the request cannot be carried out: command line, document file, unknown names
};

class ZToolError : public std::runtime_error {
 public:
  // message is UTF-8, without the "comparam: " prefix and without a line end.
  ZToolError(ZExitStatus status, const std::string& message)
      : std::runtime_error(message), m_status(status) {}

  ZExitStatus GetStatus() const { return m_status; }

 private:
  ZExitStatus m_status;
};

}  // namespace NComParamTool
