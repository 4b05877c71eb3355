// The tool as a function of its arguments, so tests and main share one entry.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace NComParamTool {

// Runs one command line (the arguments after the program name, UTF-8) and returns the exit
// status; output goes to out, messages and -v log lines to err, all UTF-8.
int RunTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace NComParamTool
