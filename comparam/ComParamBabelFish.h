// Translation between document-side aliases and the normalized vocabulary.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace NComParamMan {

class ZComParamBabelFish {
 public:
  // Aliases in order of preference, each preceded by its upper-case form.
  using ZAliasList = std::vector<std::wstring>;

  // Registers every alias table of the library.
  ZComParamBabelFish();
  virtual ~ZComParamBabelFish();

  // Registers the aliases (array ended by a null entry), replacing q's earlier alias list.
  void AddAliases(const wchar_t* normQualifier, const wchar_t* const* aliases);
  // Registers the value aliases of one normalized value of one parameter.
  void AddValueAliases(const wchar_t* normQualifier, const wchar_t* normValue,
                       const wchar_t* const* valueAliases);

  // Lookups match exactly as passed; anything not registered yields empty text or an empty list.
  const std::wstring& GetNormalizedQualifier(const wchar_t* alias) const;
  const std::wstring& GetNormalizedValue(const wchar_t* normQualifier,
                                         const wchar_t* valueAlias) const;
  const ZAliasList& GetAliases(const wchar_t* normQualifier) const;
  const ZAliasList& GetValueAliases(const wchar_t* normQualifier, const wchar_t* normValue) const;

 private:
  using ZTextPair = std::pair<std::wstring, std::wstring>;

  std::map<std::wstring, ZAliasList> m_normQual2aliases;
  std::map<std::wstring, std::wstring> m_alias2normQual;
  std::map<ZTextPair, ZAliasList> m_normValue2aliases;
  std::map<ZTextPair, std::wstring> m_valueAlias2normValue;
  ZAliasList m_emptyAliasList;
  std::wstring m_emptyString;
};

}  // namespace NComParamMan
