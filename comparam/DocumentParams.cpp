#include <comparam/DocumentParams.h>

#include <Util/Diagnostics.h>

#include <attributes/AttributePredicate.h>
#include <attributes/GenericAttrFilter.h>
#include <pelka/EcuDoc.h>

#include <cwchar>
#include <string_view>
#include <unordered_set>

namespace NComParamMan {

std::vector<ZDocumentParam> GetDocumentParams(Pelka::ZEcuDoc& ecuDoc,
                                              const wchar_t* interfaceQualifier) {
  NAttributes::ZGenericAttrFilter filter(ecuDoc.GetEcu().VirtualAttributes());
  NAttributes::ZAttributePredicate4Interface predicate(ecuDoc, Diag::NonNull(interfaceQualifier));
  std::vector<ZDocumentParam> params;
  std::unordered_set<std::wstring_view> names;
  for (auto it = filter.Begin(predicate); it != filter.End(); it = filter.FindNext(it)) {
    const wchar_t* name = GetDocumentSideName(it->GetQualifier());
    params.push_back({&*it, name, names.insert(name).second});
  }
  return params;
}

const wchar_t* GetDocumentSideName(const wchar_t* qualifier) {
  const wchar_t* text = Diag::NonNull(qualifier);
  const wchar_t* pDot = std::wcschr(text, L'.');
  return pDot ? pDot + 1 : L"";
}

}  // namespace NComParamMan
