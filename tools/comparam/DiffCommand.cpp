// `comparam diff`: two interfaces compared as the library normalizes them, so documents that
// spell their parameters differently compare by what they mean.
#include "Commands.h"

#include "Document.h"
#include "InterfaceReading.h"
#include "OutputFormats.h"
#include "SafeText.h"
#include "ToolError.h"
#include "Utf8.h"

#include <filesystem>
#include <memory>

namespace NComParamTool {
namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZComParamCollection;

[[noreturn]] void Fail(const std::string& message) {
  throw ZToolError(ESUsage, "diff: " + message);
}

struct ZSideArgument {
  std::string document;
  std::string interfaceName;  // empty: every interface the other side has too
};

// "DOC:INTERFACE", or "DOC" alone when the whole argument names a file (C:\doc.xml, a:b.xml).
ZSideArgument ParseSide(const std::string& argument) {
  std::error_code error;
  const std::size_t colon = argument.rfind(':');
  if (colon == std::string::npos || colon == 0 ||
      std::filesystem::is_regular_file(std::filesystem::u8path(argument), error)) {
    return {argument, ""};
  }
  if (colon + 1 == argument.size()) Fail("'" + argument + "' names no interface after ':'");
  return {argument.substr(0, colon), argument.substr(colon + 1)};
}

struct ZSide {
  std::unique_ptr<ZDocument> pDoc;
  std::vector<ZInterfaceReading> readings;
};

ZSide ReadSide(const ZSideArgument& argument, const std::vector<std::string>& names,
               ZContext& context) {
  ZSide side{std::make_unique<ZDocument>(argument.document, context.err), {}};
  side.readings = ReadInterfaces(*side.pDoc, names, context.log);
  return side;
}

bool SameValue(const ZComParam& a, const ZComParam& b) {
  if (a.HasValidValue() != b.HasValidValue()) return false;
  // 0150 and 150 are one number.
  if (a.HasValidValue() && a.GetValueType() == ZComParam::CPTUnsigned &&
      b.GetValueType() == ZComParam::CPTUnsigned) {
    return a.GetValueAsUnsigned() == b.GetValueAsUnsigned();
  }
  return std::wstring(a.GetValue()) == b.GetValue();
}

bool Same(const ZComParam* pA, const ZComParam* pB) {
  if (pA == nullptr || pB == nullptr) return pA == pB;
  return SameValue(*pA, *pB);
}

struct ZDifference {
  std::wstring qualifier;
  const ZComParam* pA;
  const ZComParam* pB;
};

// The interfaces compared, or one that only one side has (the other then null).
struct ZPair {
  const ZInterfaceReading* pA;
  const ZInterfaceReading* pB;
  std::vector<ZDifference> differences;
};

const ZComParamCollection& ParamsOf(const ZInterfaceReading& reading) {
  // The collection getter is not const; reading it changes nothing.
  return const_cast<ZInterfaceReading&>(reading).configuration.GetComParamCollection();
}

const ZComParam* Find(const ZInterfaceReading& reading, const wchar_t* qualifier) {
  return const_cast<ZComParamCollection&>(ParamsOf(reading)).FindByQualifier(qualifier);
}

// The parameters that differ, in the order of A's parameters and then B's others.
std::vector<ZDifference> Compare(const ZInterfaceReading& a, const ZInterfaceReading& b) {
  std::vector<ZDifference> differences;
  for (unsigned i = 0; i < ParamsOf(a).Count(); ++i) {
    const ZComParam& param = ParamsOf(a).At(i);
    const ZComParam* pOther = Find(b, param.GetQualifier());
    if (!Same(&param, pOther)) differences.push_back({param.GetQualifier(), &param, pOther});
  }
  for (unsigned i = 0; i < ParamsOf(b).Count(); ++i) {
    const ZComParam& param = ParamsOf(b).At(i);
    if (Find(a, param.GetQualifier()) == nullptr) {
      differences.push_back({param.GetQualifier(), nullptr, &param});
    }
  }
  return differences;
}

std::wstring QualifierOf(const ZInterfaceReading& reading) {
  return reading.configuration.GetInterfaceQualifier();
}

const ZInterfaceReading* FindReading(const ZSide& side, const std::wstring& qualifier) {
  for (const ZInterfaceReading& reading : side.readings) {
    if (QualifierOf(reading) == qualifier) return &reading;
  }
  return nullptr;
}

// With both interfaces named, those two; else every interface by its name on either side.
std::vector<ZPair> PairUp(const ZSide& a, const ZSide& b, bool bothNamed) {
  if (bothNamed) return {{&a.readings.front(), &b.readings.front(), {}}};
  std::vector<ZPair> pairs;
  for (const ZInterfaceReading& reading : a.readings) {
    pairs.push_back({&reading, FindReading(b, QualifierOf(reading)), {}});
  }
  for (const ZInterfaceReading& reading : b.readings) {
    if (FindReading(a, QualifierOf(reading)) == nullptr) pairs.push_back({nullptr, &reading, {}});
  }
  return pairs;
}

bool IsSame(const ZPair& pair) {
  return pair.pA != nullptr && pair.pB != nullptr && pair.differences.empty();
}

struct ZLabels {
  std::string a;
  std::string b;
};

std::string FileNameOf(const ZSide& side) {
  return OneLine(std::filesystem::u8path(side.pDoc->GetName()).filename().u8string());
}

// The sides by their documents' file names; by their paths where those are equal, and with the
// interfaces where the paths are too.
ZLabels LabelsOf(const ZSide& a, const ZSide& b, const ZPair& pair) {
  ZLabels labels{FileNameOf(a), FileNameOf(b)};
  if (labels.a == labels.b) labels = {OneLine(a.pDoc->GetName()), OneLine(b.pDoc->GetName())};
  if (labels.a == labels.b && pair.pA != nullptr && pair.pB != nullptr) {
    labels.a += ":" + OneLine(QualifierOf(*pair.pA));
    labels.b += ":" + OneLine(QualifierOf(*pair.pB));
  }
  return labels;
}

std::string Cell(const ZComParam* pParam) {
  if (pParam == nullptr) return "(absent)";
  return ValueCell(*pParam) + (pParam->HasValidValue() ? "" : " (invalid)");
}

std::string Heading(const ZPair& pair) {
  const std::string a = pair.pA != nullptr ? OneLine(QualifierOf(*pair.pA)) : "";
  const std::string b = pair.pB != nullptr ? OneLine(QualifierOf(*pair.pB)) : "";
  if (pair.pA == nullptr || pair.pB == nullptr) return a + b;
  return a == b ? a : a + " and " + b;
}

std::string TableOf(const ZSide& a, const ZSide& b, const ZPair& pair) {
  const std::string nameA = OneLine(a.pDoc->GetName());
  const std::string nameB = OneLine(b.pDoc->GetName());
  if (pair.pA == nullptr || pair.pB == nullptr) {
    return Heading(pair) + ": only in " + (pair.pA != nullptr ? nameA : nameB) + "\n";
  }
  if (pair.differences.empty()) {
    return Heading(pair) + ": same in " + nameA + " and " + nameB + "\n";
  }
  const ZLabels labels = LabelsOf(a, b, pair);
  const std::size_t count = pair.differences.size();
  std::vector<ZRow> rows = {{"QUALIFIER", "NAME", labels.a, labels.b}};
  for (const ZDifference& difference : pair.differences) {
    const ZComParam& named = difference.pA != nullptr ? *difference.pA : *difference.pB;
    rows.push_back({OneLine(difference.qualifier), OneLine(named.GetName()), Cell(difference.pA),
                    Cell(difference.pB)});
  }
  return Heading(pair) + ": " + std::to_string(count) +
         (count == 1 ? " difference" : " differences") + "\n" + AlignedTable(rows, "  ");
}

ZJson JsonOf(const ZComParam* pParam) {
  if (pParam == nullptr) return {{"present", false}};
  return {
      {"present", true}, {"value", ToUtf8(pParam->GetValue())}, {"valid", pParam->HasValidValue()}};
}

ZJson JsonOf(const ZSide& side, const ZInterfaceReading* pReading) {
  if (pReading == nullptr) return nullptr;
  return {{"document", side.pDoc->GetName()}, {"interface", ToUtf8(QualifierOf(*pReading))}};
}

ZJson JsonOf(const ZSide& a, const ZSide& b, const ZPair& pair) {
  ZJson differences = ZJson::array();
  for (const ZDifference& difference : pair.differences) {
    differences.push_back({{"qualifier", ToUtf8(difference.qualifier)},
                           {"a", JsonOf(difference.pA)},
                           {"b", JsonOf(difference.pB)}});
  }
  return {{"a", JsonOf(a, pair.pA)},
          {"b", JsonOf(b, pair.pB)},
          {"same", IsSame(pair)},
          {"differences", differences}};
}

}  // namespace

int RunDiff(const ZCommandLine& line, ZContext& context) {
  const ZFormat format =
      ParseFormat(line.format.empty() ? "table" : line.format, {ZFormat::Table, ZFormat::Json});
  if (line.positionals.size() != 2) Fail("give two documents, DOC_A[:INTERFACE] DOC_B[:INTERFACE]");
  const ZSideArgument argA = ParseSide(line.positionals[0]);
  const ZSideArgument argB = ParseSide(line.positionals[1]);
  // A side without a name compares the interface of the other side's name.
  const std::string& nameA = argA.interfaceName.empty() ? argB.interfaceName : argA.interfaceName;
  const std::string& nameB = argB.interfaceName.empty() ? argA.interfaceName : argB.interfaceName;
  const ZSide a = ReadSide(
      argA, nameA.empty() ? std::vector<std::string>() : std::vector<std::string>{nameA}, context);
  const ZSide b = ReadSide(
      argB, nameB.empty() ? std::vector<std::string>() : std::vector<std::string>{nameB}, context);
  std::vector<ZPair> pairs = PairUp(a, b, !nameA.empty());
  bool incomplete = false;
  bool same = true;
  for (ZPair& pair : pairs) {
    for (const ZInterfaceReading* pReading : {pair.pA, pair.pB}) {
      if (pReading != nullptr) incomplete = NoteIfIncomplete(*pReading, context.err) || incomplete;
    }
    if (pair.pA != nullptr && pair.pB != nullptr) pair.differences = Compare(*pair.pA, *pair.pB);
    same = same && IsSame(pair);
  }
  if (format == ZFormat::Json) {
    ZJson listing = ZJson::array();
    for (const ZPair& pair : pairs) listing.push_back(JsonOf(a, b, pair));
    context.out << JsonLayout(listing, 3) << "\n";
  } else {
    for (const ZPair& pair : pairs) context.out << TableOf(a, b, pair);
  }
  // An incomplete reading may hide a difference.
  if (incomplete) return ESUsage;
  return same ? ESOk : ESFailed;
}

}  // namespace NComParamTool
