#include "Arguments.h"

#include "ToolError.h"

namespace NComParamTool {
namespace {

struct ZOptionSpec {
  const char* longName;
  char shortName;  // '\0': long form only
  bool takesValue;
};

const ZOptionSpec optionSpecs[] = {
    {"help", 'h', false},   {"version", '\0', false}, {"verbose", 'v', false},
    {"format", '\0', true}, {"output", 'o', true},    {"in-place", '\0', false},
};

[[noreturn]] void UsageError(const std::string& message) { throw ZToolError(ESUsage, message); }

const ZOptionSpec& FindLong(const std::string& name) {
  for (const ZOptionSpec& spec : optionSpecs) {
    if (name == spec.longName) return spec;
  }
  UsageError("unknown option '--" + name + "'");
}

const ZOptionSpec& FindShort(char name) {
  for (const ZOptionSpec& spec : optionSpecs) {
    if (spec.shortName != '\0' && name == spec.shortName) return spec;
  }
  UsageError(std::string("unknown option '-") + name + "'");
}

void Apply(const ZOptionSpec& spec, const std::string& value, ZCommandLine& line) {
  const std::string name = spec.longName;
  line.givenOptions.insert(name);
  if (name == "help") line.help = true;
  if (name == "version") line.version = true;
  if (name == "verbose") line.verbose = true;
  if (name == "in-place") line.inPlace = true;
  if (name == "format") line.format = value;
  if (name == "output") line.output = value;
}

class ZParser {
 public:
  ZParser(const std::vector<std::string>& arguments, ZCommandLine& line)
      : m_arguments(arguments), m_line(line) {}

  void Run() {
    bool optionsEnded = false;
    while (m_next < m_arguments.size()) {
      const std::string& argument = m_arguments[m_next++];
      if (!optionsEnded && argument == "--") {
        optionsEnded = true;
      } else if (!optionsEnded && argument.size() > 2 && argument.compare(0, 2, "--") == 0) {
        LongOption(argument.substr(2));
      } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
        ShortOption(argument);
      } else if (m_line.command.empty()) {
        m_line.command = argument;
      } else {
        m_line.positionals.push_back(argument);
      }
    }
  }

 private:
  void LongOption(const std::string& body) {
    const std::size_t equals = body.find('=');
    const ZOptionSpec& spec = FindLong(body.substr(0, equals));
    if (equals == std::string::npos) {
      Apply(spec, spec.takesValue ? TakeValue(std::string("--") + spec.longName) : "", m_line);
    } else if (spec.takesValue) {
      Apply(spec, NonEmpty(body.substr(equals + 1), std::string("--") + spec.longName), m_line);
    } else {
      UsageError(std::string("option '--") + spec.longName + "' takes no value");
    }
  }

  void ShortOption(const std::string& argument) {
    const ZOptionSpec& spec = FindShort(argument[1]);
    const std::string spelled = argument.substr(0, 2);
    if (!spec.takesValue) {
      if (argument.size() > 2) UsageError("unknown option '" + argument + "'");
      Apply(spec, "", m_line);
    } else {
      Apply(spec, argument.size() > 2 ? argument.substr(2) : TakeValue(spelled), m_line);
    }
  }

  std::string TakeValue(const std::string& spelled) {
    if (m_next >= m_arguments.size()) UsageError("option '" + spelled + "' needs a value");
    return NonEmpty(m_arguments[m_next++], spelled);
  }

  static std::string NonEmpty(const std::string& value, const std::string& spelled) {
    if (value.empty()) UsageError("option '" + spelled + "' needs a value");
    return value;
  }

  const std::vector<std::string>& m_arguments;
  ZCommandLine& m_line;
  std::size_t m_next = 0;
};

}  // namespace

ZCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ZCommandLine line;
  ZParser(arguments, line).Run();
  return line;
}

}  // namespace NComParamTool
