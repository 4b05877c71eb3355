// The warnings of ZComParamCollection, for code that applies its rules without a collection.
#pragma once

#include <string_view>

namespace NComParamMan {

// The warning of AddComParam refusing a parameter whose qualifier the collection already holds.
void LogDuplicateQualifier(std::wstring_view qualifier);

}  // namespace NComParamMan
