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
#include <iterator>
#include <limits>
#include <optional>

using namespace Pelka;

namespace NComParamMan {

namespace {

constexpr int kDecimalBase = 10;

// Decimal digits of the number, written into text's own storage: std::to_wstring goes through
// the C library's formatted output, which cost more than the rest of reading a value.
void AssignDecimal(std::wstring& text, unsigned number) {
  wchar_t digits[std::numeric_limits<unsigned>::digits10 + 1];
  wchar_t* const end = std::end(digits);
  wchar_t* first = end;
  do {
    *--first = static_cast<wchar_t>(L'0' + number % 10);
    number /= 10;
  } while (number != 0);
  text.assign(first, end);
}

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

ZTlvComParam::ZTlvComParam(ZDefaultAttr* pDefaultAttr)
    : m_pDefaultAttr(pDefaultAttr), m_pOverrideAttr(nullptr), m_attrType(ZAttrManager::ATUnsigned) {
  // A view without an attribute stays inert; each accessor then reports it.
  if (!m_pDefaultAttr) return;
  m_attrType = ZAttrTypeChecker::GetAttrType(*m_pDefaultAttr);
  m_qualifier = GetDocumentSideName(m_pDefaultAttr->GetQualifier());
  m_categoryQualifier = GetDocumentSideName(m_pDefaultAttr->GetCategory().GetQualifier());
  if (!m_pDefaultAttr->HasOverride()) return;
  ZOverrideAttrSet& overrides = m_pDefaultAttr->GetOwnerDoc().GetEcu().OverriddenAttributes();
  const auto found = overrides.Find(*m_pDefaultAttr);
  if (found != overrides.End()) m_pOverrideAttr = &*found;
  COMPARAM_CHECK(m_pOverrideAttr != nullptr, L"m_pOverrideAttr!=NULL");
}

ZTlvComParam::~ZTlvComParam() = default;

ZDefaultAttr& ZTlvComParam::DefaultAttr() const {
  COMPARAM_CHECK(m_pDefaultAttr, L"m_pDefaultAttr");
  return *m_pDefaultAttr;
}

ZAttribute& ZTlvComParam::SourceAttr() const {
  ZDefaultAttr& defaultAttr = DefaultAttr();
  return m_pOverrideAttr ? static_cast<ZAttribute&>(*m_pOverrideAttr) : defaultAttr;
}

const wchar_t* ZTlvComParam::GetQualifier() const {
  DefaultAttr();
  return m_qualifier.c_str();
}

const wchar_t* ZTlvComParam::GetCategoryQualifier() const {
  DefaultAttr();
  return m_categoryQualifier.c_str();
}

const wchar_t* ZTlvComParam::GetName() const {
  return DefaultAttr().GetName(ZLanguage::defaultLangId);
}

const wchar_t* ZTlvComParam::GetDescription() const {
  return DefaultAttr().GetDescription().GetText(ZLanguage::defaultLangId);
}

bool ZTlvComParam::GetMayBeModified() const { return DefaultAttr().MayBeModified(); }

const wchar_t* ZTlvComParam::GetValue() {
  ZAttribute& source = SourceAttr();
  if (m_attrType != ZAttrManager::ATUnsigned) return source.GetValueText();
  AssignDecimal(m_valueText, ZAttrValueReader::GetUnsignedValue(source));
  return m_valueText.c_str();
}

bool ZTlvComParam::SetValue(const wchar_t* value, bool addMissingEnumTag) {
  const wchar_t* text = Diag::NonNull(value);
  if (std::wcscmp(GetValue(), text) == 0) return true;
  ZDefaultAttr& defaultAttr = DefaultAttr();
  ZEasyAttributeValueWriter writer;
  switch (writer.Write(defaultAttr, &defaultAttr.GetOwnerDoc().GetEcu(), text, kDecimalBase)) {
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
  ZEnumDefaultAttr& enumAttr = static_cast<ZEnumDefaultAttr&>(DefaultAttr());
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
  // Checked before anything is written, so a broken view prints nothing.
  const wchar_t* name = GetName();
  stream << L"[n:" << name << L",q:" << m_qualifier << L",c:" << m_categoryQualifier << L"]";
}

}  // namespace NComParamMan
