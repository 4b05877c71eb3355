// Translation between document-side aliases and the normalized vocabulary.
#pragma once

#include <Util/TextHash.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
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

  // Pair keys compare their first text, then their second; lookups need no copies of the texts.
  struct ZTextPairLess {
    using is_transparent = void;
    template <class TLeft, class TRight>
    bool operator()(const TLeft& left, const TRight& right) const {
      return std::pair<std::wstring_view, std::wstring_view>(left.first, left.second) <
             std::pair<std::wstring_view, std::wstring_view>(right.first, right.second);
    }
  };

  using ZTextViewPair = std::pair<std::wstring_view, std::wstring_view>;

  struct ZTextViewPairHash {
    std::size_t operator()(const ZTextViewPair& texts) const;
  };

  struct ZTables {
    ZTables() = default;
    // Copies the tables and indexes the copies.
    ZTables(const ZTables& other);
    ZTables& operator=(const ZTables&) = delete;

    // Enters the map entry into its index.
    void Index(const std::pair<const std::wstring, std::wstring>& aliasEntry);
    void Index(const std::pair<const ZTextPair, std::wstring>& valueAliasEntry);

    std::map<std::wstring, ZAliasList, std::less<>> m_normQual2aliases;
    std::map<std::wstring, std::wstring, std::less<>> m_alias2normQual;
    std::map<ZTextPair, ZAliasList, ZTextPairLess> m_normValue2aliases;
    std::map<ZTextPair, std::wstring, ZTextPairLess> m_valueAlias2normValue;
    // The two tables every reading asks for each parameter, hashed; keys and values point into
    // the map entries, which stay where they are.
    std::unordered_map<std::wstring_view, const std::wstring*, ZTextHash> m_alias2normQualIndex;
    std::unordered_map<ZTextViewPair, const std::wstring*, ZTextViewPairHash>
        m_valueAlias2normValueIndex;
    // The few qualifiers that have value aliases: most parameters need no value lookup.
    std::vector<std::wstring> m_valueAliasedQualifiers;
  };

  // The library's tables, built once per process and never changed afterwards.
  static const std::shared_ptr<ZTables>& BuiltInTables();
  static void AddAliasesTo(ZTables& tables, const wchar_t* normQualifier,
                           const wchar_t* const* aliases);
  static void AddValueAliasesTo(ZTables& tables, const wchar_t* normQualifier,
                                const wchar_t* normValue, const wchar_t* const* valueAliases);
  // The tables this translator may change: shared ones are copied first.
  ZTables& OwnTables();

  // Every translator starts on the shared built-in tables; its first registration gives it
  // a copy of its own, so no other translator sees the change.
  std::shared_ptr<ZTables> m_pTables;
  ZAliasList m_emptyAliasList;
  std::wstring m_emptyString;
};

}  // namespace NComParamMan
