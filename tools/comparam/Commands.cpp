#include "Commands.h"

#include "Document.h"
#include "InterfaceReading.h"
#include "OutputFormats.h"
#include "SafeText.h"
#include "ToolError.h"
#include "Utf8.h"

#include <comparam/ComParamMan.h>
#include <comparam/ComParamTest.h>

#include <cwchar>
#include <sstream>

namespace NComParamTool {
namespace {

struct ZDocAndNames {
  std::string document;  // empty: the built-in sample
  std::vector<std::string> names;
};

ZDocAndNames SplitDocument(const std::vector<std::string>& positionals,
                           const std::string& command) {
  // No interface has an empty qualifier: an empty first argument is a document without a name.
  if (!positionals.empty() && positionals.front().empty()) {
    throw ZToolError(ESUsage, command + ": DOC is empty (leave it out for the built-in sample)");
  }
  ZDocAndNames split{"", positionals};
  if (!positionals.empty() && LooksLikeDocument(positionals.front())) {
    split.document = positionals.front();
    split.names.erase(split.names.begin());
  }
  return split;
}

void NoSurplus(const ZDocAndNames& split, const std::string& command) {
  if (!split.names.empty()) {
    throw ZToolError(ESUsage, command + ": unexpected argument '" + split.names.front() + "'");
  }
}

// The counts the self-test report gives after each module.
unsigned CountOf(const std::wstring& report, const std::wstring& label) {
  unsigned total = 0;
  for (std::size_t at = report.find(label); at != std::wstring::npos;
       at = report.find(label, at + 1)) {
    total += static_cast<unsigned>(std::wcstoul(report.c_str() + at + label.size(), nullptr, 10));
  }
  return total;
}

}  // namespace

int RunInterfaces(const ZCommandLine& line, ZContext& context) {
  const ZDocAndNames split = SplitDocument(line.positionals, "interfaces");
  NoSurplus(split, "interfaces");
  ZDocument doc(split.document, context.err);
  for (const std::wstring& qualifier : doc.Interfaces()) context.out << OneLine(qualifier) << "\n";
  return ESOk;
}

int RunShow(const ZCommandLine& line, ZContext& context) {
  const ZFormat format = ParseFormat(line.format.empty() ? "table" : line.format,
                                     {ZFormat::Table, ZFormat::Json, ZFormat::Print});
  const ZDocAndNames split = SplitDocument(line.positionals, "show");
  ZDocument doc(split.document, context.err);
  const std::vector<ZInterfaceReading> readings = ReadInterfaces(doc, split.names, context.log);
  context.out << FormatReadings(readings, format);
  context.out.flush();
  bool incomplete = false;
  for (const ZInterfaceReading& reading : readings) {
    incomplete = NoteIfIncomplete(reading, context.err) || incomplete;
  }
  return incomplete ? ESFailed : ESOk;
}

int RunSelftest(const ZCommandLine& line, ZContext& context) {
  const ZDocAndNames split = SplitDocument(line.positionals, "selftest");
  NoSurplus(split, "selftest");
  ZDocument doc(split.document, context.err);
  NComParamTest::ZTestSuiteComParam suite(doc.Get());
  suite.Run();
  // The suite changes the document while it runs and restores it; the file is never saved.
  const std::wstring report = suite.GetTestResult().GetTestReportAsString();
  context.out << SafeLines(ToUtf8(report));
  const unsigned problems =
      CountOf(report, L"# failures   : ") + CountOf(report, L"# errors     : ");
  // A report that counts no success at all did not run its tests.
  const bool ran = report.find(L"# successes  : ") != std::wstring::npos;
  return problems == 0 && ran ? ESOk : ESFailed;
}

}  // namespace NComParamTool
