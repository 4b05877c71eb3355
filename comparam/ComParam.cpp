#include <comparam/ComParam.h>

#include <Util/Diagnostics.h>
#include <Util/IntegerText.h>

#include <climits>

namespace NComParamMan {

namespace {

// One line of the PrintOn block; the label arrives already padded.
template <typename T>
void PrintField(std::wostream& stream, const wchar_t* paddedLabel, const T& field) {
  stream << L'\t' << paddedLabel << L'\'' << field << L'\'' << std::endl;
}

}  // namespace

// ---- ZValidValueSet ----

ZValidValueSet::ZValidValueSet() = default;
ZValidValueSet::ZValidValueSet(const ZValidValueSet& other) = default;
// A parameter reset to its prototype gets the set it has already: the set's own assignment would
// build every text anew.
ZValidValueSet& ZValidValueSet::operator=(const ZValidValueSet& other) {
  if (m_values != other.m_values) m_values = other.m_values;
  return *this;
}
ZValidValueSet::~ZValidValueSet() = default;

void ZValidValueSet::AddValidValue(const wchar_t* value) { m_values.insert(Diag::NonNull(value)); }

bool ZValidValueSet::Contains(const wchar_t* value) const {
  return m_values.count(Diag::NonNull(value)) != 0;
}

bool ZValidValueSet::IsEmpty() const { return m_values.empty(); }

const std::set<std::wstring>& ZValidValueSet::GetValues() const { return m_values; }

// ---- ZComParam ----

ZComParam::ZComParam()
    : m_valueType(CPTString), m_valueInvalid(true), m_isSimulated(true), m_mayBeModified(true) {}

ZComParam::ZComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                     bool mayBeModified, const wchar_t* name, const wchar_t* path,
                     const wchar_t* qualifier, const wchar_t* startRange, const wchar_t* stopRange,
                     ZComParamType valueType, const wchar_t* value)
    : m_valueType(valueType),
      m_startRange(Diag::NonNull(startRange)),
      m_stopRange(Diag::NonNull(stopRange)),
      m_value(Diag::NonNull(value)),
      m_valueInvalid(true),
      m_alias(Diag::NonNull(alias)),
      m_description(Diag::NonNull(description)),
      m_isSimulated(isSimulated),
      m_mayBeModified(mayBeModified),
      m_name(Diag::NonNull(name)),
      m_path(Diag::NonNull(path)),
      m_qualifier(Diag::NonNull(qualifier)) {}

ZComParam::ZComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                     bool mayBeModified, const wchar_t* name, const wchar_t* path,
                     const wchar_t* qualifier, ZValidValueSet validValues, ZComParamType valueType,
                     const wchar_t* value)
    : ZComParam(alias, description, isSimulated, mayBeModified, name, path, qualifier, L"0", L"0",
                valueType, value) {
  m_validValues = validValues;
}

ZComParam::ZComParam(const ZComParam& other) = default;
ZComParam& ZComParam::operator=(const ZComParam& other) = default;
ZComParam::~ZComParam() = default;

void ZComParam::Initialize(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                           bool mayBeModified, const wchar_t* name, const wchar_t* path,
                           const wchar_t* qualifier, const wchar_t* startRange,
                           const wchar_t* stopRange, ZComParamType valueType,
                           const wchar_t* value) {
  m_alias = Diag::NonNull(alias);
  m_description = Diag::NonNull(description);
  m_isSimulated = isSimulated;
  m_mayBeModified = mayBeModified;
  m_name = Diag::NonNull(name);
  m_path = Diag::NonNull(path);
  m_qualifier = Diag::NonNull(qualifier);
  m_startRange = Diag::NonNull(startRange);
  m_stopRange = Diag::NonNull(stopRange);
  m_valueType = valueType;
  m_value = Diag::NonNull(value);
}

bool ZComParam::HasValidValue() const { return !m_valueInvalid; }

bool ZComParam::SetValue(const wchar_t* value) {
  const wchar_t* text = Diag::NonNull(value);
  if (!IsValidValue(text)) {
    COMPARAM_LOG(Logging::LevelError, L"Setting COM parameter '" << m_qualifier << L"' to value '"
                                                                 << text
                                                                 << L"' failed. Invalid value!");
    m_valueInvalid = true;
    return false;
  }
  m_valueInvalid = false;
  m_value = text;
  return true;
}

const wchar_t* ZComParam::GetAlias() const { return m_alias.c_str(); }
void ZComParam::SetAlias(const wchar_t* alias) { m_alias = Diag::NonNull(alias); }
const wchar_t* ZComParam::GetDescription() const { return m_description.c_str(); }
void ZComParam::SetDescription(const wchar_t* description) {
  m_description = Diag::NonNull(description);
}
const wchar_t* ZComParam::GetName() const { return m_name.c_str(); }
void ZComParam::SetName(const wchar_t* name) { m_name = Diag::NonNull(name); }
const wchar_t* ZComParam::GetPath() const { return m_path.c_str(); }
void ZComParam::SetPath(const wchar_t* path) { m_path = Diag::NonNull(path); }
const wchar_t* ZComParam::GetQualifier() const { return m_qualifier.c_str(); }
void ZComParam::SetQualifier(const wchar_t* qualifier) { m_qualifier = Diag::NonNull(qualifier); }
bool ZComParam::GetIsSimulated() const { return m_isSimulated; }
void ZComParam::SetIsSimulated(bool isSimulated) { m_isSimulated = isSimulated; }
bool ZComParam::GetMayBeModified() const { return m_mayBeModified; }
void ZComParam::SetMayBeModified(bool mayBeModified) { m_mayBeModified = mayBeModified; }
const wchar_t* ZComParam::GetValue() const { return m_value.c_str(); }
const wchar_t* ZComParam::GetStartRange() const { return m_startRange.c_str(); }
const wchar_t* ZComParam::GetStopRange() const { return m_stopRange.c_str(); }
ZComParam::ZComParamType ZComParam::GetValueType() const { return m_valueType; }

const ZValidValueSet& ZComParam::GetValidValues() const { return m_validValues; }

void ZComParam::PrintOn(std::wostream& stream) const {
  stream << L"ComParam" << std::endl << L"{" << std::endl;
  PrintField(stream, L"Alias         ", m_alias);
  PrintField(stream, L"Name          ", m_name);
  PrintField(stream, L"NormQualifier ", m_qualifier);
  PrintField(stream, L"Description   ", m_description);
  PrintField(stream, L"Value         ", m_value);
  PrintField(stream, L"IsSimulated   ", m_isSimulated);
  PrintField(stream, L"MayBeModified ", m_mayBeModified);
  stream << L"}" << std::endl;
}

// Not wcstoul: unsigned long is 64 bits on some platforms, and the reading must wrap and
// overflow at 32 bits everywhere.
bool ZComParam::RetrieveUnsigned(const wchar_t* text, unsigned& out) {
  const ZIntegerText number = ReadInteger(Diag::NonNull(text));
  if (number.tooLarge) {
    out = UINT_MAX;
    return false;
  }
  out = number.negative ? 0u - number.magnitude : number.magnitude;
  return true;
}

}  // namespace NComParamMan
