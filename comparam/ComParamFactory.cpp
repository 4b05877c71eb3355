#include "ComParamFactory.h"

#include "Vocabulary.h"

#include <Util/Diagnostics.h>
#include <comparam/StringComParam.h>
#include <comparam/UnsignedComParam.h>

#include <memory>

namespace NComParamMan {

ZComParamFactory* ZComParamFactory::s_pInstance = nullptr;

ZComParamFactory* ZComParamFactory::GetInstance() {
  if (!s_pInstance) s_pInstance = new ZComParamFactory();
  return s_pInstance;
}

void ZComParamFactory::ReleaseInstance() {
  delete s_pInstance;
  s_pInstance = nullptr;
}

ZComParamFactory::ZComParamFactory() : m_isSimulatedDefault(false), m_mayBeModifiedDefault(true) {
  // The destructor does not run for a half-built catalogue.
  try {
    for (const Vocab::ZCatalogueRow& row : Vocab::kCatalogue) AddPrototype(CreatePrototype(row));
  } catch (...) {
    DeletePrototypes();
    throw;
  }
}

ZComParamFactory::~ZComParamFactory() { DeletePrototypes(); }

ZComParam* ZComParamFactory::CreateComParam(const wchar_t* normQualifier) const {
  const auto found = m_normQual2comParamPrototype.find(Diag::NonNull(normQualifier));
  return found == m_normQual2comParamPrototype.end() ? nullptr : found->second->Clone();
}

bool ZComParamFactory::AddPrototype(ZComParam* prototype) {
  std::unique_ptr<ZComParam> owned(prototype);
  const auto findResultIter = m_normQual2comParamPrototype.find(owned->GetQualifier());
  COMPARAM_CHECK(findResultIter == m_normQual2comParamPrototype.end(),
                 L"findResultIter==m_normQual2comParamPrototype.end()");
  m_normQual2comParamPrototype.emplace_hint(findResultIter, owned->GetQualifier(), owned.get());
  owned.release();
  return true;
}

ZComParam* ZComParamFactory::CreatePrototype(const Vocab::ZCatalogueRow& row) const {
  if (row.valueType == ZComParam::CPTUnsigned) {
    return new ZUnsignedComParam(row.qualifier, row.description, m_isSimulatedDefault,
                                 m_mayBeModifiedDefault, row.displayName, L"", row.qualifier,
                                 row.startRange, row.stopRange, row.defaultValue);
  }
  ZValidValueSet permittedValues;
  for (const wchar_t* const* value = row.permittedValues; *value; ++value) {
    permittedValues.AddValidValue(*value);
  }
  return new ZStringComParam(row.qualifier, row.description, m_isSimulatedDefault,
                             m_mayBeModifiedDefault, row.displayName, L"", row.qualifier,
                             permittedValues, L"");
}

void ZComParamFactory::DeletePrototypes() {
  for (const auto& entry : m_normQual2comParamPrototype) delete entry.second;
  m_normQual2comParamPrototype.clear();
}

}  // namespace NComParamMan
