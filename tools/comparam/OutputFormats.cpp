#include "OutputFormats.h"

#include "HexNumbers.h"
#include "SafeText.h"
#include "ToolError.h"
#include "Utf8.h"

#include <comparam/StringComParam.h>
#include <comparam/ValueRules.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

namespace NComParamTool {
namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZComParamCollection;

// A table cell is cut to this many characters, so that one long text cannot widen every row.
constexpr std::size_t kMaxCellWidth = 60;
// Every parameter of a listing on one line.
constexpr std::size_t kListingOneLineDepth = 3;

bool IsCharacterStart(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// Columns count characters, not bytes: a UTF-8 continuation byte adds no width.
std::size_t Width(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), IsCharacterStart));
}

// The cell as the table shows it: a longer one keeps its first characters and ends in "…".
std::string Capped(const std::string& cell) {
  if (Width(cell) <= kMaxCellWidth) return cell;
  std::size_t kept = 0;
  std::size_t end = 0;
  for (; end < cell.size(); ++end) {
    if (IsCharacterStart(cell[end]) && kept++ == kMaxCellWidth - 1) break;
  }
  return cell.substr(0, end) + "\xE2\x80\xA6";  // U+2026, the ellipsis
}

const ZComParamCollection& ParamsOf(const ZInterfaceReading& reading) {
  // The collection getter is not const; reading it changes nothing.
  return const_cast<ZInterfaceReading&>(reading).configuration.GetComParamCollection();
}

std::string Cell(const wchar_t* text) { return OneLine(text); }

// "0x7E0" for an identifier or address whose text is a plain number; empty otherwise, also
// where the parameter reads a number out of other text ("-0.0025").
std::string HexOf(const ZComParam& param) {
  if (!ShowsAsHex(param.GetQualifier()) || !param.HasValidValue() ||
      param.GetValueType() != ZComParam::CPTUnsigned ||
      !NComParamMan::IsDecimalUnsigned(param.GetValue())) {
    return "";
  }
  return HexText(param.GetValueAsUnsigned());
}

std::string TableOf(const ZInterfaceReading& reading) {
  const ZComParamCollection& params = ParamsOf(reading);
  std::string out = "Interface " + Cell(reading.configuration.GetInterfaceQualifier()) +
                    (reading.complete ? "" : " (incomplete: the library stopped reading early)") +
                    "\n";
  if (params.Count() == 0) {
    out += "  (no normalized parameters)\n";
  } else {
    std::vector<ZRow> rows = {{"QUALIFIER", "NAME", "VALUE", "VALID", "ALIAS"}};
    for (unsigned i = 0; i < params.Count(); ++i) {
      const ZComParam& param = params.At(i);
      rows.push_back({Cell(param.GetQualifier()), Cell(param.GetName()), ValueCell(param),
                      param.HasValidValue() ? "yes" : "no", Cell(param.GetAlias())});
    }
    out += AlignedTable(rows, "  ");
  }
  if (!reading.unused.empty()) {
    out +=
        "  Document parameters not used (unknown name, or another alias of a parameter above):\n";
    std::vector<ZRow> rows;
    for (const ZUnusedParam& unused : reading.unused) {
      rows.push_back({Cell(unused.attributeQualifier.c_str()), "= " + Cell(unused.value.c_str())});
    }
    out += AlignedTable(rows, "    ");
  }
  return out;
}

ZJson JsonOf(const ZInterfaceReading& reading) {
  const ZComParamCollection& params = ParamsOf(reading);
  ZJson parameters = ZJson::array();
  for (unsigned i = 0; i < params.Count(); ++i) {
    const ZComParam& param = params.At(i);
    ZJson entry = {{"qualifier", ToUtf8(param.GetQualifier())},
                   {"name", ToUtf8(param.GetName())},
                   {"type", param.GetValueType() == ZComParam::CPTUnsigned ? "unsigned" : "text"},
                   {"value", ToUtf8(param.GetValue())}};
    const std::string hex = HexOf(param);
    if (!hex.empty()) entry["hex"] = hex;
    entry["valid"] = param.HasValidValue();
    entry["alias"] = ToUtf8(param.GetAlias());
    parameters.push_back(entry);
  }
  ZJson unused = ZJson::array();
  for (const ZUnusedParam& param : reading.unused) {
    unused.push_back({{"attribute", ToUtf8(param.attributeQualifier)},
                      {"name", ToUtf8(param.name)},
                      {"value", ToUtf8(param.value)}});
  }
  return {{"interface", ToUtf8(reading.configuration.GetInterfaceQualifier())},
          {"complete", reading.complete},
          {"parameters", parameters},
          {"unused", unused}};
}

// A value or key as JSON text. Text that is no UTF-8 (a lone surrogate from a document) shows
// as U+FFFD rather than failing the listing.
std::string Scalar(const ZJson& value) {
  return value.dump(-1, ' ', false, ZJson::error_handler_t::replace);
}

std::wstring Escaped(const wchar_t* text) { return FromUtf8(OneLine(text)); }

// A copy of the parameter for its block: the library's layout, the texts escaped.
NComParamMan::ZStringComParam PrintCopyOf(const ZComParam& param) {
  return NComParamMan::ZStringComParam(
      Escaped(param.GetAlias()).c_str(), Escaped(param.GetDescription()).c_str(),
      param.GetIsSimulated(), param.GetMayBeModified(), Escaped(param.GetName()).c_str(), L"",
      Escaped(param.GetQualifier()).c_str(), Escaped(param.GetValue()).c_str());
}

std::string PrintBlocksOf(const ZInterfaceReading& reading) {
  std::wostringstream blocks;
  const ZComParamCollection& params = ParamsOf(reading);
  for (unsigned i = 0; i < params.Count(); ++i) PrintCopyOf(params.At(i)).PrintOn(blocks);
  return "Interface " + Cell(reading.configuration.GetInterfaceQualifier()) + "\n" +
         ToUtf8(blocks.str());
}

}  // namespace

std::string ValueCell(const ZComParam& param) {
  const std::string hex = HexOf(param);
  return Cell(param.GetValue()) + (hex.empty() ? "" : " (" + hex + ")");
}

std::string AlignedTable(std::vector<ZRow> rows, const std::string& indent) {
  std::vector<std::size_t> widths;
  for (ZRow& row : rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (std::size_t i = 0; i < row.size(); ++i) {
      row[i] = Capped(row[i]);
      widths[i] = std::max(widths[i], Width(row[i]));
    }
  }
  std::string out;
  for (const ZRow& row : rows) {
    out += indent;
    for (std::size_t i = 0; i < row.size(); ++i) {
      out += row[i];
      if (i + 1 < row.size()) out += std::string(widths[i] - Width(row[i]) + 2, ' ');
    }
    out += "\n";
  }
  return out;
}

std::string JsonLayout(const ZJson& value, std::size_t oneLineDepth, std::size_t depth) {
  if (!value.is_structured()) return Scalar(value);
  const std::string open = value.is_object() ? "{" : "[";
  const std::string close = value.is_object() ? "}" : "]";
  const bool oneLine = depth >= oneLineDepth;
  const std::string indent = oneLine ? "" : "\n" + std::string(2 * (depth + 1), ' ');
  std::string out = open;
  for (auto item = value.begin(); item != value.end(); ++item) {
    out += (item == value.begin() ? "" : oneLine ? ", " : ",") + indent;
    if (value.is_object()) out += Scalar(item.key()) + ": ";
    out += JsonLayout(*item, oneLineDepth, depth + 1);
  }
  if (!oneLine && !value.empty()) out += "\n" + std::string(2 * depth, ' ');
  return out + close;
}

ZFormat ParseFormat(const std::string& name, const std::vector<ZFormat>& accepted) {
  static const std::pair<ZFormat, const char*> kNames[] = {{ZFormat::Table, "table"},
                                                           {ZFormat::Json, "json"},
                                                           {ZFormat::Print, "print"},
                                                           {ZFormat::Junit, "junit"}};
  std::string choices;
  for (std::size_t i = 0; i < accepted.size(); ++i) {
    const char* acceptedName =
        std::find_if(std::begin(kNames), std::end(kNames), [&](const auto& n) {
          return n.first == accepted[i];
        })->second;
    if (name == acceptedName) return accepted[i];
    choices += (i == 0 ? "" : i + 1 == accepted.size() ? " or " : ", ") + std::string(acceptedName);
  }
  throw ZToolError(ESUsage, "unknown format '" + name + "' (" + choices + ")");
}

std::string FormatReadings(const std::vector<ZInterfaceReading>& readings, ZFormat format) {
  if (format == ZFormat::Json) {
    ZJson listing = ZJson::array();
    for (const ZInterfaceReading& reading : readings) listing.push_back(JsonOf(reading));
    return JsonLayout(listing, kListingOneLineDepth) + "\n";
  }
  std::string out;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    out += (i == 0 ? "" : "\n") +
           (format == ZFormat::Table ? TableOf(readings[i]) : PrintBlocksOf(readings[i]));
  }
  return out;
}

}  // namespace NComParamTool
