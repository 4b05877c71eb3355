#include "ComParamRules.h"

#include "Vocabulary.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace NComParamMan {

namespace {

using namespace Vocab;

struct ZCombination {
  const wchar_t* addrScheme;
  const wchar_t* canIdType;
};

// Every permitted pair; any other pair, an unknown or empty value included, is invalid.
constexpr ZCombination kPermittedCombinations[] = {
    {kNormal, k11Bit}, {kNormal, k29Bit}, {kExtended, k11Bit},    {kExtended, k29Bit},
    {kMixed, k11Bit},  {kMixed, kJ1939},  {kNormalFixed, kJ1939},
};

constexpr const wchar_t* kRequiredQualifiers[] = {kAddrScheme, kCanIdType};

bool IsPermitted(const wchar_t* addrScheme, const wchar_t* canIdType) {
  return std::any_of(std::begin(kPermittedCombinations), std::end(kPermittedCombinations),
                     [=](const ZCombination& permitted) {
                       return std::wcscmp(permitted.addrScheme, addrScheme) == 0 &&
                              std::wcscmp(permitted.canIdType, canIdType) == 0;
                     });
}

// The present parameter is named as the document names it, the missing one by its qualifier.
std::wstring RequiresMessage(const ZComParam& present, const wchar_t* missingQualifier) {
  return std::wstring(L"Communication parameter '") + present.GetAlias() +
         L"' requires definition of parameter '" + missingQualifier + L"'.\n";
}

}  // namespace

ZComParamRules::ZComParamRules() : m_pCollection(nullptr) {}

ZConfigStateReport ZComParamRules::Check(ZComParamConfiguration& configuration) {
  ZConfigStateReport report;
  m_pCollection = &configuration.GetComParamCollection();
  std::wstring errorText;
  if (!CheckRequirements(errorText)) report.AppendErrorMsg(errorText.c_str());
  CheckPair(kAddrScheme, kCanIdType, errorText, report);
  CheckPair(kAddrSchemeFunc, kCanIdTypeFunc, errorText, report);
  return report;
}

bool ZComParamRules::CheckRequirements(std::wstring& errorText) {
  for (const wchar_t* qualifier : kRequiredQualifiers) {
    if (!m_pCollection->FindByQualifier(qualifier)) {
      errorText = std::wstring(L"Required communication parameter '") + qualifier + L"' missing.\n";
      return false;
    }
  }
  const ZComParam* pCanIdTypeFunc = m_pCollection->FindByQualifier(kCanIdTypeFunc);
  const ZComParam* pAddrSchemeFunc = m_pCollection->FindByQualifier(kAddrSchemeFunc);
  if (pCanIdTypeFunc && !pAddrSchemeFunc) {
    errorText = RequiresMessage(*pCanIdTypeFunc, kAddrSchemeFunc);
    return false;
  }
  if (pAddrSchemeFunc && !pCanIdTypeFunc) {
    errorText = RequiresMessage(*pAddrSchemeFunc, kCanIdTypeFunc);
    return false;
  }
  return true;
}

bool ZComParamRules::CheckCombination(ZComParam& addrScheme, ZComParam& canIdType,
                                      std::wstring& errorText) {
  if (IsPermitted(addrScheme.GetValue(), canIdType.GetValue())) return true;
  errorText = std::wstring(L"Invalid combination of communication parameters '") +
              addrScheme.GetAlias() + L"' and '" + canIdType.GetAlias() + L"'.";
  return false;
}

void ZComParamRules::CheckPair(const wchar_t* addrSchemeQualifier,
                               const wchar_t* canIdTypeQualifier, std::wstring& errorText,
                               ZConfigStateReport& report) {
  ZComParam* pAddrScheme = m_pCollection->FindByQualifier(addrSchemeQualifier);
  ZComParam* pCanIdType = m_pCollection->FindByQualifier(canIdTypeQualifier);
  if (pAddrScheme && pCanIdType && !CheckCombination(*pAddrScheme, *pCanIdType, errorText)) {
    report.AppendErrorMsg(errorText.c_str());
  }
}

}  // namespace NComParamMan
