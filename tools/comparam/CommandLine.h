// The command line as the commands see it, and the form in which the tool declares a command.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}  // namespace CLI

namespace NComParamTool {

struct ZContext;

// What a command line asks for. CLI11 writes the options of every command here.
struct ZCommandLine {
  std::string command;  // empty when none was given
  bool help = false;
  bool version = false;
  bool verbose = false;
  bool inPlace = false;
  std::string format;  // empty: the command's default
  std::string output;  // empty: not given
  std::vector<std::string> positionals;
  // Options given where they do not apply, as spelled; the command refuses them.
  std::vector<std::string> strayOptions;
};

// One command of the tool: everything about it is said here once.
struct ZCommand {
  const char* name;
  const char* synopsis;     // what follows the name in a usage line
  const char* description;  // the help's paragraph, with its line breaks
  // Declares the command's own options on its CLI11 command, bound to line; null for none. An
  // option's description may span lines: the help indents the lines after the first.
  void (*declareOptions)(CLI::App& command, ZCommandLine& line);
  int (*run)(const ZCommandLine& line, ZContext& context);
};

}  // namespace NComParamTool
