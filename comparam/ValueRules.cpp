#include <comparam/ValueRules.h>

#include <Util/Diagnostics.h>
#include <Util/IntegerText.h>

namespace NComParamMan {

bool RangeRestricts(unsigned start, unsigned stop) { return start != stop; }

bool RangeAdmits(unsigned start, unsigned stop, unsigned number) {
  return !RangeRestricts(start, stop) || (start <= number && number <= stop);
}

bool IsDecimalUnsigned(const wchar_t* text) {
  const wchar_t* digits = Diag::NonNull(text);
  // The reader skips blanks and takes a sign; the strict form begins with its first digit.
  if (*digits < L'0' || *digits > L'9') return false;
  const ZIntegerText number = ReadInteger(digits);
  return !number.tooLarge && *number.pEnd == L'\0';
}

}  // namespace NComParamMan
