#include <comparam/ComParamManager.h>

#include "ComParamBabelFish.h"
#include "ComParamRules.h"
#include "NormalizeComParams.h"
#include "TlvComInterface.h"
#include "TlvComParam.h"

#include <Util/Diagnostics.h>
#include <comparam/ComParamException.h>

#include <memory>
#include <ostream>

namespace NComParamMan {

namespace {

// A failed internal check ends the operation, not the caller: logged, and the operation returns.
template <class TAction>
void GuardInternalErrors(TAction action) {
  try {
    action();
  } catch (const ZComParamException&) {
    COMPARAM_LOG(Logging::LevelError, L"ComParamMan: Internal error");
  }
}

// Streams the view's listing, so that it is composed only when the log takes it.
struct ZListing {
  const ZTlvComInterface& view;
};

std::wostream& operator<<(std::wostream& stream, const ZListing& listing) {
  listing.view.PrintOn(stream);
  return stream;
}

// The document parameter the normalization read param from. A parameter the interface does
// not have ends the whole walk.
ZTlvComParam& FindDocumentParam(const ZTlvComInterface& view, const ZComParam& param) {
  ZTlvComParam* pTlvComParam = view.FindByQualifier(param.GetAlias());
  if (!pTlvComParam) {
    COMPARAM_LOG(Logging::LevelWarning, L"ComParamMan: Can't find com param '"
                                            << param.GetAlias() << L"' in ComParamCollection :");
    COMPARAM_LOG(Logging::LevelWarning, ZListing{view});
  }
  COMPARAM_CHECK(pTlvComParam, L"pTlvComParam");
  return *pTlvComParam;
}

// The document-side forms of the value in order of preference (else the value itself): the
// first the attribute accepts; failing all, the value itself as a new tag.
void WriteValue(const ZComParamBabelFish& babelFish, ZTlvComParam& docParam,
                const ZComParam& param) {
  const ZComParamBabelFish::ZAliasList& aliases =
      babelFish.GetValueAliases(param.GetQualifier(), param.GetValue());
  for (const std::wstring& candidate : aliases) {
    if (docParam.SetValue(candidate.c_str(), false)) return;
  }
  if (aliases.empty() && docParam.SetValue(param.GetValue(), false)) return;
  if (docParam.SetValue(param.GetValue(), true)) return;
  COMPARAM_LOG(Logging::LevelWarning,
               L"ComParamMan: Writing COM parameter '"
                   << docParam.GetQualifier()
                   << L"' failed while normalizing to Tolvan COM parameters");
}

// One step of the walk: simulated parameters and those without a valid value are not written.
void WriteBack(const ZComParamBabelFish& babelFish, const ZTlvComInterface& view,
               const ZComParam& param) {
  if (param.GetIsSimulated()) return;
  ZTlvComParam& docParam = FindDocumentParam(view, param);
  if (!param.HasValidValue()) {
    COMPARAM_LOG(Logging::LevelWarning, L"ComParamMan: Skipping ComParam '"
                                            << param.GetQualifier()
                                            << L"' while normalizing to Tolvan COM parameters");
    return;
  }
  WriteValue(babelFish, docParam, param);
}

}  // namespace

ZComParamManager::ZComParamManager(Pelka::ZEcuDoc& ecuDoc)
    : m_pEcuDoc(&ecuDoc), m_pBabelFish(nullptr), m_pLastConfiguration(nullptr), m_pRules(nullptr) {
  // Held until both exist, so a failed construction leaks neither.
  auto pBabelFish = std::make_unique<ZComParamBabelFish>();
  m_pRules = new ZComParamRules();
  m_pBabelFish = pBabelFish.release();
}

ZComParamManager::~ZComParamManager() {
  delete m_pBabelFish;
  delete m_pRules;
  delete m_pLastConfiguration;
}

ZComParamConfiguration ZComParamManager::TolvanToNormalized(const wchar_t* interfaceQualifier) {
  const std::unique_ptr<ZComParamConfiguration> pPrevious(m_pLastConfiguration);
  m_pLastConfiguration = nullptr;
  m_pLastConfiguration = new ZComParamConfiguration(interfaceQualifier);
  GuardInternalErrors([&] {
    // The unidentified parameters never reach the caller: the normalizer only logs them.
    ZTlvComInterface view(m_pEcuDoc, interfaceQualifier);
    ZComParamNormalizer normalizer;
    // Nobody else sees the previous configuration: its parameters take the new content, which
    // spares building and destroying hundreds of texts on every reading.
    if (pPrevious) normalizer.ReuseComParams(pPrevious->GetComParamCollection());
    normalizer.Normalize(view, m_pLastConfiguration->GetComParamCollection());
  });
  return *m_pLastConfiguration;
}

ZConfigStateReport ZComParamManager::CheckValidity(ZComParamConfiguration& configuration) {
  ZConfigStateReport report;
  GuardInternalErrors([&] { report = m_pRules->Check(configuration); });
  return report;
}

void ZComParamManager::NormalizedToTolvan(ZComParamConfiguration& configuration) {
  GuardInternalErrors([&] {
    const ZTlvComInterface view(m_pEcuDoc, configuration.GetInterfaceQualifier());
    // Only read: the walk changes the document, never the caller's configuration.
    const ZComParamCollection& comParams = configuration.GetComParamCollection();
    for (auto it = comParams.Begin(); it != comParams.End(); ++it) {
      WriteBack(*m_pBabelFish, view, *it);
    }
  });
}

}  // namespace NComParamMan
