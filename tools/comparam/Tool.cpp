#include "Tool.h"

#include "CommandLineParser.h"
#include "Commands.h"
#include "LogWatch.h"
#include "SafeText.h"
#include "ToolError.h"
#include "Utf8.h"

#include <comparam/ComParamException.h>

#include <exception>

namespace NComParamTool {
namespace {

void DeclareFormat(CLI::App& command, ZCommandLine& line, const char* description) {
  command.add_option("--format", line.format, description)->type_name("FORMAT");
}

// The commands in the order the help lists them. A new command is one entry here.
const std::vector<ZCommand> commands = {
    {"interfaces", "[DOC]", "Lists the interface qualifiers of the document, one a line.", nullptr,
     RunInterfaces},
    {"show", "[DOC] [INTERFACE...] [--format=table|json|print]",
     "Shows the normalized configuration of each named interface (all when none is named):\n"
     "qualifier, display name, value, whether the value is valid, and the document's alias.\n"
     "Below each table come the interface's document parameters that did not become a\n"
     "normalized parameter. Exit status 1 when a reading is incomplete.",
     [](CLI::App& command, ZCommandLine& line) {
       DeclareFormat(command, line,
                     "table (the default), json (for scripts) or print (the library's\n"
                     "own parameter blocks)");
     },
     RunShow},
    {"check", "[DOC...] [INTERFACE...] [--format=table|json|junit]",
     "Checks the addressing parameters of each named interface (all when none is named) of\n"
     "every document and prints the validity reports and a summary line. A document that\n"
     "cannot be read is reported and the others are still checked. Exit status 1 when a\n"
     "report is not ok or a reading is incomplete, 2 when a document cannot be read.",
     [](CLI::App& command, ZCommandLine& line) {
       DeclareFormat(command, line,
                     "table (the default), json (for scripts) or junit (JUnit XML\n"
                     "for build servers)");
     },
     RunCheck},
    {"diff", "DOC_A[:INTERFACE] DOC_B[:INTERFACE] [--format=table|json]",
     "Compares the normalized configurations of two interfaces of one or two documents,\n"
     "whatever each document calls its parameters, and lists the parameters whose value,\n"
     "validity or presence differs. Without INTERFACE every interface of the same name is\n"
     "compared, and one that only one side has is a difference. Exit status 0 when all are\n"
     "the same, 1 when any differs, 2 on an error or an incomplete reading.",
     [](CLI::App& command, ZCommandLine& line) {
       DeclareFormat(command, line, "table (the default) or json (for scripts)");
     },
     RunDiff},
    {"set", "DOC INTERFACE NAME=VALUE... (-o OUT | --in-place)",
     "Sets normalized parameters (NAME is a qualifier as `show` lists it) and writes back only\n"
     "the changed ones, so untouched attributes keep their spelling. Every value is checked by\n"
     "the parameter, written, and read back before the document is saved; on any refusal\n"
     "nothing is written. A number may be given in hexadecimal, as 0x7E0. Exit status 1\n"
     "when a value is refused.",
     [](CLI::App& command, ZCommandLine& line) {
       command.add_option("-o,--output", line.output, "save the changed document as OUT")
           ->type_name("OUT");
       command.add_flag("--in-place", line.inPlace, "save the changed document over DOC");
     },
     RunSet},
    {"vocabulary", "[QUALIFIER...] [--format=table|json]",
     "Lists the normalized parameters the library knows (all when none is named): display\n"
     "name, type, range or permitted values, default and description, with every document\n"
     "name and value that the library reads as each, in its order of preference.",
     [](CLI::App& command, ZCommandLine& line) {
       DeclareFormat(command, line, "table (the default) or json (for scripts)");
     },
     RunVocabulary},
    {"selftest", "[DOC]",
     "Runs the library's built-in self-test suite on the document and prints its report. The\n"
     "document is never saved. Exit status 1 when a test fails.",
     nullptr, RunSelftest},
};

// An argument the conversion would change is refused rather than read as another.
void VetArguments(const std::vector<std::string>& arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (!DecodesWhole(arguments[i])) {
      throw ZToolError(ESUsage, "argument " + std::to_string(i + 1) + " is not UTF-8");
    }
  }
}

int Dispatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  VetArguments(arguments);
  ZCommandLineParser parser(commands);
  const ZCommandLine& line = parser.Parse(arguments);
  if (line.version) {
    out << "comparam " << COMPARAM_VERSION << "\n";
    return ESOk;
  }
  if (line.command.empty() && !line.help) {
    err << parser.MainHelp();
    return ESUsage;
  }
  if (line.command.empty() || (line.command == "help" && line.positionals.empty())) {
    out << parser.MainHelp();
    return ESOk;
  }
  if (line.command == "help") {
    if (line.positionals.size() > 1) {
      throw ZToolError(ESUsage, "help: unexpected argument '" + line.positionals[1] + "'");
    }
    out << parser.CommandHelp(parser.FindCommand(line.positionals.front()));
    return ESOk;
  }
  const ZCommand& command = parser.FindCommand(line.command);
  if (line.help) {
    out << parser.CommandHelp(command);
    return ESOk;
  }
  parser.VetStrayOptions(command);
  ZLogWatch log(line.verbose, err);
  ZContext context{out, err, log};
  return command.run(line, context);
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  int status = ESOk;
  try {
    status = Dispatch(arguments, out, err);
  } catch (const ZToolError& error) {
    // Messages quote documents and arguments: one line each, whatever they hold.
    err << "comparam: " << OneLine(error.what()) << "\n";
    status = error.GetStatus();
  } catch (const NComParamMan::ZComParamException&) {
    err << "comparam: the library failed (internal error)\n";
    status = ESUsage;
  } catch (const std::exception& error) {
    err << "comparam: " << OneLine(error.what()) << "\n";
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
