// The document parameters of an interface together with their names in sorted order, for the
// interface view, which needs both.
#pragma once

#include <comparam/DocumentParams.h>

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace NComParamMan {

// (name, position in the parameter list), sorted by name, then position.
using ZSortedNames = std::vector<std::pair<std::wstring_view, std::size_t>>;

// GetDocumentParams, which leaves sortedNames holding every parameter's entry.
std::vector<ZDocumentParam> GetDocumentParams(Pelka::ZEcuDoc& ecuDoc,
                                              const wchar_t* interfaceQualifier,
                                              ZSortedNames& sortedNames);

}  // namespace NComParamMan
