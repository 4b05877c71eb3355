#include "CommandLineParser.h"

#include "EmbeddedSample.h"
#include "ToolError.h"

#include <algorithm>

namespace NComParamTool {
namespace {

// --version belongs to the program, not to a command: command helps leave this group out.
const char* const kProgramGroup = "Program";
// Where an option's description begins in the help, and its lines after the first.
constexpr std::size_t kDescriptionColumn = 23;

[[noreturn]] void UsageError(const std::string& message) { throw ZToolError(ESUsage, message); }

bool IsOption(const std::string& argument) {
  // CLI11 reads "-" and a negative number as arguments, so does the tool.
  if (argument.size() < 2 || argument[0] != '-') return false;
  return argument[1] == '-' || argument[1] < '0' || argument[1] > '9';
}

// The option as a user names it in a message: "--name" without its value, or "-x".
std::string Spelled(const std::string& argument) {
  if (argument.compare(0, 2, "--") == 0) return argument.substr(0, argument.find('='));
  return argument.substr(0, 2);
}

bool TakesValue(const CLI::Option& option) { return option.get_items_expected_max() > 0; }

void DeclareSharedOptions(CLI::App& app, ZCommandLine& line) {
  app.add_flag("-v,--verbose", line.verbose, "show the library's log lines on stderr");
  app.add_flag("-h,--help", line.help, "show this help");
  app.add_flag("--version", line.version, "show the version")->group(kProgramGroup);
}

// "  -o, --output=OUT     save the changed document as OUT", a line of the help per line of
// the description.
std::string OptionLine(const CLI::Option& option) {
  std::string left = "  ";
  left += option.get_snames().empty() ? "    " : "-" + option.get_snames().front() + ", ";
  left += "--" + option.get_lnames().front();
  if (TakesValue(option)) left += "=" + option.get_type_name();
  left.resize(std::max(left.size() + 2, kDescriptionColumn), ' ');
  std::string out;
  const std::string& description = option.get_description();
  for (std::size_t start = 0; start < description.size();) {
    const std::size_t end = std::min(description.find('\n', start), description.size());
    out += (start == 0 ? left : std::string(kDescriptionColumn, ' ')) +
           description.substr(start, end - start) + "\n";
    start = end + 1;
  }
  return out;
}

std::string OptionLines(const CLI::App& app, bool withProgramOptions) {
  std::string out;
  for (const CLI::Option* pOption : app.get_options()) {
    if (pOption->get_positional()) continue;
    if (withProgramOptions || pOption->get_group() != kProgramGroup) out += OptionLine(*pOption);
  }
  return out;
}

}  // namespace

ZCommandLineParser::ZCommandLineParser(const std::vector<ZCommand>& commands)
    : m_commands(commands), m_app("", "comparam") {
  // -h is a flag of ours: the tool decides when help is due, and writes it itself.
  m_app.set_help_flag();
  // The tool names unknown options and arguments in its own words.
  m_app.allow_extras();
  // "/work/doc.xml" is a path on every platform, never an option (CLI11's default on Windows).
  m_app.allow_windows_style_options(false);
  // After the command, a command's name is an argument like any other.
  m_app.require_subcommand(0, 1);
  // Options that the commands share may follow the command.
  m_app.fallthrough();
  m_app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  m_app.option_defaults()->disable_flag_override();
  DeclareSharedOptions(m_app, m_line);
  for (const ZCommand& command : m_commands) {
    CLI::App* pApp = m_app.add_subcommand(command.name, command.description);
    pApp->add_option("arguments", m_line.positionals);
    if (command.declareOptions != nullptr) command.declareOptions(*pApp, m_line);
    m_commandApps.push_back(pApp);
  }
  m_app.add_subcommand("help")->add_option("arguments", m_line.positionals);
}

const ZCommandLine& ZCommandLineParser::Parse(const std::vector<std::string>& arguments) {
  const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
  const std::vector<std::string> head(arguments.begin(), optionsEnd);
  std::vector<std::string> tail;
  if (optionsEnd != arguments.end()) tail.assign(optionsEnd + 1, arguments.end());
  // CLI11 would end a command's arguments there and read on without a word.
  if (std::find(head.begin(), head.end(), "++") != head.end()) {
    UsageError("argument '++' must come after '--'");
  }
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(head.rbegin(), head.rend());
  try {
    m_app.parse(reversed);
  } catch (const CLI::ParseError&) {
    FailParse(head);
  }
  const std::vector<CLI::App*> given = m_app.get_subcommands();
  if (!given.empty()) m_line.command = given.front()->get_name();
  TakeExtras(given.empty() ? nullptr : given.front(), tail);
  return m_line;
}

// Unknown options first, as they come, then an option of the command given before it (the
// arguments there may be its value); the first argument before the command stands where the
// command belongs; everything after "--" is the command's arguments.
void ZCommandLineParser::TakeExtras(const CLI::App* pGiven, const std::vector<std::string>& tail) {
  std::vector<std::string> misplacedArguments;
  for (const std::string& extra : m_app.remaining(true)) {
    if (!IsOption(extra)) {
      misplacedArguments.push_back(extra);
    } else if (FindOption(Spelled(extra)) == nullptr) {
      UsageError("unknown option '" + Spelled(extra) + "'");
    } else if (pGiven != nullptr && pGiven->get_option_no_throw(Spelled(extra)) != nullptr) {
      UsageError("option '" + Spelled(extra) + "' must follow the command '" + pGiven->get_name() +
                 "'");
    } else {
      m_line.strayOptions.push_back(Spelled(extra));
    }
  }
  std::vector<std::string> arguments = tail;
  if (!misplacedArguments.empty()) {
    m_line.command = misplacedArguments.front();
  } else if (m_line.command.empty() && !arguments.empty()) {
    m_line.command = arguments.front();
    arguments.erase(arguments.begin());
  }
  m_line.positionals.insert(m_line.positionals.end(), arguments.begin(), arguments.end());
}

// CLI11 stops at a flag given a value and at an option whose value is missing (the last
// argument then); its messages name options by their long names, the tool's as given.
void ZCommandLineParser::FailParse(const std::vector<std::string>& head) const {
  for (const std::string& argument : head) {
    const std::size_t equals = argument.find('=');
    if (argument.compare(0, 2, "--") != 0 || equals == std::string::npos ||
        equals + 1 == argument.size()) {
      continue;
    }
    const CLI::Option* pOption = FindOption(Spelled(argument));
    if (pOption != nullptr && !TakesValue(*pOption)) {
      UsageError("option '" + Spelled(argument) + "' takes no value");
    }
  }
  if (!head.empty() && IsOption(head.back())) {
    UsageError("option '" + Spelled(head.back()) + "' needs a value");
  }
  UsageError("cannot read the command line");
}

const CLI::Option* ZCommandLineParser::FindOption(const std::string& spelled) const {
  if (const CLI::Option* pOption = m_app.get_option_no_throw(spelled)) return pOption;
  for (const CLI::App* pApp : m_commandApps) {
    if (const CLI::Option* pOption = pApp->get_option_no_throw(spelled)) return pOption;
  }
  return nullptr;
}

const ZCommand& ZCommandLineParser::FindCommand(const std::string& name) const {
  for (const ZCommand& command : m_commands) {
    if (name == command.name) return command;
  }
  UsageError("unknown command '" + name + "'");
}

void ZCommandLineParser::VetStrayOptions(const ZCommand& command) const {
  if (!m_line.strayOptions.empty()) {
    UsageError(std::string(command.name) + ": option '" + m_line.strayOptions.front() +
               "' does not apply");
  }
}

const CLI::App& ZCommandLineParser::AppOf(const ZCommand& command) const {
  return *m_commandApps[static_cast<std::size_t>(&command - m_commands.data())];
}

std::string ZCommandLineParser::MainHelp() const {
  std::string commands;
  for (const ZCommand& command : m_commands) {
    commands += std::string("  ") + command.name + " " + command.synopsis + "\n";
  }
  return std::string(
             "Usage: comparam COMMAND [OPTIONS] [ARGUMENTS]\n"
             "\n"
             "Reads, checks and edits the communication parameters of an ECU document.\n"
             "\n"
             "Commands:\n") +
         commands +
         "\n"
         "DOC is a document file. Without it the built-in sample " +
         embeddedSampleName +
         " is used. The first\n"
         "argument is taken for DOC when it ends in .xml, contains a '/' or names an existing "
         "file.\n"
         "\n"
         "Options:\n" +
         OptionLines(m_app, true) +
         "\n"
         "Exit status: 0 done; 1 a report is not ok, a reading is incomplete, a value is refused,\n"
         "the interfaces differ or the self-test failed; 2 a usage or document error.\n"
         "Run 'comparam COMMAND --help' for the help of one command.\n";
}

std::string ZCommandLineParser::CommandHelp(const ZCommand& command) const {
  return std::string("Usage: comparam ") + command.name + " " + command.synopsis + "\n\n" +
         command.description + "\n\nOptions:\n" + OptionLines(AppOf(command), false) +
         OptionLines(m_app, false);
}

}  // namespace NComParamTool
