// The three forms of `show`: an aligned table for people, JSON for scripts, and the library's
// own parameter blocks.
#pragma once

#include "InterfaceReading.h"

#include <string>
#include <vector>

namespace NComParamTool {

enum class ZFormat { Table, Json, Print };

// "table", "json" or "print"; throws ZToolError (usage) for anything else.
ZFormat ParseFormat(const std::string& name);

// The readings in that form, as UTF-8.
std::string FormatReadings(const std::vector<ZInterfaceReading>& readings, ZFormat format);

}  // namespace NComParamTool
