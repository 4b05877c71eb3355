// The command line: one command, its options and its positional arguments.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace NComParamTool {

struct ZCommandLine {
  std::string command;  // empty when none was given
  bool help = false;
  bool version = false;
  bool verbose = false;
  bool inPlace = false;
  std::string format;  // empty: the command's default
  std::string output;  // empty: not given
  std::vector<std::string> positionals;
  std::set<std::string> givenOptions;  // long names of the options given, for the command to vet
};

// Parses the arguments after the program name (UTF-8). Options may stand before or after the
// command; "--" ends them. Throws ZToolError (usage) for an unknown option, a missing or surplus
// option value.
ZCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace NComParamTool
