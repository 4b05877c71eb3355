// The ECU document: languages, attributes, the ECU and the interfaces of the ECU.
#pragma once

#include <pelka/Attributable.h>
#include <pelka/Attribute.h>
#include <pelka/Export.h>
#include <pelka/Language.h>
#include <pelka/OdxOrigin.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Pelka {

// Who holds a new attribute: the ECU itself (it is among the ECU's DefaultAttributes()), or the
// document only, from which the ECU inherits it (visible at the ECU, not held by it).
enum ZAttrPlacement { APHeldByEcu, APInheritedOnly };

// A new document has one ECU, no attribute and one language: the default one, named "Default".
// Attributes keep the order in which they are added (the document order); qualifiers are unique.
//
// Interfaces: an interface is an attribute whose category qualifier is "COM.INTERFACES"; its own
// qualifier is the interface qualifier. The document records which attributes are the
// communication parameters (members) of which interface; an attribute may be a member of several.
class PELKA_API ZEcuDoc {
 public:
  // Use these constants by value: a Windows DLL does not export a class's inline constants, so
  // binding one to a reference fails to link there.
  static constexpr const wchar_t* interfaceCategory = L"COM.INTERFACES";
  static constexpr const wchar_t* defaultLanguageName = L"Default";

  ZEcuDoc();
  ~ZEcuDoc();
  ZEcuDoc(const ZEcuDoc&) = delete;
  ZEcuDoc& operator=(const ZEcuDoc&) = delete;

  ZEcu& GetEcu() noexcept { return *m_pEcu; }
  const ZEcu& GetEcu() const noexcept { return *m_pEcu; }

  ZLanguageSet& Languages() noexcept { return m_languages; }
  const ZLanguageSet& Languages() const noexcept { return m_languages; }
  // Appends a language; throws ZModelError when the id is taken.
  ZLanguage& AddLanguage(ZLanguageId id, const wchar_t* name);

  // Appends a default attribute of that kind with the kind's initial value (0, 0.0, empty text,
  // tag id 0, empty string), modifiable, without names, in the category with that qualifier
  // (null reads as ""). Throws ZModelError for an empty or duplicate qualifier.
  ZDefaultAttr& AddAttribute(ZAttrManager::ZAttrType type, const wchar_t* qualifier,
                             const wchar_t* categoryQualifier = L"",
                             ZAttrPlacement placement = APHeldByEcu);
  // Typed form, for instance AddAttribute<ZUnsignedDefaultAttr>(L"CP.P2", L"CP.TIMING").
  template <class TDefaultAttr>
  TDefaultAttr& AddAttribute(const wchar_t* qualifier, const wchar_t* categoryQualifier = L"",
                             ZAttrPlacement placement = APHeldByEcu) {
    return static_cast<TDefaultAttr&>(
        AddAttribute(TDefaultAttr::attrType, qualifier, categoryQualifier, placement));
  }

  // All attributes in document order, held by the ECU or inherited.
  std::size_t AttributeCount() const noexcept { return m_attributes.size(); }
  ZDefaultAttr& AttributeAt(std::size_t position);
  const ZDefaultAttr& AttributeAt(std::size_t position) const;
  // The attribute with that exact qualifier, or null.
  ZDefaultAttr* FindAttribute(const wchar_t* qualifier) noexcept;
  const ZDefaultAttr* FindAttribute(const wchar_t* qualifier) const noexcept;

  // The interface attribute with that qualifier, or null.
  const ZDefaultAttr* FindInterface(const wchar_t* interfaceQualifier) const noexcept;
  // The qualifiers of all interfaces, in document order.
  std::vector<std::wstring> InterfaceQualifiers() const;
  // Makes the attribute a member of the interface (again: no change). Throws ZModelError when
  // there is no such interface or the attribute belongs to another document.
  void AddInterfaceMember(const wchar_t* interfaceQualifier, const ZDefaultAttr& member);
  bool IsInterfaceMember(const wchar_t* interfaceQualifier,
                         const ZDefaultAttr& attribute) const noexcept;
  // The document positions of the interface's members, ascending; empty for an unknown
  // interface. The reference stays valid while the document lives.
  const std::vector<std::size_t>& InterfaceMemberPositions(
      const wchar_t* interfaceQualifier) const noexcept;

  // Where the values of a document read from ODX live; null for any other document.
  const ZOdxOrigin* GetOdxOrigin() const noexcept { return m_pOdxOrigin.get(); }
  void SetOdxOrigin(std::unique_ptr<ZOdxOrigin> pOrigin) noexcept;

 private:
  const ZCategory& CategoryFor(const wchar_t* qualifier);
  std::unique_ptr<ZDefaultAttr> NewAttribute(ZAttrManager::ZAttrType type,
                                             const ZDefaultAttr::ZDefinition& definition);

  ZLanguageSet m_languages;
  std::map<std::wstring, std::unique_ptr<ZCategory>, std::less<>> m_categories;
  std::vector<std::unique_ptr<ZDefaultAttr>> m_attributes;
  // Keyed by views of the attributes' own qualifiers, so lookups copy no text.
  std::unordered_map<std::wstring_view, std::size_t> m_qualifier2position;
  std::unordered_map<std::wstring_view, std::vector<std::size_t>> m_interfaceMembers;
  std::unique_ptr<ZOdxOrigin> m_pOdxOrigin;
  std::unique_ptr<ZEcu> m_pEcu;  // last: its overrides go before the attributes they override
};

// True when both documents hold the same content: languages (ids, names, order), attributes in
// document order (kind, qualifier, category, placement, modifiability, names, description,
// default value, override at the ECU and its value, enumeration tags and their texts) and
// interface members. Texts compare per language of the document, text and defined flag. Float
// values compare equal when both are NaN. When they differ and pDifference is given, it receives
// a UTF-8 description of the first difference.
PELKA_API bool EqualDocuments(const ZEcuDoc& left, const ZEcuDoc& right,
                              std::string* pDifference = nullptr);

}  // namespace Pelka
