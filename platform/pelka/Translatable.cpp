#include "pelka/Translatable.h"

#include "pelka/EcuDoc.h"
#include "pelka/ModelError.h"

namespace Pelka {

ZTranslatable::ZTranslatable(ZEcuDoc& ecuDoc) : m_pEcuDoc(&ecuDoc) {}

const wchar_t* ZTranslatable::GetText(ZLanguageId languageId) const {
  const auto found = m_entries.find(languageId);
  return found == m_entries.end() ? L"" : found->second.text.c_str();
}

void ZTranslatable::SetText(const wchar_t* text, ZLanguageId languageId, bool markDefined) {
  ZEntry& entry = EntryFor(languageId);
  entry.text = text ? text : L"";
  if (markDefined) entry.defined = true;
}

void ZTranslatable::SetDefined(bool defined, ZLanguageId languageId) {
  EntryFor(languageId).defined = defined;
}

bool ZTranslatable::IsDefined(ZLanguageId languageId) const {
  const auto found = m_entries.find(languageId);
  return found != m_entries.end() && found->second.defined;
}

ZTranslatable::ZEntry& ZTranslatable::EntryFor(ZLanguageId languageId) {
  if (!m_pEcuDoc->Languages().Contains(languageId)) {
    throw ZModelError("unknown language " + std::to_string(languageId));
  }
  return m_entries[languageId];
}

}  // namespace Pelka
