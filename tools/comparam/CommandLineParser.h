// The tool's command line on CLI11: commands and options declared once, for parsing and help.
#pragma once

#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace NComParamTool {

// The tool's command line: the commands given, the options all of them share (-v, -h) and
// --version, and the built-in `help [COMMAND]`.
class ZCommandLineParser {
 public:
  explicit ZCommandLineParser(const std::vector<ZCommand>& commands);
  ZCommandLineParser(const ZCommandLineParser&) = delete;
  ZCommandLineParser& operator=(const ZCommandLineParser&) = delete;

  // Parses the arguments after the program name (UTF-8), once. The shared options may stand
  // anywhere, a command's own options after it; "--" ends the options. Throws ZToolError (usage)
  // for an unknown option, a missing or surplus option value, a command's option before the
  // command and "++" before "--".
  const ZCommandLine& Parse(const std::vector<std::string>& arguments);

  // The command of that name; throws ZToolError (usage) for an unknown one.
  const ZCommand& FindCommand(const std::string& name) const;
  // Throws ZToolError (usage) for the first stray option of the command line.
  void VetStrayOptions(const ZCommand& command) const;

  std::string MainHelp() const;
  std::string CommandHelp(const ZCommand& command) const;

 private:
  const CLI::App& AppOf(const ZCommand& command) const;
  const CLI::Option* FindOption(const std::string& spelled) const;
  void TakeExtras(const CLI::App* pGiven, const std::vector<std::string>& tail);
  [[noreturn]] void FailParse(const std::vector<std::string>& head) const;

  std::vector<ZCommand> m_commands;
  ZCommandLine m_line;
  CLI::App m_app;
  std::vector<CLI::App*> m_commandApps;  // in the order of m_commands
};

}  // namespace NComParamTool
