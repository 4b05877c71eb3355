#include <comparam/VocabularyView.h>

#include "ComParamBabelFish.h"
#include "Vocabulary.h"

#include <Util/Diagnostics.h>
#include <Util/IntegerText.h>

namespace NComParamMan {
namespace {

// The translator lists each alias after its upper-case form; the view gives them as written.
template <class TKeep>
std::vector<std::wstring> AsWritten(const ZComParamBabelFish::ZAliasList& list, TKeep keep) {
  std::vector<std::wstring> aliases;
  for (std::size_t i = 1; i < list.size(); i += 2) {
    if (keep(list[i])) aliases.push_back(list[i]);
  }
  return aliases;
}

}  // namespace

std::vector<ZNormalizedParamInfo> GetNormalizedParams() {
  std::vector<ZNormalizedParamInfo> params;
  params.reserve(Vocab::kCatalogue.size());
  for (const Vocab::ZCatalogueRow& row : Vocab::kCatalogue) {
    ZNormalizedParamInfo info{row.qualifier,
                              row.displayName,
                              row.description,
                              row.valueType,
                              {},
                              row.startRange,
                              row.stopRange,
                              L""};
    if (row.valueType == ZComParam::CPTUnsigned) {
      info.defaultValue = DecimalText(row.defaultValue);
    } else {
      for (const wchar_t* const* value = row.permittedValues; *value; ++value) {
        info.permittedValues.emplace_back(*value);
      }
    }
    params.push_back(std::move(info));
  }
  return params;
}

std::vector<std::wstring> GetDocumentAliases(const wchar_t* normalizedQualifier) {
  const ZComParamBabelFish translator;
  const std::wstring qualifier = Diag::NonNull(normalizedQualifier);
  return AsWritten(translator.GetAliases(qualifier.c_str()), [&](const std::wstring& alias) {
    return translator.GetNormalizedQualifier(alias.c_str()) == qualifier;
  });
}

std::vector<std::wstring> GetValueAliases(const wchar_t* normalizedQualifier,
                                          const wchar_t* normalizedValue) {
  const ZComParamBabelFish translator;
  return AsWritten(translator.GetValueAliases(Diag::NonNull(normalizedQualifier),
                                              Diag::NonNull(normalizedValue)),
                   [](const std::wstring&) { return true; });
}

}  // namespace NComParamMan
