#include "ComParamFactory.h"

#include "Vocabulary.h"

#include <Util/Diagnostics.h>
#include <Util/TextHash.h>
#include <comparam/StringComParam.h>
#include <comparam/UnsignedComParam.h>

#include <memory>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <utility>

namespace NComParamMan {

namespace {

// The flags every prototype carries.
constexpr bool kIsSimulatedDefault = false;
constexpr bool kMayBeModifiedDefault = true;

// Each catalogue row twice: as the prototype, and without the texts that callers replace anyway
// (alias, name and description: copying them into every clone dominated a normalization).
struct ZPrototypes {
  std::unique_ptr<const ZComParam> pPrototype;
  std::unique_ptr<const ZComParam> pUndescribed;
};

// Keyed by the catalogue's own qualifier texts, which live as long as the program: hashed, a
// lookup compares one text instead of six.
using ZPrototypeTable = std::unordered_map<std::wstring_view, ZPrototypes, ZTextHash>;

std::unique_ptr<const ZComParam> CreatePrototype(const Vocab::ZCatalogueRow& row, bool described) {
  const wchar_t* alias = described ? row.qualifier : L"";
  const wchar_t* description = described ? row.description : L"";
  const wchar_t* name = described ? row.displayName : L"";
  if (row.valueType == ZComParam::CPTUnsigned) {
    return std::make_unique<ZUnsignedComParam>(alias, description, kIsSimulatedDefault,
                                               kMayBeModifiedDefault, name, L"", row.qualifier,
                                               row.startRange, row.stopRange, row.defaultValue);
  }
  ZValidValueSet permittedValues;
  for (const wchar_t* const* value = row.permittedValues; *value; ++value) {
    permittedValues.AddValidValue(*value);
  }
  return std::make_unique<ZStringComParam>(alias, description, kIsSimulatedDefault,
                                           kMayBeModifiedDefault, name, L"", row.qualifier,
                                           permittedValues, L"");
}

// Built once per process: a normalization pass releases its catalogue, and the next one would
// otherwise build all prototypes again.
const ZPrototypeTable& CataloguePrototypes() {
  static const ZPrototypeTable prototypes = [] {
    ZPrototypeTable table;
    for (const Vocab::ZCatalogueRow& row : Vocab::kCatalogue) {
      ZPrototypes prototypes{CreatePrototype(row, true), CreatePrototype(row, false)};
      const bool inserted = table.emplace(row.qualifier, std::move(prototypes)).second;
      COMPARAM_CHECK(inserted, L"findResultIter==m_normQual2comParamPrototype.end()");
    }
    return table;
  }();
  return prototypes;
}

// A kind's own assignment, where both are exactly of that kind: of a kind derived from it a
// part would be left out.
template <class TKind>
bool AssignIfBothAre(ZComParam& target, const ZComParam& source) {
  if (typeid(target) != typeid(TKind) || typeid(source) != typeid(TKind)) return false;
  static_cast<TKind&>(target) = static_cast<const TKind&>(source);
  return true;
}

}  // namespace

ZComParamFactory* ZComParamFactory::s_pInstance = nullptr;

ZComParamFactory* ZComParamFactory::GetInstance() {
  if (!s_pInstance) s_pInstance = new ZComParamFactory();
  return s_pInstance;
}

void ZComParamFactory::ReleaseInstance() {
  delete s_pInstance;
  s_pInstance = nullptr;
}

// The first catalogue builds the shared table's prototypes, so no lookup pays for it later.
ZComParamFactory::ZComParamFactory() { CataloguePrototypes(); }

ZComParamFactory::~ZComParamFactory() {
  for (const auto& entry : m_normQual2comParamPrototype) delete entry.second;
}

ZComParam* ZComParamFactory::CreateComParam(const wchar_t* normQualifier) const {
  const ZComParam* pPrototype = FindPrototype(Diag::NonNull(normQualifier), true);
  return pPrototype ? pPrototype->Clone() : nullptr;
}

ZComParam* ZComParamFactory::CreateComParamToDescribe(const wchar_t* normQualifier) const {
  const ZComParam* pPrototype = FindPrototypeToDescribe(normQualifier);
  return pPrototype ? pPrototype->Clone() : nullptr;
}

const ZComParam* ZComParamFactory::FindPrototypeToDescribe(const wchar_t* normQualifier) const {
  return FindPrototype(Diag::NonNull(normQualifier), false);
}

bool ZComParamFactory::AssignPrototype(const ZComParam& prototype, ZComParam& param) {
  return AssignIfBothAre<ZUnsignedComParam>(param, prototype) ||
         AssignIfBothAre<ZStringComParam>(param, prototype);
}

bool ZComParamFactory::AddPrototype(ZComParam* prototype) {
  std::unique_ptr<ZComParam> owned(prototype);
  const std::wstring_view qualifier = owned->GetQualifier();
  const auto findResultIter = m_normQual2comParamPrototype.find(qualifier);
  COMPARAM_CHECK(findResultIter == m_normQual2comParamPrototype.end() &&
                     CataloguePrototypes().count(qualifier) == 0,
                 L"findResultIter==m_normQual2comParamPrototype.end()");
  m_normQual2comParamPrototype.emplace_hint(findResultIter, qualifier, owned.get());
  owned.release();
  return true;
}

const ZComParam* ZComParamFactory::FindPrototype(std::wstring_view normQualifier,
                                                 bool described) const {
  const ZPrototypeTable& catalogue = CataloguePrototypes();
  const auto found = catalogue.find(normQualifier);
  if (found != catalogue.end()) {
    return described ? found->second.pPrototype.get() : found->second.pUndescribed.get();
  }
  const auto added = m_normQual2comParamPrototype.find(normQualifier);
  return added == m_normQual2comParamPrototype.end() ? nullptr : added->second;
}

}  // namespace NComParamMan
