// The six value kinds, each a default attribute and its override.
#pragma once

#include <pelka/Attribute.h>
#include <pelka/EnumTagTable.h>
#include <pelka/Export.h>
#include <pelka/Translatable.h>

#include <string>

namespace Pelka {

// attrType of each default class is its kind, for ZEcuDoc::AddAttribute<T>; use it by value (see
// ZEcuDoc's constants).

class ZUnsignedOverrideAttr;
class ZSignedOverrideAttr;
class ZFloatOverrideAttr;
class ZTextOverrideAttr;
class ZEnumOverrideAttr;
class ZCommonStringOverrideAttr;

class PELKA_API ZUnsignedDefaultAttr : public ZDefaultAttr {
 public:
  static constexpr ZAttrManager::ZAttrType attrType = ZAttrManager::ATUnsigned;
  using OverrideType = ZUnsignedOverrideAttr;

  unsigned GetValue() const noexcept { return m_value; }
  void SetValue(unsigned value) noexcept { m_value = value; }
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZEcuDoc;
  explicit ZUnsignedDefaultAttr(const ZDefinition& definition);
  ZOverrideAttr* NewOverride(ZAttributable& attributable) override;

  unsigned m_value = 0;
};

class PELKA_API ZSignedDefaultAttr : public ZDefaultAttr {
 public:
  static constexpr ZAttrManager::ZAttrType attrType = ZAttrManager::ATSigned;
  using OverrideType = ZSignedOverrideAttr;

  int GetValue() const noexcept { return m_value; }
  void SetValue(int value) noexcept { m_value = value; }
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZEcuDoc;
  explicit ZSignedDefaultAttr(const ZDefinition& definition);
  ZOverrideAttr* NewOverride(ZAttributable& attributable) override;

  int m_value = 0;
};

class PELKA_API ZFloatDefaultAttr : public ZDefaultAttr {
 public:
  static constexpr ZAttrManager::ZAttrType attrType = ZAttrManager::ATFloat;
  using OverrideType = ZFloatOverrideAttr;

  double GetValue() const noexcept { return m_value; }
  void SetValue(double value) noexcept { m_value = value; }
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZEcuDoc;
  explicit ZFloatDefaultAttr(const ZDefinition& definition);
  ZOverrideAttr* NewOverride(ZAttributable& attributable) override;

  double m_value = 0.0;
};

// Multilingual text; its value is a ZTranslatable, empty in every language at first.
class PELKA_API ZTextDefaultAttr : public ZDefaultAttr {
 public:
  static constexpr ZAttrManager::ZAttrType attrType = ZAttrManager::ATText;
  using OverrideType = ZTextOverrideAttr;

  ZTranslatable& GetValue() noexcept { return m_value; }
  const ZTranslatable& GetValue() const noexcept { return m_value; }
  // As ZTranslatable::SetText: markDefined true also marks the text defined in that language.
  void SetText(const wchar_t* text, ZLanguageId languageId, bool markDefined);
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZEcuDoc;
  explicit ZTextDefaultAttr(const ZDefinition& definition);
  ZOverrideAttr* NewOverride(ZAttributable& attributable) override;

  ZTranslatable m_value;
};

// Enumeration: the value is the id of a tag of its table, or 0 while the table has no tag 0 (the
// "no tag" value a new attribute starts with).
class PELKA_API ZEnumDefaultAttr : public ZDefaultAttr {
 public:
  static constexpr ZAttrManager::ZAttrType attrType = ZAttrManager::ATEnum;
  using OverrideType = ZEnumOverrideAttr;

  ZEnumTagTable& EnumTagTable() noexcept { return m_tagTable; }
  const ZEnumTagTable& EnumTagTable() const noexcept { return m_tagTable; }

  ZEnumTagId GetValue() const noexcept { return m_value; }
  // Throws ZModelError when no tag has that id, except for the "no tag" value 0.
  void SetValue(ZEnumTagId value);
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZEcuDoc;
  explicit ZEnumDefaultAttr(const ZDefinition& definition);
  ZOverrideAttr* NewOverride(ZAttributable& attributable) override;

  ZEnumTagTable m_tagTable;
  ZEnumTagId m_value = 0;
};

class PELKA_API ZCommonStringDefaultAttr : public ZDefaultAttr {
 public:
  static constexpr ZAttrManager::ZAttrType attrType = ZAttrManager::ATString;
  using OverrideType = ZCommonStringOverrideAttr;

  const wchar_t* GetValue() const noexcept { return m_value.c_str(); }
  // Null reads as empty.
  void SetValue(const wchar_t* value);
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZEcuDoc;
  explicit ZCommonStringDefaultAttr(const ZDefinition& definition);
  ZOverrideAttr* NewOverride(ZAttributable& attributable) override;

  std::wstring m_value;
};

class PELKA_API ZUnsignedOverrideAttr : public ZOverrideAttr {
 public:
  unsigned GetValue() const noexcept { return m_value; }
  void SetValue(unsigned value) noexcept { m_value = value; }
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZUnsignedDefaultAttr;
  ZUnsignedOverrideAttr(ZUnsignedDefaultAttr& defaultAttr, ZAttributable& attributable) noexcept;

  unsigned m_value;
};

class PELKA_API ZSignedOverrideAttr : public ZOverrideAttr {
 public:
  int GetValue() const noexcept { return m_value; }
  void SetValue(int value) noexcept { m_value = value; }
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZSignedDefaultAttr;
  ZSignedOverrideAttr(ZSignedDefaultAttr& defaultAttr, ZAttributable& attributable) noexcept;

  int m_value;
};

class PELKA_API ZFloatOverrideAttr : public ZOverrideAttr {
 public:
  double GetValue() const noexcept { return m_value; }
  void SetValue(double value) noexcept { m_value = value; }
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZFloatDefaultAttr;
  ZFloatOverrideAttr(ZFloatDefaultAttr& defaultAttr, ZAttributable& attributable) noexcept;

  double m_value;
};

class PELKA_API ZTextOverrideAttr : public ZOverrideAttr {
 public:
  ZTranslatable& GetValue() noexcept { return m_value; }
  const ZTranslatable& GetValue() const noexcept { return m_value; }
  // As ZTranslatable::SetText: markDefined true also marks the text defined in that language.
  void SetText(const wchar_t* text, ZLanguageId languageId, bool markDefined);
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZTextDefaultAttr;
  ZTextOverrideAttr(ZTextDefaultAttr& defaultAttr, ZAttributable& attributable);

  ZTranslatable m_value;
};

class PELKA_API ZEnumOverrideAttr : public ZOverrideAttr {
 public:
  ZEnumTagId GetValue() const noexcept { return m_value; }
  // As ZEnumDefaultAttr::SetValue, against the default attribute's table.
  void SetValue(unsigned short value);
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZEnumDefaultAttr;
  ZEnumOverrideAttr(ZEnumDefaultAttr& defaultAttr, ZAttributable& attributable) noexcept;
  const ZEnumTagTable& TagTable() const noexcept;

  ZEnumTagId m_value;
};

class PELKA_API ZCommonStringOverrideAttr : public ZOverrideAttr {
 public:
  const wchar_t* GetValue() const noexcept { return m_value.c_str(); }
  // Null reads as empty.
  void SetValue(const wchar_t* value);
  const wchar_t* GetValueText() const override;
  void Accept(ZAttributeVisitor& visitor) override;

 private:
  friend class ZCommonStringDefaultAttr;
  ZCommonStringOverrideAttr(ZCommonStringDefaultAttr& defaultAttr, ZAttributable& attributable);

  std::wstring m_value;
};

}  // namespace Pelka
