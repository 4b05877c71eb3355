#include "pelka/Translatable.h"

#include "pelka/EcuDoc.h"
#include "pelka/ModelError.h"

#include <utility>

namespace Pelka {

ZTranslatable::ZTranslatable(ZEcuDoc& ecuDoc) : m_pEcuDoc(&ecuDoc) {}

const wchar_t* ZTranslatable::GetText(ZLanguageId languageId) const {
  const ZEntry* pEntry = FindEntry(languageId);
  return pEntry == nullptr || !pEntry->text ? L"" : pEntry->text->c_str();
}

void ZTranslatable::SetText(const wchar_t* text, ZLanguageId languageId, bool markDefined) {
  SetSharedText(text && *text ? std::make_shared<const std::wstring>(text) : nullptr, languageId,
                markDefined);
}

void ZTranslatable::SetSharedText(std::shared_ptr<const std::wstring> text, ZLanguageId languageId,
                                  bool markDefined) {
  ZEntry& entry = EntryFor(languageId);
  entry.text = text && !text->empty() ? std::move(text) : nullptr;
  if (markDefined) entry.defined = true;
}

void ZTranslatable::SetDefined(bool defined, ZLanguageId languageId) {
  EntryFor(languageId).defined = defined;
}

bool ZTranslatable::IsDefined(ZLanguageId languageId) const {
  const ZEntry* pEntry = FindEntry(languageId);
  return pEntry != nullptr && pEntry->defined;
}

ZTranslatable::ZEntry& ZTranslatable::EntryFor(ZLanguageId languageId) {
  if (!m_pEcuDoc->Languages().Contains(languageId)) {
    throw ZModelError("unknown language " + std::to_string(languageId));
  }
  return languageId == ZLanguage::defaultLangId ? m_defaultEntry : m_entries[languageId];
}

// Every document has the default language, so its entry always exists (empty, not defined).
const ZTranslatable::ZEntry* ZTranslatable::FindEntry(ZLanguageId languageId) const {
  if (languageId == ZLanguage::defaultLangId) return &m_defaultEntry;
  const auto found = m_entries.find(languageId);
  return found == m_entries.end() ? nullptr : &found->second;
}

}  // namespace Pelka
