// Enumeration tags and texts in every language of a document.
#pragma once

#include <pelka/AttributeKinds.h>
#include <pelka/EnumTagTable.h>
#include <pelka/Translatable.h>

namespace NComParamMan {

// Adds the tag with that id, its text set and marked defined in every language; the id must be
// free (hard assertion).
void AddEnumTag(Pelka::ZEnumDefaultAttr& tgtEnumDefaultAttr, Pelka::ZEnumTagId tag,
                const wchar_t* text);

// Sets the text in every language of the translatable's document, optionally marking it defined.
void SetTextInAllLanguages(Pelka::ZTranslatable& translatable, const wchar_t* text,
                           bool markDefined);

// The number of languages whose text equals text exactly; onlyDefined skips undefined ones.
int CountLanguagesWithText(const Pelka::ZTranslatable& translatable, const wchar_t* text,
                           bool onlyDefined);

}  // namespace NComParamMan
