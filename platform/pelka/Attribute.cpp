#include "pelka/Attribute.h"

#include "pelka/Attributable.h"
#include "pelka/EcuDoc.h"
#include "pelka/ModelError.h"

#include <memory>
#include <utility>

namespace Pelka {

ZCategory::ZCategory(const wchar_t* qualifier) : m_qualifier(qualifier ? qualifier : L"") {}

ZAttribute::ZAttribute() noexcept = default;
ZAttribute::~ZAttribute() = default;

bool ZAttribute::IsOverride() const noexcept { return &GetDefaultAttribute() != this; }

const wchar_t* ZAttribute::GetQualifier() const noexcept {
  return GetDefaultAttribute().m_qualifier.c_str();
}

const ZCategory& ZAttribute::GetCategory() const noexcept {
  return *GetDefaultAttribute().m_pCategory;
}

const wchar_t* ZAttribute::GetName(ZLanguageId languageId) const {
  return GetDefaultAttribute().m_names.GetText(languageId);
}

ZTranslatable& ZAttribute::GetDescription() noexcept { return GetDefaultAttribute().m_description; }

const ZTranslatable& ZAttribute::GetDescription() const noexcept {
  return GetDefaultAttribute().m_description;
}

bool ZAttribute::MayBeModified() const noexcept { return GetDefaultAttribute().m_mayBeModified; }

ZEcuDoc& ZAttribute::GetOwnerDoc() noexcept { return *GetDefaultAttribute().m_pOwnerDoc; }

const ZEcuDoc& ZAttribute::GetOwnerDoc() const noexcept {
  return *GetDefaultAttribute().m_pOwnerDoc;
}

const wchar_t* ZAttribute::CacheValueText(std::wstring text) const {
  m_valueText = std::move(text);
  return m_valueText.c_str();
}

ZDefaultAttr::ZDefaultAttr(const ZDefinition& definition, ZAttrManager::ZAttrType type)
    : m_pOwnerDoc(definition.pEcuDoc),
      m_type(type),
      m_qualifier(definition.qualifier),
      m_pCategory(definition.pCategory),
      m_names(*definition.pEcuDoc),
      m_description(*definition.pEcuDoc),
      m_position(definition.position) {}

ZDefaultAttr::~ZDefaultAttr() = default;

bool ZDefaultAttr::HasOverride() const {
  const ZOverrideAttrSet& overrides = m_pOwnerDoc->GetEcu().OverriddenAttributes();
  return overrides.Find(*this) != overrides.End();
}

ZOverrideAttr& ZDefaultAttr::CreateOverride(ZAttributable& attributable) {
  if (&attributable.GetOwnerDoc() != m_pOwnerDoc) {
    throw ZModelError("override at an attributable of another document");
  }
  ZOverrideAttrSet& overrides = attributable.OverriddenAttributes();
  const ZOverrideAttrSet::Iterator existing = overrides.Find(*this);
  if (existing != overrides.End()) return *existing;
  return overrides.Adopt(std::unique_ptr<ZOverrideAttr>(NewOverride(attributable)));
}

ZOverrideAttr::ZOverrideAttr(ZDefaultAttr& defaultAttr, ZAttributable& attributable) noexcept
    : m_pDefaultAttr(&defaultAttr), m_pAttributable(&attributable) {}

ZOverrideAttr::~ZOverrideAttr() = default;

}  // namespace Pelka
