#include "pelka/Language.h"

#include "Checked.h"
#include "pelka/ModelError.h"

#include <algorithm>
#include <memory>

namespace Pelka {

ZLanguage::ZLanguage(ZLanguageId id, const wchar_t* name) : m_id(id), m_name(name ? name : L"") {}

void ZLanguage::SetName(const wchar_t* name) { m_name = name ? name : L""; }

ZLanguageSet::ZLanguageSet() = default;
ZLanguageSet::~ZLanguageSet() = default;

std::size_t ZLanguageSet::PositionOf(ZLanguageId id) const noexcept {
  // A document has a handful of languages; a scan is cheaper than an index.
  const auto hasId = [id](const ZSmarty<ZLanguage>& language) {
    return !language.IsNull() && language.Get()->GetId() == id;
  };
  return static_cast<std::size_t>(std::find_if(m_languages.begin(), m_languages.end(), hasId) -
                                  m_languages.begin());
}

ZLanguageSet::Iterator ZLanguageSet::Find(ZLanguageId id) noexcept {
  return Iterator(this, PositionOf(id));
}

ZLanguageSet::ConstIterator ZLanguageSet::Find(ZLanguageId id) const noexcept {
  return ConstIterator(this, PositionOf(id));
}

bool ZLanguageSet::Contains(ZLanguageId id) const noexcept { return PositionOf(id) < Count(); }

ZSmarty<ZLanguage>& ZLanguageSet::ItemAt(std::size_t position) {
  return CheckedAt(m_languages, position, "language");
}

const ZSmarty<ZLanguage>& ZLanguageSet::ItemAt(std::size_t position) const {
  return CheckedAt(m_languages, position, "language");
}

ZLanguage& ZLanguageSet::Add(ZLanguageId id, const wchar_t* name) {
  if (Contains(id)) throw ZModelError("duplicate language " + std::to_string(id));
  m_languages.emplace_back(std::make_shared<ZLanguage>(id, name));
  return *m_languages.back();
}

}  // namespace Pelka
