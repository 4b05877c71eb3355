// comparam: the command-line face of the communication-parameter library.
#include "Tool.h"
#include "Utf8.h"

#include <iostream>
#include <string>
#include <vector>

#if defined(_WIN32)
#  include <windows.h>
// shellapi.h needs what windows.h defines.
#  include <shellapi.h>
#endif

namespace {

// The arguments after the program name, as UTF-8. Windows hands narrow arguments over in the
// ANSI code page, so the tool takes the wide command line there. An argument with a lone
// surrogate has no UTF-8 form: it becomes a byte that is no UTF-8 either, which the tool refuses.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
#if defined(_WIN32)
  (void)argc;
  (void)argv;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) {
    const std::string argument = NComParamTool::ToUtf8(wide[i]);
    const bool whole = NComParamTool::FromUtf8(argument) == wide[i];
    arguments.push_back(whole ? argument : std::string("\xFF"));
  }
  LocalFree(wide);
#else
  for (int i = 1; i < argc; ++i) arguments.push_back(argv[i]);
#endif
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  // Never setlocale: numbers stay in the "C" form and text is converted to UTF-8 by the tool.
  return NComParamTool::RunTool(ProgramArguments(argc, argv), std::cout, std::cerr);
}
