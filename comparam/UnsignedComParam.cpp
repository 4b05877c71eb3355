#include <comparam/UnsignedComParam.h>

#include <Util/Diagnostics.h>
#include <Util/IntegerText.h>
#include <comparam/ValueRules.h>

#include <string>

namespace NComParamMan {

ZUnsignedComParam::ZUnsignedComParam()
    : m_startRangeAsUnsigned(0), m_stopRangeAsUnsigned(0), m_valueAsUnsigned(0) {
  m_valueType = CPTUnsigned;
}

ZUnsignedComParam::ZUnsignedComParam(const wchar_t* alias, const wchar_t* description,
                                     bool isSimulated, bool mayBeModified, const wchar_t* name,
                                     const wchar_t* path, const wchar_t* qualifier, unsigned start,
                                     unsigned stop, unsigned value)
    : ZUnsignedComParam() {
  Initialize(alias, description, isSimulated, mayBeModified, name, path, qualifier, L"", L"",
             CPTUnsigned, L"");
  SetStartRange(start);
  SetStopRange(stop);
  SetValue(value);
}

// The set is installed only after the initial value, so that value meets the
// (unrestricted) range alone.
ZUnsignedComParam::ZUnsignedComParam(const wchar_t* alias, const wchar_t* description,
                                     bool isSimulated, bool mayBeModified, const wchar_t* name,
                                     const wchar_t* path, const wchar_t* qualifier,
                                     ZValidValueSet validValues, unsigned value)
    : ZUnsignedComParam() {
  Initialize(alias, description, isSimulated, mayBeModified, name, path, qualifier, L"", L"",
             CPTUnsigned, L"");
  SetValue(value);
  m_validValues = validValues;
}

ZUnsignedComParam::ZUnsignedComParam(const ZUnsignedComParam& other) = default;
ZUnsignedComParam& ZUnsignedComParam::operator=(const ZUnsignedComParam& other) = default;
ZUnsignedComParam::~ZUnsignedComParam() = default;

ZComParam* ZUnsignedComParam::Clone() const { return new ZUnsignedComParam(*this); }

unsigned ZUnsignedComParam::GetValueAsUnsigned() const { return m_valueAsUnsigned; }

unsigned ZUnsignedComParam::GetStartRangeAsUnsigned() const {
  COMPARAM_CHECK(m_valueType == CPTUnsigned, L"m_valueType==CPTUnsigned");
  return m_startRangeAsUnsigned;
}

unsigned ZUnsignedComParam::GetStopRangeAsUnsigned() const {
  COMPARAM_CHECK(m_valueType == CPTUnsigned, L"m_valueType==CPTUnsigned");
  return m_stopRangeAsUnsigned;
}

// The permitted values are matched as text: "07" is not a permitted "7".
bool ZUnsignedComParam::IsValidValue(const wchar_t* value) const {
  unsigned n = 0;
  if (!RetrieveUnsigned(value, n)) return false;
  if (!RangeAdmits(m_startRangeAsUnsigned, m_stopRangeAsUnsigned, n)) return false;
  return m_validValues.IsEmpty() || m_validValues.Contains(value);
}

// Refusals of numbers are not logged; the caller sees the result and the flag.
bool ZUnsignedComParam::SetValue(const wchar_t* value) {
  const wchar_t* text = Diag::NonNull(value);
  if (!IsValidValue(text)) {
    m_valueInvalid = true;
    return false;
  }
  const bool bSuccess = RetrieveUnsigned(text, m_valueAsUnsigned);
  COMPARAM_CHECK(bSuccess, L"bSuccess");
  m_value = text;
  m_valueInvalid = false;
  return true;
}

bool ZUnsignedComParam::SetValue(unsigned value) {
  const std::wstring text = DecimalText(value);
  if (!IsValidValue(text.c_str())) {
    m_valueInvalid = true;
    return false;
  }
  m_value = text;
  m_valueAsUnsigned = value;
  m_valueInvalid = false;
  return true;
}

void ZUnsignedComParam::SetStartRange(unsigned start) {
  m_startRangeAsUnsigned = start;
  m_startRange = DecimalText(start);
}

void ZUnsignedComParam::SetStartRange(const wchar_t* start) {
  m_startRange = Diag::NonNull(start);
  const bool bSuccess = RetrieveUnsigned(start, m_startRangeAsUnsigned);
  COMPARAM_CHECK(bSuccess, L"bSuccess");
}

void ZUnsignedComParam::SetStopRange(unsigned stop) {
  m_stopRangeAsUnsigned = stop;
  m_stopRange = DecimalText(stop);
}

void ZUnsignedComParam::SetStopRange(const wchar_t* stop) {
  const bool bSuccess = RetrieveUnsigned(stop, m_stopRangeAsUnsigned);
  COMPARAM_CHECK(bSuccess, L"bSuccess");
  m_stopRange = Diag::NonNull(stop);
}

}  // namespace NComParamMan
