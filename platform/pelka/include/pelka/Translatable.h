// A text with one value per language of its document.
#pragma once

#include <pelka/Export.h>
#include <pelka/Language.h>

#include <map>
#include <memory>
#include <string>

namespace Pelka {

class ZEcuDoc;

// Per language: a text (empty when never set) and a "defined" flag (false when never set).
// "Defined" marks a text as valid in that language; an undefined text is still stored and read.
class PELKA_API ZTranslatable {
 public:
  explicit ZTranslatable(ZEcuDoc& ecuDoc);

  // The text in that language; empty for a language without one, known to the document or not.
  const wchar_t* GetText(ZLanguageId languageId) const;

  // Stores the text (null reads as empty); markDefined true also marks it defined, false
  // leaves the flag as it was. Throws ZModelError for a language the document does not have.
  void SetText(const wchar_t* text, ZLanguageId languageId, bool markDefined);
  // The same with a text that other translatables may hold as well (null reads as empty): a
  // document whose attributes share descriptions keeps each once.
  void SetSharedText(std::shared_ptr<const std::wstring> text, ZLanguageId languageId,
                     bool markDefined);

  // Throws ZModelError for a language the document does not have.
  void SetDefined(bool defined, ZLanguageId languageId);
  bool IsDefined(ZLanguageId languageId) const;

  ZEcuDoc& GetEcuDoc() const noexcept { return *m_pEcuDoc; }

 private:
  // Texts never change once stored: a new text replaces the pointer, so sharing is safe.
  struct ZEntry {
    std::shared_ptr<const std::wstring> text;  // null for an empty text
    bool defined = false;
  };

  ZEntry& EntryFor(ZLanguageId languageId);
  const ZEntry* FindEntry(ZLanguageId languageId) const;

  ZEcuDoc* m_pEcuDoc;
  // The default language's entry is held in place: it is the one read most, and a reader of a
  // large document then follows no pointer to find it.
  ZEntry m_defaultEntry;
  std::map<ZLanguageId, ZEntry> m_entries;  // the other languages
};

}  // namespace Pelka
