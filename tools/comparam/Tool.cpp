#include "Tool.h"

#include "Arguments.h"
#include "Commands.h"
#include "EmbeddedSample.h"
#include "LogWatch.h"
#include "ToolError.h"
#include "Utf8.h"

#include <comparam/ComParamException.h>

#include <exception>
#include <set>

namespace NComParamTool {
namespace {

struct ZCommandSpec {
  const char* name;
  const char* synopsis;
  const char* description;
  const char* optionHelp;         // lines for the options beyond -v and -h
  std::set<std::string> options;  // options beyond help and verbose
  int (*run)(const ZCommandLine&, ZContext&);
};

const char* const commonOptionHelp =
    "  -v, --verbose        show the library's log lines on stderr\n"
    "  -h, --help           show this help\n";

const ZCommandSpec commands[] = {
    {"interfaces",
     "interfaces [DOC]",
     "Lists the interface qualifiers of the document, one a line.\n",
     "",
     {},
     RunInterfaces},
    {"show",
     "show [DOC] [INTERFACE...] [--format=table|json|print]",
     "Shows the normalized configuration of each named interface (all when none is named):\n"
     "qualifier, display name, value, whether the value is valid, and the document's alias.\n"
     "Below each table come the interface's document parameters that did not become a\n"
     "normalized parameter. Exit status 1 when a reading is incomplete.\n",
     "      --format=FORMAT  table (the default), json (for scripts) or print (the library's\n"
     "                       own parameter blocks)\n",
     {"format"},
     RunShow},
    {"check",
     "check [DOC] [INTERFACE...]",
     "Checks the addressing parameters of each named interface (all when none is named) and\n"
     "prints the validity report. Exit status 1 when a report is not ok.\n",
     "",
     {},
     RunCheck},
    {"set",
     "set DOC INTERFACE NAME=VALUE... (-o OUT | --in-place)",
     "Sets normalized parameters (NAME is a qualifier as `show` lists it) and writes back only\n"
     "the changed ones, so untouched attributes keep their spelling. Every value is checked by\n"
     "the parameter, written, and read back before the document is saved; on any refusal\n"
     "nothing is written. Exit status 1 when a value is refused.\n",
     "  -o, --output=OUT     save the changed document as OUT\n"
     "      --in-place       save the changed document over DOC\n",
     {"output", "in-place"},
     RunSet},
    {"selftest",
     "selftest [DOC]",
     "Runs the library's built-in self-test suite on the document and prints its report. The\n"
     "document is never saved. Exit status 1 when a test fails.\n",
     "",
     {},
     RunSelftest},
};

const ZCommandSpec& FindCommand(const std::string& name) {
  for (const ZCommandSpec& command : commands) {
    if (name == command.name) return command;
  }
  throw ZToolError(ESUsage, "unknown command '" + name + "'");
}

std::string MainHelp() {
  std::string help =
      "Usage: comparam COMMAND [OPTIONS] [ARGUMENTS]\n"
      "\n"
      "Reads, checks and edits the communication parameters of an ECU document.\n"
      "\n"
      "Commands:\n";
  for (const ZCommandSpec& command : commands) help += std::string("  ") + command.synopsis + "\n";
  help += std::string(
              "\n"
              "DOC is a document file. Without it the built-in sample ") +
          embeddedSampleName +
          " is used. The first\n"
          "argument is taken for DOC when it ends in .xml, contains a '/' or names an existing "
          "file.\n"
          "\n"
          "Options:\n" +
          commonOptionHelp +
          "      --version        show the version\n"
          "\n"
          "Exit status: 0 done; 1 a report is not ok, a reading is incomplete, a value is refused\n"
          "or the self-test failed; 2 a usage or document error.\n"
          "Run 'comparam COMMAND --help' for the help of one command.\n";
  return help;
}

std::string CommandHelp(const ZCommandSpec& command) {
  return std::string("Usage: comparam ") + command.synopsis + "\n\n" + command.description +
         "\nOptions:\n" + command.optionHelp + commonOptionHelp;
}

void VetOptions(const ZCommandLine& line, const ZCommandSpec& command) {
  for (const std::string& option : line.givenOptions) {
    if (option != "help" && option != "verbose" && command.options.count(option) == 0) {
      throw ZToolError(ESUsage,
                       std::string(command.name) + ": option '--" + option + "' does not apply");
    }
  }
}

// An argument the conversion would change is refused rather than read as another.
void VetArguments(const std::vector<std::string>& arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (!DecodesWhole(arguments[i])) {
      throw ZToolError(ESUsage, "argument " + std::to_string(i + 1) + " is not UTF-8");
    }
  }
}

int Dispatch(const ZCommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.version) {
    out << "comparam " << COMPARAM_VERSION << "\n";
    return ESOk;
  }
  if (line.command.empty() && !line.help) {
    err << MainHelp();
    return ESUsage;
  }
  if (line.command.empty() || (line.command == "help" && line.positionals.empty())) {
    out << MainHelp();
    return ESOk;
  }
  if (line.command == "help") {
    if (line.positionals.size() > 1) {
      throw ZToolError(ESUsage, "help: unexpected argument '" + line.positionals[1] + "'");
    }
    out << CommandHelp(FindCommand(line.positionals.front()));
    return ESOk;
  }
  const ZCommandSpec& command = FindCommand(line.command);
  if (line.help) {
    out << CommandHelp(command);
    return ESOk;
  }
  VetOptions(line, command);
  ZLogWatch log(line.verbose, err);
  ZContext context{out, err, log};
  return command.run(line, context);
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  int status = ESOk;
  try {
    VetArguments(arguments);
    status = Dispatch(ParseCommandLine(arguments), out, err);
  } catch (const ZToolError& error) {
    err << "comparam: " << error.what() << "\n";
    status = error.GetStatus();
  } catch (const NComParamMan::ZComParamException&) {
    err << "comparam: the library failed (internal error)\n";
    status = ESUsage;
  } catch (const std::exception& error) {
    err << "comparam: " << error.what() << "\n";
    status = ESUsage;
  }
  out.flush();
  // A full disk or a closed pipe must not pass for a complete listing.
  if (!out) {
    err << "comparam: cannot write the output\n";
    status = ESUsage;
  }
  err.flush();
  return status;
}

}  // namespace NComParamTool
