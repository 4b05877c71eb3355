#include "EasyAttributeValueWriter.h"

#include <Util/ComParamHelper.h>
#include <Util/Diagnostics.h>
#include <Util/IntegerText.h>
#include <Util/TextConv.h>

#include <pelka/Language.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace Pelka;

namespace {

// atof in the classic "C" locale whatever the process locale: a decimal point, never a comma.
// Should the C library have no such locale to give, the process locale is all there is.
double ReadClassicDouble(const char* text) {
#if defined(_WIN32)
  static const _locale_t classic = _create_locale(LC_ALL, "C");
  return classic ? _strtod_l(text, nullptr, classic) : std::strtod(text, nullptr);
#else
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t{});
  return classic ? strtod_l(text, nullptr, classic) : std::strtod(text, nullptr);
#endif
}

}  // namespace

ZEasyAttributeValueWriter::ZEasyAttributeValueWriter()
    : m_result(WR_Written),
      m_pAttributable(nullptr),
      m_unsignedValue(0),
      m_signedValue(0),
      m_floatValue(0.0),
      m_enumTagId(0) {}

ZEasyAttributeValueWriter::~ZEasyAttributeValueWriter() = default;

int ZEasyAttributeValueWriter::Write(ZDefaultAttr& attribute, ZAttributable* pAttributable,
                                     const wchar_t* value) {
  m_result = WR_Written;
  m_pAttributable = pAttributable;
  m_valueText = NComParamMan::Diag::NonNull(value);
  DispatchAttribute(attribute);
  return m_result;
}

bool ZEasyAttributeValueWriter::IsAtTarget(const ZDefaultAttr& attribute) const {
  if (!m_pAttributable) return false;
  ZDefaultAttrCollection& held = m_pAttributable->DefaultAttributes();
  return held.Find(attribute) != held.End();
}

ZOverrideAttr& ZEasyAttributeValueWriter::FindOrCreateOverride(ZDefaultAttr& attribute) {
  ZOverrideAttrSet& overrides = m_pAttributable->OverriddenAttributes();
  auto found = overrides.Find(attribute);
  return found != overrides.End() ? *found : attribute.CreateOverride(*m_pAttributable);
}

// The override is created only once the text has parsed, so a refused text leaves the
// document as it was.
void ZEasyAttributeValueWriter::WriteParsed(ZDefaultAttr& attribute, ZParse parse) {
  if (!IsAtTarget(attribute)) {
    m_result = WR_NotAtTarget;
  } else if (!(this->*parse)()) {
    m_result = WR_ParseError;
  } else {
    DispatchAttribute(FindOrCreateOverride(attribute));
  }
}

bool ZEasyAttributeValueWriter::ParseUnsigned() {
  const NComParamMan::ZIntegerText number = NComParamMan::ReadInteger(m_valueText.c_str());
  if (number.tooLarge || *number.pEnd != L'\0') return false;
  // A negated magnitude wraps modulo 2^32, as the C library does for unsigned numbers.
  m_unsignedValue = number.negative ? 0u - number.magnitude : number.magnitude;
  return true;
}

bool ZEasyAttributeValueWriter::ParseSigned() {
  const NComParamMan::ZIntegerText number = NComParamMan::ReadInteger(m_valueText.c_str());
  const std::int64_t value =
      number.negative ? -std::int64_t{number.magnitude} : std::int64_t{number.magnitude};
  if (number.tooLarge || value < INT32_MIN || value > INT32_MAX) return false;
  m_signedValue = static_cast<int>(value);
  return true;
}

bool ZEasyAttributeValueWriter::KeepText() { return true; }

bool ZEasyAttributeValueWriter::ParseFloat() {
  const std::string narrow = NComParamMan::ToNarrowString(m_valueText);
  // Text that could not be converted is no number: it must not be stored as 0.
  if (narrow.empty() && !m_valueText.empty()) return false;
  m_floatValue = ReadClassicDouble(narrow.c_str());
  return true;
}

void ZEasyAttributeValueWriter::VisitUnsignedDefault(ZUnsignedDefaultAttr& attribute) {
  WriteParsed(attribute, &ZEasyAttributeValueWriter::ParseUnsigned);
}

void ZEasyAttributeValueWriter::VisitSignedDefault(ZSignedDefaultAttr& attribute) {
  WriteParsed(attribute, &ZEasyAttributeValueWriter::ParseSigned);
}

void ZEasyAttributeValueWriter::VisitFloatDefault(ZFloatDefaultAttr& attribute) {
  WriteParsed(attribute, &ZEasyAttributeValueWriter::ParseFloat);
}

void ZEasyAttributeValueWriter::VisitTextDefault(ZTextDefaultAttr& attribute) {
  WriteParsed(attribute, &ZEasyAttributeValueWriter::KeepText);
}

void ZEasyAttributeValueWriter::VisitStringDefault(ZCommonStringDefaultAttr& attribute) {
  WriteParsed(attribute, &ZEasyAttributeValueWriter::KeepText);
}

void ZEasyAttributeValueWriter::VisitEnumDefault(ZEnumDefaultAttr& attribute) {
  m_result = WR_NotAtTarget;
  ZEnumTagTable& tags = attribute.EnumTagTable();
  for (auto it = tags.Begin(); it != tags.End(); ++it) {
    const ZEnumTagId id = it->GetId();
    const ZTranslatable& tagText = tags.GetEnumTagSymbolById(id).GetTagText();
    if (NComParamMan::CountLanguagesWithText(tagText, m_valueText.c_str(), true) == 0) continue;
    m_enumTagId = id;
    if (IsAtTarget(attribute)) {
      DispatchAttribute(FindOrCreateOverride(attribute));
      m_result = WR_Written;
    }
    return;
  }
  m_result = WR_NoMatchingTag;
}

void ZEasyAttributeValueWriter::VisitUnsignedOverride(ZUnsignedOverrideAttr& attribute) {
  attribute.SetValue(m_unsignedValue);
}

void ZEasyAttributeValueWriter::VisitSignedOverride(ZSignedOverrideAttr& attribute) {
  attribute.SetValue(m_signedValue);
}

void ZEasyAttributeValueWriter::VisitFloatOverride(ZFloatOverrideAttr& attribute) {
  attribute.SetValue(m_floatValue);
}

void ZEasyAttributeValueWriter::VisitTextOverride(ZTextOverrideAttr& attribute) {
  attribute.SetText(m_valueText.c_str(), ZLanguage::defaultLangId, true);
}

void ZEasyAttributeValueWriter::VisitEnumOverride(ZEnumOverrideAttr& attribute) {
  attribute.SetValue(m_enumTagId);
}

void ZEasyAttributeValueWriter::VisitStringOverride(ZCommonStringOverrideAttr& attribute) {
  attribute.SetValue(m_valueText.c_str());
}
