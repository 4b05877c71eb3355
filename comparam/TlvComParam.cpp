#include "TlvComParam.h"

#include "EasyAttributeValueWriter.h"

#include <Util/ComParamHelper.h>
#include <Util/Diagnostics.h>
#include <comparam/DocumentParams.h>

#include <pelka/AttrUtilities.h>
#include <pelka/AttributeKinds.h>
#include <pelka/EcuDoc.h>

#include <cstddef>
#include <cwchar>
#include <limits>
#include <optional>

using namespace Pelka;

namespace NComParamMan {

namespace {

// A new tag takes the tag count as its id. Where that id is taken (ids not dense from 0) it
// takes the next free id above, wrapping round to 0; none when all ids are taken.
std::optional<ZEnumTagId> FreeTagIdFromCount(const ZEnumTagTable& tags) {
  constexpr std::size_t kIdCount = std::size_t{std::numeric_limits<ZEnumTagId>::max()} + 1;
  if (tags.Count() >= kIdCount) return std::nullopt;
  ZEnumTagId id = static_cast<ZEnumTagId>(tags.Count());
  while (tags.Find(id) != tags.End()) ++id;
  return id;
}

bool IsHeldByEcu(ZDefaultAttr& attribute) {
  ZDefaultAttrCollection& held = attribute.GetOwnerDoc().GetEcu().DefaultAttributes();
  return held.Find(attribute) != held.End();
}

}  // namespace

ZTlvComParam::ZTlvComParam(ZDefaultAttr& defaultAttr)
    : m_pDefaultAttr(&defaultAttr),
      m_pOverrideAttr(nullptr),
      m_qualifier(GetDocumentSideName(defaultAttr.GetQualifier())),
      m_attrType(ZAttrTypeChecker::GetAttrType(defaultAttr)),
      m_decimal() {
  if (!defaultAttr.HasOverride()) return;
  ZOverrideAttrSet& overrides = defaultAttr.GetOwnerDoc().GetEcu().OverriddenAttributes();
  const auto found = overrides.Find(defaultAttr);
  if (found != overrides.End()) m_pOverrideAttr = &*found;
  COMPARAM_CHECK(m_pOverrideAttr != nullptr, L"m_pOverrideAttr!=NULL");
}

ZTlvComParam::ZTlvComParam(ZAttribute& ecuAttribute)
    : m_pDefaultAttr(&ecuAttribute.GetDefaultAttribute()),
      m_pOverrideAttr(ecuAttribute.IsOverride() ? static_cast<ZOverrideAttr*>(&ecuAttribute)
                                                : nullptr),
      m_qualifier(GetDocumentSideName(m_pDefaultAttr->GetQualifier())),
      m_attrType(ZAttrTypeChecker::GetAttrType(*m_pDefaultAttr)),
      m_decimal() {}

ZTlvComParam::~ZTlvComParam() = default;

ZAttribute& ZTlvComParam::SourceAttr() const {
  return m_pOverrideAttr ? static_cast<ZAttribute&>(*m_pOverrideAttr) : *m_pDefaultAttr;
}

const wchar_t* ZTlvComParam::GetQualifier() const { return m_qualifier; }

// Read when asked: only listings use it, and a copy for every view cost an allocation each.
const wchar_t* ZTlvComParam::GetCategoryQualifier() const {
  return GetDocumentSideName(m_pDefaultAttr->GetCategory().GetQualifier());
}

const wchar_t* ZTlvComParam::GetName() const {
  return m_pDefaultAttr->GetName(ZLanguage::defaultLangId);
}

const wchar_t* ZTlvComParam::GetDescription() const {
  return m_pDefaultAttr->GetDescription().GetText(ZLanguage::defaultLangId);
}

bool ZTlvComParam::GetMayBeModified() const { return m_pDefaultAttr->MayBeModified(); }

const wchar_t* ZTlvComParam::GetValue() {
  ZAttribute& source = SourceAttr();
  if (m_attrType != ZAttrManager::ATUnsigned) return source.GetValueText();
  return WriteDecimal(m_decimal, ZAttrValueReader::GetUnsignedValue(source));
}

bool ZTlvComParam::SetValue(const wchar_t* value, bool addMissingEnumTag) {
  const wchar_t* text = Diag::NonNull(value);
  if (std::wcscmp(GetValue(), text) == 0) return true;
  ZDefaultAttr& defaultAttr = *m_pDefaultAttr;
  ZEasyAttributeValueWriter writer;
  switch (writer.Write(defaultAttr, &defaultAttr.GetOwnerDoc().GetEcu(), text)) {
    case ZEasyAttributeValueWriter::WR_Written: return true;
    case ZEasyAttributeValueWriter::WR_NoMatchingTag:
      return addMissingEnumTag && AddEnumTagAndSet(text);
    case ZEasyAttributeValueWriter::WR_NotAtTarget:
      COMPARAM_LOG(Logging::LevelError, L"ZTlvComParam::SetValue: Bad attribute");
      return false;
    case ZEasyAttributeValueWriter::WR_ParseError:
      COMPARAM_LOG(Logging::LevelError, L"ZTlvComParam::SetValue: Parse error");
      return false;
    default:
      COMPARAM_LOG(Logging::LevelError, L"ZTlvComParam::SetValue: Default case hit");
      return false;
  }
}

bool ZTlvComParam::AddEnumTagAndSet(const wchar_t* value) {
  // Only an enumeration reports a missing tag.
  ZEnumDefaultAttr& enumAttr = static_cast<ZEnumDefaultAttr&>(*m_pDefaultAttr);
  // The write that follows would fail: the shared tag table must not change for nothing.
  if (!IsHeldByEcu(enumAttr)) {
    COMPARAM_LOG(Logging::LevelError, L"ZTlvComParam::SetValue: Bad attribute");
    return false;
  }
  const std::optional<ZEnumTagId> tag = FreeTagIdFromCount(enumAttr.EnumTagTable());
  if (!tag) {
    COMPARAM_LOG(Logging::LevelError,
                 L"ZTlvComParam::SetValue: No free enumeration tag id for " << value);
    return false;
  }
  AddEnumTag(enumAttr, *tag, value);
  return SetValue(value, false);
}

void ZTlvComParam::PrintOn(std::wostream& stream) const {
  stream << L"[n:" << GetName() << L",q:" << m_qualifier << L",c:" << GetCategoryQualifier()
         << L"]";
}

}  // namespace NComParamMan
