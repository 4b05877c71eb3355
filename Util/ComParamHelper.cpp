#include "ComParamHelper.h"

#include "Diagnostics.h"

#include <pelka/EcuDoc.h>
#include <pelka/Language.h>

#include <cwchar>

namespace NComParamMan {

namespace {

template <class TAction>
void ForEachLanguage(const Pelka::ZTranslatable& translatable, TAction action) {
  const Pelka::ZLanguageSet& languages = translatable.GetEcuDoc().Languages();
  for (auto it = languages.Begin(); it != languages.End(); ++it) {
    const Pelka::ZLanguageId languageId = **it;
    action(languageId);
  }
}

}  // namespace

void AddEnumTag(Pelka::ZEnumDefaultAttr& tgtEnumDefaultAttr, Pelka::ZEnumTagId tag,
                const wchar_t* text) {
  COMPARAM_HARD_ASSERT(
      tgtEnumDefaultAttr.EnumTagTable().Find(tag) == tgtEnumDefaultAttr.EnumTagTable().End(),
      L"tgtEnumDefaultAttr.EnumTagTable().Find((ZEnumTagId) tag) == "
      L"tgtEnumDefaultAttr.EnumTagTable().End()");
  Pelka::ZEnumTagSymbol& symbol = tgtEnumDefaultAttr.EnumTagTable().AddNewTag(tag);
  SetTextInAllLanguages(symbol.GetTagText(), text, true);
}

void SetTextInAllLanguages(Pelka::ZTranslatable& translatable, const wchar_t* text,
                           bool markDefined) {
  ForEachLanguage(translatable, [&](Pelka::ZLanguageId languageId) {
    translatable.SetText(text, languageId, false);
    if (markDefined) translatable.SetDefined(true, languageId);
  });
}

int CountLanguagesWithText(const Pelka::ZTranslatable& translatable, const wchar_t* text,
                           bool onlyDefined) {
  const wchar_t* wanted = Diag::NonNull(text);
  int count = 0;
  ForEachLanguage(translatable, [&](Pelka::ZLanguageId languageId) {
    if (onlyDefined && !translatable.IsDefined(languageId)) return;
    if (std::wcscmp(translatable.GetText(languageId), wanted) == 0) ++count;
  });
  return count;
}

}  // namespace NComParamMan
