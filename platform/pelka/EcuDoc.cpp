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

std::wstring_view TextView(const wchar_t* text) { return text ? text : L""; }

bool IsInterface(const ZDefaultAttr& attribute) {
  return std::wcscmp(attribute.GetCategory().GetQualifier(), ZEcuDoc::interfaceCategory) == 0;
}

}  // namespace

ZEcuDoc::ZEcuDoc() : m_pEcu(new ZEcu(*this)) {
  m_languages.Add(ZLanguage::defaultLangId, defaultLanguageName);
}

ZEcuDoc::~ZEcuDoc() = default;

ZLanguage& ZEcuDoc::AddLanguage(ZLanguageId id, const wchar_t* name) {
  return m_languages.Add(id, name);
}

const ZCategory& ZEcuDoc::CategoryFor(const wchar_t* qualifier) {
  const std::wstring_view key = TextView(qualifier);
  auto found = m_categories.find(key);
  if (found == m_categories.end()) {
    found = m_categories.emplace(std::wstring(key), std::make_unique<ZCategory>(qualifier)).first;
  }
  return *found->second;
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
  const std::wstring_view key = TextView(qualifier);
  if (key.empty()) throw ZModelError("empty qualifier");
  if (m_qualifier2position.count(key) != 0) {
    throw ZModelError("duplicate qualifier " + Quoted(std::wstring(key)));
  }
  const ZDefaultAttr::ZDefinition definition{this, key.data(), &CategoryFor(categoryQualifier),
                                             m_attributes.size()};
  m_attributes.push_back(NewAttribute(type, definition));
  ZDefaultAttr& attribute = *m_attributes.back();
  try {
    m_qualifier2position.emplace(attribute.GetQualifier(), definition.position);
  } catch (...) {
    m_attributes.pop_back();
    throw;
  }
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
  const auto found = m_qualifier2position.find(TextView(qualifier));
  return found == m_qualifier2position.end() ? nullptr : m_attributes[found->second].get();
}

ZDefaultAttr* ZEcuDoc::FindAttribute(const wchar_t* qualifier) noexcept {
  return const_cast<ZDefaultAttr*>(std::as_const(*this).FindAttribute(qualifier));
}

const ZDefaultAttr* ZEcuDoc::FindInterface(const wchar_t* interfaceQualifier) const noexcept {
  const ZDefaultAttr* pAttribute = FindAttribute(interfaceQualifier);
  return pAttribute != nullptr && IsInterface(*pAttribute) ? pAttribute : nullptr;
}

std::vector<std::wstring> ZEcuDoc::InterfaceQualifiers() const {
  std::vector<std::wstring> qualifiers;
  for (const std::unique_ptr<ZDefaultAttr>& pAttribute : m_attributes) {
    if (IsInterface(*pAttribute)) qualifiers.emplace_back(pAttribute->GetQualifier());
  }
  return qualifiers;
}

void ZEcuDoc::AddInterfaceMember(const wchar_t* interfaceQualifier, const ZDefaultAttr& member) {
  const ZDefaultAttr* pInterface = FindInterface(interfaceQualifier);
  if (pInterface == nullptr) {
    throw ZModelError("no interface " + Quoted(std::wstring(TextView(interfaceQualifier))));
  }
  if (&member.GetOwnerDoc() != this) throw ZModelError("member of another document");
  std::vector<std::size_t>& members = m_interfaceMembers[pInterface->GetQualifier()];
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
  const auto found = m_interfaceMembers.find(TextView(interfaceQualifier));
  return found == m_interfaceMembers.end() ? kNoMembers : found->second;
}

void ZEcuDoc::SetOdxOrigin(std::unique_ptr<ZOdxOrigin> pOrigin) noexcept {
  m_pOdxOrigin = std::move(pOrigin);
}

}  // namespace Pelka
