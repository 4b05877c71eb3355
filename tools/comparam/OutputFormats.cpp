#include "OutputFormats.h"

#include "ToolError.h"
#include "Utf8.h"

#include <comparam/ComParam.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace NComParamTool {
namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZComParamCollection;
using ZRow = std::vector<std::string>;

// Columns count characters, not bytes: a UTF-8 continuation byte adds no width.
std::size_t Width(const std::string& utf8) {
  std::size_t width = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
  }
  return width;
}

std::string Hex2(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02X", value & 0xFFu);
  return buffer;
}

const ZComParamCollection& ParamsOf(const ZInterfaceReading& reading) {
  // The collection getter is not const; reading it changes nothing.
  return const_cast<ZInterfaceReading&>(reading).configuration.GetComParamCollection();
}

std::string Cell(const wchar_t* text) { return ToUtf8(OneLine(text)); }

std::string AlignedTable(const std::vector<ZRow>& rows, const std::string& indent) {
  std::vector<std::size_t> widths;
  for (const ZRow& row : rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Width(row[i]));
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
      rows.push_back({Cell(param.GetQualifier()), Cell(param.GetName()), Cell(param.GetValue()),
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

std::string JsonOf(const ZInterfaceReading& reading) {
  const ZComParamCollection& params = ParamsOf(reading);
  std::string out =
      "  {\n    \"interface\": " + JsonString(reading.configuration.GetInterfaceQualifier()) +
      ",\n    \"complete\": " + (reading.complete ? "true" : "false") + ",\n    \"parameters\": [";
  for (unsigned i = 0; i < params.Count(); ++i) {
    const ZComParam& param = params.At(i);
    out += std::string(i == 0 ? "\n" : ",\n") +
           "      {\"qualifier\": " + JsonString(param.GetQualifier()) +
           ", \"name\": " + JsonString(param.GetName()) + ", \"type\": " +
           (param.GetValueType() == ZComParam::CPTUnsigned ? "\"unsigned\"" : "\"text\"") +
           ", \"value\": " + JsonString(param.GetValue()) +
           ", \"valid\": " + (param.HasValidValue() ? "true" : "false") +
           ", \"alias\": " + JsonString(param.GetAlias()) + "}";
  }
  out += std::string(params.Count() == 0 ? "" : "\n    ") + "],\n    \"unused\": [";
  for (std::size_t i = 0; i < reading.unused.size(); ++i) {
    const ZUnusedParam& unused = reading.unused[i];
    out += std::string(i == 0 ? "\n" : ",\n") +
           "      {\"attribute\": " + JsonString(unused.attributeQualifier) +
           ", \"name\": " + JsonString(unused.name) + ", \"value\": " + JsonString(unused.value) +
           "}";
  }
  out += std::string(reading.unused.empty() ? "" : "\n    ") + "]\n  }";
  return out;
}

std::string PrintBlocksOf(const ZInterfaceReading& reading) {
  std::wostringstream blocks;
  const ZComParamCollection& params = ParamsOf(reading);
  for (unsigned i = 0; i < params.Count(); ++i) params.At(i).PrintOn(blocks);
  return "Interface " + Cell(reading.configuration.GetInterfaceQualifier()) + "\n" +
         ToUtf8(blocks.str());
}

}  // namespace

ZFormat ParseFormat(const std::string& name) {
  if (name == "table") return ZFormat::Table;
  if (name == "json") return ZFormat::Json;
  if (name == "print") return ZFormat::Print;
  throw ZToolError(ESUsage, "unknown format '" + name + "' (table, json or print)");
}

std::string FormatReadings(const std::vector<ZInterfaceReading>& readings, ZFormat format) {
  std::string out = format == ZFormat::Json ? "[" : "";
  for (std::size_t i = 0; i < readings.size(); ++i) {
    switch (format) {
      case ZFormat::Table: out += (i == 0 ? "" : "\n") + TableOf(readings[i]); break;
      case ZFormat::Print: out += (i == 0 ? "" : "\n") + PrintBlocksOf(readings[i]); break;
      case ZFormat::Json: out += (i == 0 ? "\n" : ",\n") + JsonOf(readings[i]); break;
    }
  }
  if (format == ZFormat::Json) out += readings.empty() ? "]\n" : "\n]\n";
  return out;
}

std::wstring OneLine(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\n') {
      out += L"\\n";
    } else if (c == L'\t') {
      out += L"\\t";
    } else if (static_cast<unsigned>(c) < 0x20 || c == 0x7F) {
      out += L"\\x" + FromUtf8(Hex2(static_cast<unsigned>(c)));
    } else {
      out += c;
    }
  }
  return out;
}

std::string JsonString(const std::wstring& text) {
  std::string out = "\"";
  for (char c : ToUtf8(text)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00" + Hex2(static_cast<unsigned char>(c));
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace NComParamTool
