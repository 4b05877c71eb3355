// A read-only view of the library's vocabulary, for programs that explain it to their users:
// the normalized parameters as the catalogue builds them, and the document names and values the
// translator reads as each.
#pragma once

#include <comparam/ComParam.h>
#include <comparam/Export.h>

#include <cstddef>
#include <string>
#include <vector>

namespace NComParamMan {

// One normalized parameter as the catalogue builds its prototype. The texts are the library's
// own and live as long as the program.
struct ZNormalizedParamInfo {
  const wchar_t* qualifier;
  const wchar_t* displayName;
  const wchar_t* description;
  ZComParam::ZComParamType valueType;
  // Text parameters: the permitted values in the catalogue's order. Numbers: empty.
  std::vector<std::wstring> permittedValues;
  // Numbers only; equal bounds restrict nothing (RangeRestricts).
  unsigned startRange;
  unsigned stopRange;
  // The value a prototype starts with: a number's default as decimal text, "" for texts.
  std::wstring defaultValue;
};

// The normalized parameters, in the order the catalogue registers them.
COMPARAM_API std::vector<ZNormalizedParamInfo> GetNormalizedParams();

// The document names the translator reads as normalizedQualifier, as written and in its order of
// preference; the upper-case form of each reads the same. A name registered for two parameters
// is listed with the one it translates to. Empty for an unknown qualifier; null reads as "".
COMPARAM_API std::vector<std::wstring> GetDocumentAliases(const wchar_t* normalizedQualifier);

// The document values the translator reads as normalizedValue of the parameter, as written and in
// its order of preference; the upper-case form of each reads the same. Empty where the parameter
// has no value aliases; nulls read as "".
COMPARAM_API std::vector<std::wstring> GetValueAliases(const wchar_t* normalizedQualifier,
                                                       const wchar_t* normalizedValue);

}  // namespace NComParamMan
