// `comparam check`: the validity reports of every interface of any number of documents, for people
// (a summary line), scripts (JSON) and build servers (JUnit XML).
#include "Commands.h"

#include "Document.h"
#include "InterfaceReading.h"
#include "OutputFormats.h"
#include "SafeText.h"
#include "ToolError.h"
#include "Utf8.h"

#include <comparam/ComParamMan.h>
#include <pugixml.hpp>

#include <sstream>

namespace NComParamTool {
namespace {

enum class ZVerdict { Ok, NotOk, Incomplete };

struct ZInterfaceCheck {
  std::string document;
  std::string interfaceQualifier;  // UTF-8, as the document has it
  ZVerdict verdict;
  std::vector<std::string> report;  // the report's lines, each made safe
};

struct ZUnreadable {
  std::string document;
  std::string message;  // made safe
};

struct ZCheckRun {
  std::vector<ZInterfaceCheck> checks;
  std::vector<ZUnreadable> unreadable;
  std::size_t documentsRead = 0;
};

const char* VerdictText(ZVerdict verdict) {
  switch (verdict) {
    case ZVerdict::Ok: return "ok";
    case ZVerdict::NotOk: return "not ok";
    case ZVerdict::Incomplete: return "incomplete";
  }
  return "";
}

struct ZDocumentsAndNames {
  std::vector<std::string> documents;  // an empty one: the built-in sample
  std::vector<std::string> names;
};

// The arguments that name documents come first; the rest name interfaces, in each document.
ZDocumentsAndNames SplitArguments(const std::vector<std::string>& positionals) {
  ZDocumentsAndNames split;
  for (const std::string& argument : positionals) {
    if (argument.empty() && split.names.empty()) {
      throw ZToolError(ESUsage, "check: DOC is empty (leave it out for the built-in sample)");
    }
    (split.names.empty() && LooksLikeDocument(argument) ? split.documents : split.names)
        .push_back(argument);
  }
  if (split.documents.empty()) split.documents.emplace_back();
  return split;
}

std::vector<std::string> LinesOf(const std::wstring& text) {
  std::istringstream lines(ToUtf8(text));
  std::vector<std::string> out;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) out.push_back(OneLine(line));
  }
  return out;
}

void CheckDocument(const std::string& path, const std::vector<std::string>& names,
                   ZContext& context, ZCheckRun& run) {
  ZDocument doc(path, context.err);
  std::vector<ZInterfaceReading> readings = ReadInterfaces(doc, names, context.log);
  NComParamMan::ZComParamManager manager(doc.Get());
  for (ZInterfaceReading& reading : readings) {
    const NComParamMan::ZConfigStateReport report = manager.CheckValidity(reading.configuration);
    const bool incomplete = NoteIfIncomplete(reading, context.err);
    run.checks.push_back({doc.GetName(), ToUtf8(reading.configuration.GetInterfaceQualifier()),
                          incomplete      ? ZVerdict::Incomplete
                          : report.IsOk() ? ZVerdict::Ok
                                          : ZVerdict::NotOk,
                          LinesOf(report.GetErrorMessage())});
  }
  ++run.documentsRead;
}

// A document that cannot be read is reported; the others are still checked.
ZCheckRun CheckDocuments(const ZDocumentsAndNames& split, ZContext& context) {
  ZCheckRun run;
  for (const std::string& path : split.documents) {
    try {
      CheckDocument(path, split.names, context, run);
    } catch (const ZToolError& error) {
      const std::string message = OneLine(error.what());
      context.err << "comparam: " << message << "\n";
      run.unreadable.push_back({path, message});
    }
  }
  return run;
}

std::string Counted(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::size_t CountOf(const ZCheckRun& run, ZVerdict verdict) {
  std::size_t count = 0;
  for (const ZInterfaceCheck& check : run.checks) count += check.verdict == verdict ? 1 : 0;
  return count;
}

// "12 interfaces in 5 documents: 10 ok, 2 not ok, 0 incomplete"
std::string Summary(const ZCheckRun& run) {
  std::string summary = Counted(run.checks.size(), "interface") + " in " +
                        Counted(run.documentsRead, "document") + ": " +
                        std::to_string(CountOf(run, ZVerdict::Ok)) + " ok, " +
                        std::to_string(CountOf(run, ZVerdict::NotOk)) + " not ok, " +
                        std::to_string(CountOf(run, ZVerdict::Incomplete)) + " incomplete";
  if (!run.unreadable.empty()) {
    summary += "; " + Counted(run.unreadable.size(), "document") + " could not be read";
  }
  return summary + "\n";
}

std::string TableOf(const ZCheckRun& run) {
  std::string out;
  for (const ZInterfaceCheck& check : run.checks) {
    out += OneLine(check.document) + ": " + OneLine(check.interfaceQualifier) + ": " +
           VerdictText(check.verdict) + "\n";
    for (const std::string& line : check.report) out += "  " + line + "\n";
  }
  return out + Summary(run);
}

std::string JsonOf(const ZCheckRun& run) {
  ZJson listing = ZJson::array();
  for (const ZInterfaceCheck& check : run.checks) {
    listing.push_back({{"document", check.document},
                       {"interface", check.interfaceQualifier},
                       {"status", VerdictText(check.verdict)},
                       {"report", check.report}});
  }
  return JsonLayout(listing, 2) + "\n";
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

void AddCounts(pugi::xml_node node, std::size_t tests, std::size_t failures, std::size_t errors) {
  node.append_attribute("tests") = static_cast<unsigned long long>(tests);
  node.append_attribute("failures") = static_cast<unsigned long long>(failures);
  node.append_attribute("errors") = static_cast<unsigned long long>(errors);
}

// One test suite per document, one test case per interface: a report that is not ok is a
// failure, an incomplete reading or a document that cannot be read an error.
std::string JunitOf(const ZCheckRun& run) {
  pugi::xml_document xml;
  pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  pugi::xml_node suites = xml.append_child("testsuites");
  suites.append_attribute("name") = "comparam check";
  AddCounts(suites, run.checks.size() + run.unreadable.size(), CountOf(run, ZVerdict::NotOk),
            CountOf(run, ZVerdict::Incomplete) + run.unreadable.size());
  pugi::xml_node suite;
  for (const ZInterfaceCheck& check : run.checks) {
    const std::string document = OneLine(check.document);
    if (!suite || document != suite.attribute("name").value()) {
      suite = suites.append_child("testsuite");
      suite.append_attribute("name") = document.c_str();
    }
    pugi::xml_node testCase = suite.append_child("testcase");
    testCase.append_attribute("classname") = document.c_str();
    testCase.append_attribute("name") = OneLine(check.interfaceQualifier).c_str();
    if (check.verdict != ZVerdict::Ok) {
      pugi::xml_node problem =
          testCase.append_child(check.verdict == ZVerdict::NotOk ? "failure" : "error");
      problem.append_attribute("message") = VerdictText(check.verdict);
      problem.text() = Joined(check.report).c_str();
    }
  }
  for (const ZUnreadable& unreadable : run.unreadable) {
    const std::string document = OneLine(unreadable.document);
    pugi::xml_node testCase = suites.append_child("testsuite");
    testCase.append_attribute("name") = document.c_str();
    testCase = testCase.append_child("testcase");
    testCase.append_attribute("classname") = document.c_str();
    testCase.append_attribute("name") = "(document)";
    testCase.append_child("error").append_attribute("message") = unreadable.message.c_str();
  }
  for (pugi::xml_node each : suites.children("testsuite")) {
    std::size_t tests = 0, failures = 0, errors = 0;
    for (pugi::xml_node testCase : each.children("testcase")) {
      ++tests;
      failures += testCase.child("failure") ? 1 : 0;
      errors += testCase.child("error") ? 1 : 0;
    }
    AddCounts(each, tests, failures, errors);
  }
  std::ostringstream out;
  xml.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
  return out.str();
}

}  // namespace

int RunCheck(const ZCommandLine& line, ZContext& context) {
  const ZFormat format = ParseFormat(line.format.empty() ? "table" : line.format,
                                     {ZFormat::Table, ZFormat::Json, ZFormat::Junit});
  const ZCheckRun run = CheckDocuments(SplitArguments(line.positionals), context);
  if (format == ZFormat::Table) {
    context.out << TableOf(run);
  } else {
    context.out << (format == ZFormat::Json ? JsonOf(run) : JunitOf(run));
    // The output is for a program; people read the summary on stderr.
    context.err << "comparam: " << Summary(run);
  }
  if (!run.unreadable.empty()) return ESUsage;
  return CountOf(run, ZVerdict::Ok) == run.checks.size() ? ESOk : ESFailed;
}

}  // namespace NComParamTool
