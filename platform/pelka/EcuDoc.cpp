#include "pelka/EcuDoc.h"

#include "Checked.h"
#include "TextUtil.h"
#include "pelka/AttributeKinds.h"
#include "pelka/ModelError.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace Pelka {

namespace {

const std::vector<std::size_t> kNoMembers;

std::wstring TextOrEmpty(const wchar_t* text) { return text ? text : L""; }

}  // namespace

ZEcuDoc::ZEcuDoc() : m_pEcu(new ZEcu(*this)) {
  m_languages.Add(ZLanguage::defaultLangId, defaultLanguageName);
}

ZEcuDoc::~ZEcuDoc() = default;

ZLanguage& ZEcuDoc::AddLanguage(ZLanguageId id, const wchar_t* name) {
  return m_languages.Add(id, name);
}

const ZCategory& ZEcuDoc::CategoryFor(const wchar_t* qualifier) {
  std::unique_ptr<ZCategory>& category = m_categories[TextOrEmpty(qualifier)];
  if (!category) category = std::make_unique<ZCategory>(qualifier);
  return *category;
}

std::unique_ptr<ZDefaultAttr> ZEcuDoc::NewAttribute(ZAttrManager::ZAttrType type,
                                                    const ZDefaultAttr::ZDefinition& definition) {
  switch (type) {
    case ZAttrManager::ATUnsigned:
      return std::unique_ptr<ZDefaultAttr>(new ZUnsignedDefaultAttr(definition));
    case ZAttrManager::ATSigned:
      return std::unique_ptr<ZDefaultAttr>(new ZSignedDefaultAttr(definition));
    case ZAttrManager::ATFloat:
      return std::unique_ptr<ZDefaultAttr>(new ZFloatDefaultAttr(definition));
    case ZAttrManager::ATText:
      return std::unique_ptr<ZDefaultAttr>(new ZTextDefaultAttr(definition));
    case ZAttrManager::ATEnum:
      return std::unique_ptr<ZDefaultAttr>(new ZEnumDefaultAttr(definition));
    case ZAttrManager::ATString:
      return std::unique_ptr<ZDefaultAttr>(new ZCommonStringDefaultAttr(definition));
  }
  throw ZModelError("unknown attribute type " + std::to_string(static_cast<int>(type)));
}

ZDefaultAttr& ZEcuDoc::AddAttribute(ZAttrManager::ZAttrType type, const wchar_t* qualifier,
                                    const wchar_t* categoryQualifier, ZAttrPlacement placement) {
  const std::wstring key = TextOrEmpty(qualifier);
  if (key.empty()) throw ZModelError("empty qualifier");
  if (m_qualifier2position.count(key) != 0) {
    throw ZModelError("duplicate qualifier " + Quoted(key));
  }
  const ZDefaultAttr::ZDefinition definition{this, key.c_str(), &CategoryFor(categoryQualifier),
                                             m_attributes.size()};
  m_attributes.push_back(NewAttribute(type, definition));
  m_qualifier2position.emplace(key, definition.position);
  ZDefaultAttr& attribute = *m_attributes.back();
  if (placement == APHeldByEcu) m_pEcu->DefaultAttributes().Add(attribute);
  return attribute;
}

ZDefaultAttr& ZEcuDoc::AttributeAt(std::size_t position) {
  return *CheckedAt(m_attributes, position, "attribute");
}

const ZDefaultAttr& ZEcuDoc::AttributeAt(std::size_t position) const {
  return *CheckedAt(m_attributes, position, "attribute");
}

const ZDefaultAttr* ZEcuDoc::FindAttribute(const wchar_t* qualifier) const noexcept {
  const auto found = m_qualifier2position.find(TextOrEmpty(qualifier));
  return found == m_qualifier2position.end() ? nullptr : m_attributes[found->second].get();
}

ZDefaultAttr* ZEcuDoc::FindAttribute(const wchar_t* qualifier) noexcept {
  return const_cast<ZDefaultAttr*>(std::as_const(*this).FindAttribute(qualifier));
}

const ZDefaultAttr* ZEcuDoc::FindInterface(const wchar_t* interfaceQualifier) const noexcept {
  const ZDefaultAttr* pAttribute = FindAttribute(interfaceQualifier);
  if (pAttribute == nullptr) return nullptr;
  const wchar_t* category = pAttribute->GetCategory().GetQualifier();
  return std::wcscmp(category, interfaceCategory) == 0 ? pAttribute : nullptr;
}

void ZEcuDoc::AddInterfaceMember(const wchar_t* interfaceQualifier, const ZDefaultAttr& member) {
  if (FindInterface(interfaceQualifier) == nullptr) {
    throw ZModelError("no interface " + Quoted(TextOrEmpty(interfaceQualifier)));
  }
  if (&member.GetOwnerDoc() != this) throw ZModelError("member of another document");
  std::vector<std::size_t>& members = m_interfaceMembers[interfaceQualifier];
  const auto place = std::lower_bound(members.begin(), members.end(), member.GetPosition());
  if (place == members.end() || *place != member.GetPosition()) {
    members.insert(place, member.GetPosition());
  }
}

bool ZEcuDoc::IsInterfaceMember(const wchar_t* interfaceQualifier,
                                const ZDefaultAttr& attribute) const noexcept {
  const std::vector<std::size_t>& members = InterfaceMemberPositions(interfaceQualifier);
  return &attribute.GetOwnerDoc() == this &&
         std::binary_search(members.begin(), members.end(), attribute.GetPosition());
}

const std::vector<std::size_t>& ZEcuDoc::InterfaceMemberPositions(
    const wchar_t* interfaceQualifier) const noexcept {
  const auto found = m_interfaceMembers.find(TextOrEmpty(interfaceQualifier));
  return found == m_interfaceMembers.end() ? kNoMembers : found->second;
}

}  // namespace Pelka
