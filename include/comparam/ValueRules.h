// The rules by which unsigned parameters judge numbers, for programs that check a value before
// they offer it or explain why it was refused.
#pragma once

#include <comparam/Export.h>

namespace NComParamMan {

// True when the range start to stop restricts a number; equal bounds restrict nothing (the
// catalogue's unrestricted numbers use 0 to 0).
COMPARAM_API bool RangeRestricts(unsigned start, unsigned stop);
// True when the range admits number: any number where it does not restrict, else numbers from
// start to stop (none when start is above stop).
COMPARAM_API bool RangeAdmits(unsigned start, unsigned stop, unsigned number);

// True when text (null reads as "") is decimal digits only, leading zeros allowed, of a number
// within 32 bits: the strict form, where a parameter also reads blanks, signs, trailing
// characters and the empty text.
COMPARAM_API bool IsDecimalUnsigned(const wchar_t* text);

}  // namespace NComParamMan
