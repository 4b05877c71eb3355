// Turns the document parameters of one interface into normalized parameters.
#pragma once

#include "ComParamBabelFish.h"
#include "TlvComInterface.h"
#include "TlvComParam.h"

#include <comparam/ComParam.h>
#include <comparam/ComParamCollection.h>

#include <memory>

namespace NComParamMan {

// One normalization pass: built, run once and destroyed by the manager.
class ZComParamNormalizer {
 public:
  ZComParamNormalizer();
  ZComParamNormalizer(const ZComParamNormalizer&) = delete;
  ZComParamNormalizer& operator=(const ZComParamNormalizer&) = delete;

  // Empties both collections, then fills collection with the identified parameters and
  // unidentified with the others. Throws ZComParamException; what was added so far stays.
  void Normalize(ZTlvComInterface& view, ZComParamCollection& collection,
                 ZComParamCollection& unidentified);
  // The same for a caller that would only destroy the unidentified parameters: they are logged
  // as above, duplicates included, and never built.
  void Normalize(ZTlvComInterface& view, ZComParamCollection& collection);
  // A new catalogue parameter carrying the document's properties, owned by the caller; null
  // when the document parameter has no normalized counterpart.
  ZComParam* CreateNormalizedComParam(ZTlvComParam& docParam);
  // Copies the document's properties and its value, translated where the translator can.
  void TakeOverDocumentParam(ZTlvComParam& docParam, ZComParam& param);
  // True when candidate's alias stands strictly earlier in the alias list than existing's.
  bool TakesPrecedence(ZComParam& existing, ZComParam& candidate);

 private:
  // Both forms of Normalize; without pUnidentified the unidentified parameters are only logged.
  void NormalizeInto(ZTlvComInterface& view, ZComParamCollection& collection,
                     ZComParamCollection* pUnidentified);
  // Adds the parameter unless one with its qualifier stays; then it is destroyed.
  void AddIdentified(std::unique_ptr<ZComParam> pOwned, ZComParamCollection& collection);

  ZComParamBabelFish m_babelFish;
};

}  // namespace NComParamMan
