#include <comparam/DocumentParams.h>

#include "DocumentParamNames.h"

#include <Util/Diagnostics.h>

#include <attributes/AttributePredicate.h>
#include <attributes/GenericAttrFilter.h>
#include <pelka/EcuDoc.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <string_view>
#include <utility>

namespace NComParamMan {

namespace {

constexpr std::size_t kUsualParameterCount = 40;

// Sorting positions by name, not hashing names, keeps this to one allocation: it runs for every
// reading.
void MarkLaterNamesakes(std::vector<ZDocumentParam>& params, ZSortedNames& byName) {
  byName.clear();
  byName.reserve(params.size());
  for (std::size_t position = 0; position < params.size(); ++position) {
    byName.emplace_back(params[position].name, position);
  }
  std::sort(byName.begin(), byName.end());
  for (std::size_t i = 1; i < byName.size(); ++i) {
    if (byName[i].first == byName[i - 1].first) params[byName[i].second].isRead = false;
  }
}

}  // namespace

std::vector<ZDocumentParam> GetDocumentParams(Pelka::ZEcuDoc& ecuDoc,
                                              const wchar_t* interfaceQualifier) {
  ZSortedNames sortedNames;
  return GetDocumentParams(ecuDoc, interfaceQualifier, sortedNames);
}

std::vector<ZDocumentParam> GetDocumentParams(Pelka::ZEcuDoc& ecuDoc,
                                              const wchar_t* interfaceQualifier,
                                              ZSortedNames& sortedNames) {
  NAttributes::ZGenericAttrFilter filter(ecuDoc.GetEcu().VirtualAttributes());
  NAttributes::ZAttributePredicate4Interface predicate(ecuDoc, Diag::NonNull(interfaceQualifier));
  std::vector<ZDocumentParam> params;
  // Room for the normalized parameters and a few more at once. Grown one by one, the vector
  // passed 1 KiB, where the C library's allocator first tidies up every small block freed
  // before: that cost more than the rest of this function.
  params.reserve(kUsualParameterCount);
  for (auto it = filter.Begin(predicate); it != filter.End(); it = filter.FindNext(it)) {
    // Each dereference looks up the ECU's override again.
    Pelka::ZAttribute& attribute = *it;
    params.push_back({&attribute, GetDocumentSideName(attribute.GetQualifier()), true});
  }
  MarkLaterNamesakes(params, sortedNames);
  return params;
}

const wchar_t* GetDocumentSideName(const wchar_t* qualifier) {
  const wchar_t* text = Diag::NonNull(qualifier);
  const wchar_t* pDot = std::wcschr(text, L'.');
  return pDot ? pDot + 1 : L"";
}

}  // namespace NComParamMan
