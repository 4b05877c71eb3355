// Attributes of a document: the definition (default) and its value at one attributable (override).
#pragma once

#include <pelka/Export.h>
#include <pelka/Language.h>
#include <pelka/Translatable.h>

#include <cstddef>
#include <string>

namespace Pelka {

class ZAttributable;
class ZAttributeVisitor;
class ZDefaultAttr;
class ZEcuDoc;
class ZOverrideAttr;

class ZAttrManager {
 public:
  // The value kind of an attribute.
  enum ZAttrType {
    ATUnsigned = 0,  // 32-bit unsigned
    ATSigned = 1,    // 32-bit signed
    ATFloat = 2,     // double
    ATText = 3,      // multilingual text
    ATEnum = 4,      // enumeration tag id
    ATString = 5     // plain string
  };
};

// A category groups attributes; attributes without one are in the category with qualifier "".
class PELKA_API ZCategory {
 public:
  explicit ZCategory(const wchar_t* qualifier);

  const wchar_t* GetQualifier() const noexcept { return m_qualifier.c_str(); }

 private:
  std::wstring m_qualifier;
};

// Base of both halves. The definition queries (qualifier, category, names, description,
// modifiability, document) answer for the default attribute, also when asked of an override.
// Texts returned as const wchar_t* stay valid while the attribute lives and is not changed;
// GetValueText's text until the next GetValueText on the same attribute.
class PELKA_API ZAttribute {
 public:
  virtual ~ZAttribute();
  ZAttribute(const ZAttribute&) = delete;
  ZAttribute& operator=(const ZAttribute&) = delete;

  // For an override the attribute it overrides; a default attribute returns itself.
  virtual ZDefaultAttr& GetDefaultAttribute() noexcept = 0;
  virtual const ZDefaultAttr& GetDefaultAttribute() const noexcept = 0;
  bool IsOverride() const noexcept;

  // The attribute's own current value as text:
  //   unsigned and signed: decimal digits, a leading "-" for negative numbers;
  //   floating point: the shortest text that reads back as the same number, in the classic
  //     "C" form whatever the process locale (0.1, 5, -0, 1e+20, inf, nan);
  //   multilingual text: the text in the default language;
  //   enumeration: the text of its tag in the default language, empty when no tag has the id;
  //   plain string: the string as it is.
  virtual const wchar_t* GetValueText() const = 0;

  // Calls the visitor's Visit* operation of this attribute's kind and half.
  virtual void Accept(ZAttributeVisitor& visitor) = 0;

  const wchar_t* GetQualifier() const noexcept;
  const ZCategory& GetCategory() const noexcept;
  const wchar_t* GetName(ZLanguageId languageId) const;
  ZTranslatable& GetDescription() noexcept;
  const ZTranslatable& GetDescription() const noexcept;
  bool MayBeModified() const noexcept;
  ZEcuDoc& GetOwnerDoc() noexcept;
  const ZEcuDoc& GetOwnerDoc() const noexcept;

 protected:
  ZAttribute() noexcept;
  const wchar_t* CacheValueText(std::wstring text) const;

 private:
  mutable std::wstring m_valueText;
};

// The definition of an attribute with its default value. Created by ZEcuDoc::AddAttribute,
// owned by the document.
class PELKA_API ZDefaultAttr : public ZAttribute {
 public:
  // What every kind is built from; filled in by ZEcuDoc.
  struct ZDefinition {
    ZEcuDoc* pEcuDoc;
    const wchar_t* qualifier;
    const ZCategory* pCategory;
    std::size_t position;
  };

  ~ZDefaultAttr() override;

  ZDefaultAttr& GetDefaultAttribute() noexcept override { return *this; }
  const ZDefaultAttr& GetDefaultAttribute() const noexcept override { return *this; }

  // True when the ECU holds an override of this attribute.
  bool HasOverride() const;

  // The override of this attribute at the attributable: a new one holding the default value
  // when there is none yet (found afterwards by OverriddenAttributes().Find), else the one
  // there is. Throws ZModelError for an attributable of another document.
  ZOverrideAttr& CreateOverride(ZAttributable& attributable);

  ZTranslatable& GetNames() noexcept { return m_names; }
  const ZTranslatable& GetNames() const noexcept { return m_names; }
  void SetMayBeModified(bool mayBeModified) noexcept { m_mayBeModified = mayBeModified; }

  // Index in the document order of all attributes (ZEcuDoc::AttributeAt).
  std::size_t GetPosition() const noexcept { return m_position; }

 protected:
  ZDefaultAttr(const ZDefinition& definition, ZAttrManager::ZAttrType type);

 private:
  friend class ZAttribute;
  friend class ZAttrTypeChecker;

  // A new override of this attribute's kind, holding the current default value.
  virtual ZOverrideAttr* NewOverride(ZAttributable& attributable) = 0;

  ZEcuDoc* m_pOwnerDoc;
  ZAttrManager::ZAttrType m_type;
  std::wstring m_qualifier;
  const ZCategory* m_pCategory;
  ZTranslatable m_names;
  ZTranslatable m_description;
  bool m_mayBeModified = true;
  std::size_t m_position;
};

// The value of a default attribute at one attributable. Created by CreateOverride, owned by the
// attributable's override set.
class PELKA_API ZOverrideAttr : public ZAttribute {
 public:
  ~ZOverrideAttr() override;

  ZDefaultAttr& GetDefaultAttribute() noexcept override { return *m_pDefaultAttr; }
  const ZDefaultAttr& GetDefaultAttribute() const noexcept override { return *m_pDefaultAttr; }

  ZAttributable& GetAttributable() const noexcept { return *m_pAttributable; }

 protected:
  ZOverrideAttr(ZDefaultAttr& defaultAttr, ZAttributable& attributable) noexcept;

 private:
  ZDefaultAttr* m_pDefaultAttr;
  ZAttributable* m_pAttributable;
};

}  // namespace Pelka
