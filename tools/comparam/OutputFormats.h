// The three forms of `show`: an aligned table for people, JSON for scripts, and the library's
// own parameter blocks.
#pragma once

#include "InterfaceReading.h"

#include <comparam/ComParam.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace NComParamTool {

using ZRow = std::vector<std::string>;
using ZJson = nlohmann::ordered_json;  // keeps the members in the order they were added

enum class ZFormat { Table, Json, Print, Junit };

// The format of that name among those a command accepts ("table", "json", "print", "junit");
// throws ZToolError (usage) for any other, naming the accepted ones.
ZFormat ParseFormat(const std::string& name, const std::vector<ZFormat>& accepted);

// The readings in that form, as UTF-8.
std::string FormatReadings(const std::vector<ZInterfaceReading>& readings, ZFormat format);

// The value as a table shows it: "2016 (0x7E0)" for an identifier or address, the library's text
// for the rest, control characters escaped.
std::string ValueCell(const NComParamMan::ZComParam& param);

// The rows in columns two blanks apart, each line after indent; a cell longer than 60 characters
// is cut and ends in an ellipsis.
std::string AlignedTable(std::vector<ZRow> rows, const std::string& indent);

// The value as JSON the way people write it (", " and ": " between items): each member or item
// on a line of its own down to oneLineDepth, the values there each on one line.
std::string JsonLayout(const ZJson& value, std::size_t oneLineDepth, std::size_t depth = 0);

}  // namespace NComParamTool
