#include "NormalizeComParams.h"

#include "CollectionWarnings.h"
#include "ComParamFactory.h"

#include <Util/Diagnostics.h>
#include <comparam/StringComParam.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <iterator>
#include <memory>
#include <utility>

namespace NComParamMan {

namespace {

// Index of the last entry equal to alias; the list's length when there is none.
std::size_t LastPosition(const ZComParamBabelFish::ZAliasList& aliases, const wchar_t* alias) {
  const auto found = std::find(aliases.rbegin(), aliases.rend(), alias);
  return found == aliases.rend()
             ? aliases.size()
             : static_cast<std::size_t>(std::distance(found, aliases.rend())) - 1;
}

void LogUnidentified(const ZTlvComParam& docParam) {
  COMPARAM_LOG(Logging::LevelWarning,
               L"ComParamMan: Unidentified ComParam " << docParam.GetQualifier());
}

// Kept apart from the normalized ones: a plain text parameter with the document's value as read.
void AddUnidentified(ZTlvComParam& docParam, ZComParamCollection& unidentified) {
  auto pParam = std::make_unique<ZStringComParam>(
      docParam.GetQualifier(), docParam.GetDescription(), false, docParam.GetMayBeModified(),
      docParam.GetName(), L"", docParam.GetQualifier(), docParam.GetValue());
  LogUnidentified(docParam);
  if (unidentified.AddComParam(pParam.get())) pParam.release();
}

// What AddUnidentified logs. Whether a document parameter is identified depends on its
// qualifier alone, so the collection would refuse exactly the views that have an earlier
// namesake.
void LogUnidentifiedOnly(const ZTlvComInterface& view, const ZTlvComParam& docParam) {
  LogUnidentified(docParam);
  if (view.FindByQualifier(docParam.GetQualifier()) != &docParam) {
    LogDuplicateQualifier(docParam.GetQualifier());
  }
}

}  // namespace

ZComParamNormalizer::ZComParamNormalizer() = default;

void ZComParamNormalizer::Normalize(ZTlvComInterface& view, ZComParamCollection& collection,
                                    ZComParamCollection& unidentified) {
  NormalizeInto(view, collection, &unidentified);
}

void ZComParamNormalizer::Normalize(ZTlvComInterface& view, ZComParamCollection& collection) {
  NormalizeInto(view, collection, nullptr);
}

void ZComParamNormalizer::NormalizeInto(ZTlvComInterface& view, ZComParamCollection& collection,
                                        ZComParamCollection* pUnidentified) {
  collection.Clear();
  if (pUnidentified) pUnidentified->Clear();
  for (auto it = view.Begin(); it != view.End(); ++it) {
    ZTlvComParam& docParam = **it;
    std::unique_ptr<ZComParam> pParam(CreateNormalizedComParam(docParam));
    if (pParam) {
      AddIdentified(std::move(pParam), collection);
    } else if (pUnidentified) {
      AddUnidentified(docParam, *pUnidentified);
    } else {
      LogUnidentifiedOnly(view, docParam);
    }
  }
  // Only a completed pass releases the catalogue; the next use builds it anew.
  ZComParamFactory::ReleaseInstance();
}

void ZComParamNormalizer::ReuseComParams(ZComParamCollection& previous) {
  m_reusables.Adopt(previous);
}

ZComParam* ZComParamNormalizer::CreateNormalizedComParam(ZTlvComParam& docParam) {
  // The document's description replaces the catalogue's (TakeOverDocumentParam).
  std::unique_ptr<ZComParam> pComParam(CreateToDescribe(docParam.GetQualifier()));
  if (!pComParam) {
    const std::wstring& normQualifier = m_babelFish.GetNormalizedQualifier(docParam.GetQualifier());
    if (normQualifier.empty()) return nullptr;
    pComParam.reset(CreateToDescribe(normQualifier.c_str()));
    // The translator knows a qualifier that the catalogue has no prototype for.
    COMPARAM_CHECK(pComParam, L"pComParam");
  }
  TakeOverDocumentParam(docParam, *pComParam);
  return pComParam.release();
}

ZComParam* ZComParamNormalizer::CreateToDescribe(const wchar_t* normQualifier) {
  const ZComParam* pPrototype =
      ZComParamFactory::GetInstance()->FindPrototypeToDescribe(normQualifier);
  if (!pPrototype) return nullptr;
  ZComParam* pReused = m_reusables.Take(*pPrototype);
  return pReused ? pReused : pPrototype->Clone();
}

void ZComParamNormalizer::TakeOverDocumentParam(ZTlvComParam& docParam, ZComParam& param) {
  param.SetAlias(docParam.GetQualifier());
  param.SetName(docParam.GetName());
  param.SetDescription(docParam.GetDescription());
  param.SetMayBeModified(docParam.GetMayBeModified());
  param.SetIsSimulated(false);
  const wchar_t* docValue = docParam.GetValue();
  const std::wstring& normValue = m_babelFish.GetNormalizedValue(param.GetQualifier(), docValue);
  // A refused value leaves the prototype's value and HasValidValue() false; the write-back
  // then skips the parameter.
  param.SetValue(normValue.empty() ? docValue : normValue.c_str());
}

bool ZComParamNormalizer::TakesPrecedence(ZComParam& existing, ZComParam& candidate) {
  const ZComParamBabelFish::ZAliasList& aliases = m_babelFish.GetAliases(existing.GetQualifier());
  return LastPosition(aliases, candidate.GetAlias()) < LastPosition(aliases, existing.GetAlias());
}

void ZComParamNormalizer::AddIdentified(std::unique_ptr<ZComParam> pOwned,
                                        ZComParamCollection& collection) {
  ZComParam* pExisting = collection.FindByQualifier(pOwned->GetQualifier());
  if (pExisting && TakesPrecedence(*pExisting, *pOwned)) {
    COMPARAM_LOG(Logging::LevelWarning, L"ComParamMan: Overwriting existing ComParam '"
                                            << pExisting->GetAlias() << L"' with parameter '"
                                            << pOwned->GetAlias() << L"'");
    collection.RemoveComParam(*pExisting);
  }
  // Refused, with the collection's duplicate warning, when the existing parameter stays.
  if (collection.AddComParam(pOwned.get(), m_reusables.Spare())) pOwned.release();
}

// ---- ZComParamNormalizer::ZReusables ----

ZComParamNormalizer::ZReusables::~ZReusables() {
  for (ZComParam* pParam : m_params) delete pParam;
}

void ZComParamNormalizer::ZReusables::Adopt(ZComParamCollection& previous) {
  m_params.splice(m_params.end(), previous.ReleaseComParams(m_spare));
  m_next = m_params.begin();
}

ZComParamCollection::ZSpareEntries& ZComParamNormalizer::ZReusables::Spare() { return m_spare; }

ZComParam* ZComParamNormalizer::ZReusables::Take(const ZComParam& prototype) {
  const wchar_t* normQualifier = prototype.GetQualifier();
  const auto matches = [normQualifier](const ZComParam* pParam) {
    return std::wcscmp(pParam->GetQualifier(), normQualifier) == 0;
  };
  auto found = std::find_if(m_next, m_params.end(), matches);
  if (found == m_params.end()) {
    found = std::find_if(m_params.begin(), m_next, matches);
    if (found == m_next) return nullptr;
  }
  if (!ZComParamFactory::AssignPrototype(prototype, **found)) return nullptr;
  ZComParam* pTaken = *found;
  m_next = std::next(found);
  m_spare.Keep(m_params, found);
  return pTaken;
}

}  // namespace NComParamMan
