// The validity rules on addressing scheme and CAN identifier type.
#pragma once

#include <comparam/ComParamCollection.h>
#include <comparam/ComParamLoadState.h>

#include <string>

namespace NComParamMan {

// Checks one configuration at a time; the report names every violated check in order.
class ZComParamRules {
 public:
  ZComParamRules();

  // Runs every rule set; the configuration is not changed.
  ZConfigStateReport Check(ZComParamConfiguration& configuration);
  // Required parameters, then the functional pair; false with the message at the first fault.
  bool CheckRequirements(std::wstring& errorText);
  // False with the message when the two values are no permitted combination.
  bool CheckCombination(ZComParam& addrScheme, ZComParam& canIdType, std::wstring& errorText);

 private:
  // Appends the combination message of the two qualifiers when both are present and invalid.
  void CheckPair(const wchar_t* addrSchemeQualifier, const wchar_t* canIdTypeQualifier,
                 std::wstring& errorText, ZConfigStateReport& report);

  ZComParamCollection* m_pCollection;
};

}  // namespace NComParamMan
