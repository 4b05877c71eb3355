#include "pelka/AttributeKinds.h"

#include "TextUtil.h"
#include "pelka/AttributeVisitor.h"
#include "pelka/ModelError.h"

#include <Util/IntegerText.h>

#include <string>

namespace Pelka {

namespace {

const wchar_t* TextOf(const ZTranslatable& text) { return text.GetText(ZLanguage::defaultLangId); }

const wchar_t* EnumText(const ZEnumTagTable& table, ZEnumTagId value) {
  const ZEnumTagTable::ConstIterator tag = table.Find(value);
  return tag == table.End() ? L"" : TextOf(tag->GetTagText());
}

// A tag's id, or 0 while there is no tag 0: the "no tag" value a new attribute starts with.
void RequireTag(const ZEnumTagTable& table, ZEnumTagId value) {
  const bool isNoTag = value == 0 && table.Find(0) == table.End();
  if (!isNoTag) table.GetEnumTagSymbolById(value);  // throws when there is no such tag
}

}  // namespace

// ---- default attributes

ZUnsignedDefaultAttr::ZUnsignedDefaultAttr(const ZDefinition& definition)
    : ZDefaultAttr(definition, attrType) {}

const wchar_t* ZUnsignedDefaultAttr::GetValueText() const {
  return CacheValueText(NComParamMan::DecimalText(m_value));
}

void ZUnsignedDefaultAttr::Accept(ZAttributeVisitor& visitor) {
  visitor.VisitUnsignedDefault(*this);
}

ZOverrideAttr* ZUnsignedDefaultAttr::NewOverride(ZAttributable& attributable) {
  return new ZUnsignedOverrideAttr(*this, attributable);
}

ZSignedDefaultAttr::ZSignedDefaultAttr(const ZDefinition& definition)
    : ZDefaultAttr(definition, attrType) {}

const wchar_t* ZSignedDefaultAttr::GetValueText() const {
  return CacheValueText(NComParamMan::DecimalText(m_value));
}

void ZSignedDefaultAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitSignedDefault(*this); }

ZOverrideAttr* ZSignedDefaultAttr::NewOverride(ZAttributable& attributable) {
  return new ZSignedOverrideAttr(*this, attributable);
}

ZFloatDefaultAttr::ZFloatDefaultAttr(const ZDefinition& definition)
    : ZDefaultAttr(definition, attrType) {}

const wchar_t* ZFloatDefaultAttr::GetValueText() const {
  return CacheValueText(FloatToText(m_value));
}

void ZFloatDefaultAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitFloatDefault(*this); }

ZOverrideAttr* ZFloatDefaultAttr::NewOverride(ZAttributable& attributable) {
  return new ZFloatOverrideAttr(*this, attributable);
}

ZTextDefaultAttr::ZTextDefaultAttr(const ZDefinition& definition)
    : ZDefaultAttr(definition, attrType), m_value(*definition.pEcuDoc) {}

void ZTextDefaultAttr::SetText(const wchar_t* text, ZLanguageId languageId, bool markDefined) {
  m_value.SetText(text, languageId, markDefined);
}

const wchar_t* ZTextDefaultAttr::GetValueText() const { return TextOf(m_value); }

void ZTextDefaultAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitTextDefault(*this); }

ZOverrideAttr* ZTextDefaultAttr::NewOverride(ZAttributable& attributable) {
  return new ZTextOverrideAttr(*this, attributable);
}

ZEnumDefaultAttr::ZEnumDefaultAttr(const ZDefinition& definition)
    : ZDefaultAttr(definition, attrType), m_tagTable(*definition.pEcuDoc) {}

void ZEnumDefaultAttr::SetValue(ZEnumTagId value) {
  RequireTag(m_tagTable, value);
  m_value = value;
}

const wchar_t* ZEnumDefaultAttr::GetValueText() const { return EnumText(m_tagTable, m_value); }

void ZEnumDefaultAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitEnumDefault(*this); }

ZOverrideAttr* ZEnumDefaultAttr::NewOverride(ZAttributable& attributable) {
  return new ZEnumOverrideAttr(*this, attributable);
}

ZCommonStringDefaultAttr::ZCommonStringDefaultAttr(const ZDefinition& definition)
    : ZDefaultAttr(definition, attrType) {}

void ZCommonStringDefaultAttr::SetValue(const wchar_t* value) { m_value = value ? value : L""; }

const wchar_t* ZCommonStringDefaultAttr::GetValueText() const { return m_value.c_str(); }

void ZCommonStringDefaultAttr::Accept(ZAttributeVisitor& visitor) {
  visitor.VisitStringDefault(*this);
}

ZOverrideAttr* ZCommonStringDefaultAttr::NewOverride(ZAttributable& attributable) {
  return new ZCommonStringOverrideAttr(*this, attributable);
}

// ---- overrides: each starts with the default value

ZUnsignedOverrideAttr::ZUnsignedOverrideAttr(ZUnsignedDefaultAttr& defaultAttr,
                                             ZAttributable& attributable) noexcept
    : ZOverrideAttr(defaultAttr, attributable), m_value(defaultAttr.GetValue()) {}

const wchar_t* ZUnsignedOverrideAttr::GetValueText() const {
  return CacheValueText(NComParamMan::DecimalText(m_value));
}

void ZUnsignedOverrideAttr::Accept(ZAttributeVisitor& visitor) {
  visitor.VisitUnsignedOverride(*this);
}

ZSignedOverrideAttr::ZSignedOverrideAttr(ZSignedDefaultAttr& defaultAttr,
                                         ZAttributable& attributable) noexcept
    : ZOverrideAttr(defaultAttr, attributable), m_value(defaultAttr.GetValue()) {}

const wchar_t* ZSignedOverrideAttr::GetValueText() const {
  return CacheValueText(NComParamMan::DecimalText(m_value));
}

void ZSignedOverrideAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitSignedOverride(*this); }

ZFloatOverrideAttr::ZFloatOverrideAttr(ZFloatDefaultAttr& defaultAttr,
                                       ZAttributable& attributable) noexcept
    : ZOverrideAttr(defaultAttr, attributable), m_value(defaultAttr.GetValue()) {}

const wchar_t* ZFloatOverrideAttr::GetValueText() const {
  return CacheValueText(FloatToText(m_value));
}

void ZFloatOverrideAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitFloatOverride(*this); }

ZTextOverrideAttr::ZTextOverrideAttr(ZTextDefaultAttr& defaultAttr, ZAttributable& attributable)
    : ZOverrideAttr(defaultAttr, attributable), m_value(defaultAttr.GetValue()) {}

void ZTextOverrideAttr::SetText(const wchar_t* text, ZLanguageId languageId, bool markDefined) {
  m_value.SetText(text, languageId, markDefined);
}

const wchar_t* ZTextOverrideAttr::GetValueText() const { return TextOf(m_value); }

void ZTextOverrideAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitTextOverride(*this); }

ZEnumOverrideAttr::ZEnumOverrideAttr(ZEnumDefaultAttr& defaultAttr,
                                     ZAttributable& attributable) noexcept
    : ZOverrideAttr(defaultAttr, attributable), m_value(defaultAttr.GetValue()) {}

void ZEnumOverrideAttr::SetValue(unsigned short value) {
  RequireTag(TagTable(), value);
  m_value = value;
}

const wchar_t* ZEnumOverrideAttr::GetValueText() const { return EnumText(TagTable(), m_value); }

void ZEnumOverrideAttr::Accept(ZAttributeVisitor& visitor) { visitor.VisitEnumOverride(*this); }

const ZEnumTagTable& ZEnumOverrideAttr::TagTable() const noexcept {
  return static_cast<const ZEnumDefaultAttr&>(GetDefaultAttribute()).EnumTagTable();
}

ZCommonStringOverrideAttr::ZCommonStringOverrideAttr(ZCommonStringDefaultAttr& defaultAttr,
                                                     ZAttributable& attributable)
    : ZOverrideAttr(defaultAttr, attributable), m_value(defaultAttr.GetValue()) {}

void ZCommonStringOverrideAttr::SetValue(const wchar_t* value) { m_value = value ? value : L""; }

const wchar_t* ZCommonStringOverrideAttr::GetValueText() const { return m_value.c_str(); }

void ZCommonStringOverrideAttr::Accept(ZAttributeVisitor& visitor) {
  visitor.VisitStringOverride(*this);
}

}  // namespace Pelka
