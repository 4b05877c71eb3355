// `comparam vocabulary`: the normalized parameters and every document spelling the library reads
// as each, from the library's own tables.
#include "Commands.h"

#include "OutputFormats.h"
#include "SafeText.h"
#include "ToolError.h"
#include "Utf8.h"

#include <comparam/ValueRules.h>
#include <comparam/VocabularyView.h>

#include <algorithm>
#include <limits>

namespace NComParamTool {
namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZNormalizedParamInfo;

// Descriptions are wrapped to this width in the table.
constexpr std::size_t kTextWidth = 78;
constexpr const char* kLabelIndent = "  ";
constexpr std::size_t kLabelWidth = 18;

std::vector<ZNormalizedParamInfo> SelectParams(const std::vector<std::string>& qualifiers) {
  std::vector<ZNormalizedParamInfo> all = NComParamMan::GetNormalizedParams();
  if (qualifiers.empty()) return all;
  std::vector<ZNormalizedParamInfo> selected;
  for (const std::string& qualifier : qualifiers) {
    const std::wstring wide = FromUtf8(qualifier);
    const auto found = std::find_if(all.begin(), all.end(), [&](const ZNormalizedParamInfo& info) {
      return wide == info.qualifier;
    });
    if (found == all.end()) {
      throw ZToolError(ESUsage, "vocabulary: unknown parameter '" + qualifier +
                                    "' (a normalized qualifier is expected)");
    }
    selected.push_back(*found);
  }
  return selected;
}

bool IsNumber(const ZNormalizedParamInfo& info) { return info.valueType == ZComParam::CPTUnsigned; }

unsigned Maximum(const ZNormalizedParamInfo& info) {
  return NComParamMan::RangeRestricts(info.startRange, info.stopRange)
             ? info.stopRange
             : std::numeric_limits<unsigned>::max();
}

std::string Joined(const std::vector<std::wstring>& texts) {
  std::string out;
  for (const std::wstring& text : texts) out += (out.empty() ? "" : ", ") + OneLine(text);
  return out;
}

std::vector<std::string> AsUtf8(const std::vector<std::wstring>& texts) {
  std::vector<std::string> out;
  out.reserve(texts.size());
  for (const std::wstring& text : texts) out.push_back(ToUtf8(text));
  return out;
}

// The words of text in lines of at most kTextWidth characters, each after the label column.
std::string Wrapped(const std::string& text) {
  std::string out;
  std::string line;
  const std::size_t width = kTextWidth - kLabelWidth;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::string word = text.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += (out.empty() ? "" : "\n" + std::string(kLabelWidth, ' ')) + line;
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  return out + (out.empty() ? "" : "\n" + std::string(kLabelWidth, ' ')) + line;
}

// The label in its column, then text, which ends its line.
std::string Labelled(const std::string& label, const std::string& text) {
  std::string left = kLabelIndent + label;
  left.resize(kLabelWidth, ' ');
  return left + text + (text.empty() || text.back() != '\n' ? "\n" : "");
}

std::string TableOf(const ZNormalizedParamInfo& info) {
  std::string out = OneLine(info.qualifier) + ": " + OneLine(info.displayName) + "\n";
  if (IsNumber(info)) {
    out += Labelled("type", "unsigned, " + std::to_string(info.startRange) + " to " +
                                std::to_string(Maximum(info)));
    out += Labelled("default", OneLine(info.defaultValue));
  } else {
    out += Labelled("type", "text, one of " + Joined(info.permittedValues));
    out += Labelled("default", "none");
  }
  out +=
      Labelled("document names", Wrapped(Joined(NComParamMan::GetDocumentAliases(info.qualifier))));
  std::size_t valueWidth = 0;
  for (const std::wstring& value : info.permittedValues) {
    valueWidth = std::max(valueWidth, OneLine(value).size());
  }
  for (std::size_t i = 0; i < info.permittedValues.size(); ++i) {
    std::string value = OneLine(info.permittedValues[i]);
    value.resize(valueWidth + 2, ' ');
    out += Labelled(i == 0 ? "document values" : "",
                    value + Joined(NComParamMan::GetValueAliases(info.qualifier,
                                                                 info.permittedValues[i].c_str())));
  }
  if (*info.description != L'\0')
    out += Labelled("description", Wrapped(OneLine(info.description)));
  return out;
}

ZJson JsonOf(const ZNormalizedParamInfo& info) {
  ZJson entry = {{"qualifier", ToUtf8(info.qualifier)},
                 {"name", ToUtf8(info.displayName)},
                 {"type", IsNumber(info) ? "unsigned" : "text"}};
  if (IsNumber(info)) {
    entry["minimum"] = info.startRange;
    entry["maximum"] = Maximum(info);
    entry["default"] = ToUtf8(info.defaultValue);
  } else {
    ZJson values = ZJson::array();
    for (const std::wstring& value : info.permittedValues) {
      values.push_back(
          {{"value", ToUtf8(value)},
           {"aliases", AsUtf8(NComParamMan::GetValueAliases(info.qualifier, value.c_str()))}});
    }
    entry["values"] = values;
    entry["default"] = nullptr;
  }
  entry["aliases"] = AsUtf8(NComParamMan::GetDocumentAliases(info.qualifier));
  entry["description"] = ToUtf8(info.description);
  return entry;
}

}  // namespace

int RunVocabulary(const ZCommandLine& line, ZContext& context) {
  const ZFormat format =
      ParseFormat(line.format.empty() ? "table" : line.format, {ZFormat::Table, ZFormat::Json});
  const std::vector<ZNormalizedParamInfo> params = SelectParams(line.positionals);
  if (format == ZFormat::Json) {
    ZJson listing = ZJson::array();
    for (const ZNormalizedParamInfo& info : params) listing.push_back(JsonOf(info));
    // A parameter's members each on a line, its lists on one.
    context.out << JsonLayout(listing, 2) << "\n";
    return ESOk;
  }
  for (std::size_t i = 0; i < params.size(); ++i) {
    context.out << (i == 0 ? "" : "\n") << TableOf(params[i]);
  }
  context.out << "\nEvery document name and value is also read in capitals.\n";
  return ESOk;
}

}  // namespace NComParamTool
