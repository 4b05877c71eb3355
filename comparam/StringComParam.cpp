#include <comparam/StringComParam.h>

#include <Util/Diagnostics.h>

namespace NComParamMan {

ZStringComParam::ZStringComParam() = default;

// The value is stored as given; the flag then tells whether it passes this
// parameter's own check, so an unchecked default is never mistaken for valid.
ZStringComParam::ZStringComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                                 bool mayBeModified, const wchar_t* name, const wchar_t* path,
                                 const wchar_t* qualifier, const wchar_t* value)
    : ZComParam(alias, description, isSimulated, mayBeModified, name, path, qualifier, L"", L"",
                CPTString, value) {
  m_valueInvalid = !IsValidValue(m_value.c_str());
}

ZStringComParam::ZStringComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                                 bool mayBeModified, const wchar_t* name, const wchar_t* path,
                                 const wchar_t* qualifier, ZValidValueSet validValues,
                                 const wchar_t* value)
    : ZComParam(alias, description, isSimulated, mayBeModified, name, path, qualifier, validValues,
                CPTString, value) {
  m_valueInvalid = !IsValidValue(m_value.c_str());
}

ZStringComParam::ZStringComParam(const ZStringComParam& other) = default;
ZStringComParam& ZStringComParam::operator=(const ZStringComParam& other) = default;
ZStringComParam::~ZStringComParam() = default;

ZComParam* ZStringComParam::Clone() const { return new ZStringComParam(*this); }

bool ZStringComParam::IsValidValue(const wchar_t* value) const {
  return m_validValues.IsEmpty() || m_validValues.Contains(value);
}

// A text parameter has no number: the numeric operations are internal errors,
// except the range getters, which read as 0.
unsigned ZStringComParam::GetValueAsUnsigned() const {
  COMPARAM_CHECK(false, L"false");
  return 0;
}

unsigned ZStringComParam::GetStartRangeAsUnsigned() const { return 0; }
unsigned ZStringComParam::GetStopRangeAsUnsigned() const { return 0; }

bool ZStringComParam::SetValue(unsigned /*value*/) {
  COMPARAM_CHECK(false, L"false");
  return false;
}

void ZStringComParam::SetStartRange(unsigned /*start*/) { COMPARAM_CHECK(false, L"false"); }
void ZStringComParam::SetStartRange(const wchar_t* /*start*/) { COMPARAM_CHECK(false, L"false"); }
void ZStringComParam::SetStopRange(unsigned /*stop*/) { COMPARAM_CHECK(false, L"false"); }
void ZStringComParam::SetStopRange(const wchar_t* /*stop*/) { COMPARAM_CHECK(false, L"false"); }

}  // namespace NComParamMan
