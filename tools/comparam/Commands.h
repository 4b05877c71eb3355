// The commands of the tool. Each returns the exit status or throws ZToolError.
#pragma once

#include "CommandLine.h"
#include "LogWatch.h"

#include <ostream>

namespace NComParamTool {

struct ZContext {
  std::ostream& out;
  std::ostream& err;
  ZLogWatch& log;
};

int RunInterfaces(const ZCommandLine& line, ZContext& context);
int RunShow(const ZCommandLine& line, ZContext& context);
int RunCheck(const ZCommandLine& line, ZContext& context);
int RunDiff(const ZCommandLine& line, ZContext& context);
int RunSet(const ZCommandLine& line, ZContext& context);
int RunVocabulary(const ZCommandLine& line, ZContext& context);
int RunSelftest(const ZCommandLine& line, ZContext& context);

}  // namespace NComParamTool
