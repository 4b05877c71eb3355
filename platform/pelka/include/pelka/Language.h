// Languages of a document.
#pragma once

#include <pelka/Export.h>
#include <pelka/InternalIterator.h>
#include <pelka/Smarty.h>

#include <cstddef>
#include <string>
#include <vector>

namespace Pelka {

using ZLanguageId = unsigned;

// Exported member by member: a static data member of a DLL-imported class would have to come
// from the DLL, which does not provide inline constants.
class ZLanguage {
 public:
  // Every document has the default language, always with this id, first in its language set.
  static constexpr ZLanguageId defaultLangId = 0;

  PELKA_API ZLanguage(ZLanguageId id, const wchar_t* name);

  ZLanguageId GetId() const noexcept { return m_id; }
  operator ZLanguageId() const noexcept { return m_id; }

  const wchar_t* GetName() const noexcept { return m_name.c_str(); }
  PELKA_API void SetName(const wchar_t* name);

 private:
  ZLanguageId m_id;
  std::wstring m_name;
};

// The languages of one document in their order; every id once.
class PELKA_API ZLanguageSet {
 public:
  // Mutable items: a test may plant an empty pointer to reach the ZSmarty assertion.
  using Iterator = ZInternalIterator<ZLanguageSet, ZSmarty<ZLanguage>>;
  using ConstIterator = ZInternalIterator<const ZLanguageSet, const ZSmarty<ZLanguage>>;

  ZLanguageSet();
  ~ZLanguageSet();
  ZLanguageSet(const ZLanguageSet&) = delete;
  ZLanguageSet& operator=(const ZLanguageSet&) = delete;

  Iterator Begin() noexcept { return Iterator(this, 0); }
  Iterator End() noexcept { return Iterator(this, Count()); }
  ConstIterator Begin() const noexcept { return ConstIterator(this, 0); }
  ConstIterator End() const noexcept { return ConstIterator(this, Count()); }

  // The language with that id, or End().
  Iterator Find(ZLanguageId id) noexcept;
  ConstIterator Find(ZLanguageId id) const noexcept;
  bool Contains(ZLanguageId id) const noexcept;

  std::size_t Count() const noexcept { return m_languages.size(); }
  ZSmarty<ZLanguage>& ItemAt(std::size_t position);
  const ZSmarty<ZLanguage>& ItemAt(std::size_t position) const;

  // Appends a language; throws ZModelError when the id is taken.
  ZLanguage& Add(ZLanguageId id, const wchar_t* name);

 private:
  std::size_t PositionOf(ZLanguageId id) const noexcept;

  std::vector<ZSmarty<ZLanguage>> m_languages;
};

}  // namespace Pelka
