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
  // Takes over previous's parameters: the pass gives them new content instead of building new
  // ones where a qualifier and kind match, and destroys the others with the normalizer.
  void ReuseComParams(ZComParamCollection& previous);
  // A new catalogue parameter carrying the document's properties, owned by the caller; null
  // when the document parameter has no normalized counterpart.
  ZComParam* CreateNormalizedComParam(ZTlvComParam& docParam);
  // Copies the document's properties and its value, translated where the translator can.
  void TakeOverDocumentParam(ZTlvComParam& docParam, ZComParam& param);
  // True when candidate's alias stands strictly earlier in the alias list than existing's.
  bool TakesPrecedence(ZComParam& existing, ZComParam& candidate);

 private:
  // Parameters of an earlier pass, owned; taken in the order they were made.
  class ZReusables {
   public:
    ZReusables() = default;
    ZReusables(const ZReusables&) = delete;
    ZReusables& operator=(const ZReusables&) = delete;
    ~ZReusables();

    // Takes over previous's parameters and its entries.
    void Adopt(ZComParamCollection& previous);
    // The entries of the parameters adopted, for the pass's collection.
    ZComParamCollection::ZSpareEntries& Spare();
    // A parameter of the prototype's qualifier made equal to it (owned by the caller); or null.
    ZComParam* Take(const ZComParam& prototype);

   private:
    // Where the list entries of the parameters taken go.
    ZComParamCollection::ZSpareEntries m_spare;
    ZComParamCollection::ZComParamList m_params;
    // Where the next search starts: a pass over the same interface takes them in order.
    ZComParamCollection::ZComParamList::iterator m_next = m_params.end();
  };

  // A reused parameter, else a new clone; null without a prototype.
  ZComParam* CreateToDescribe(const wchar_t* normQualifier);
  // Both forms of Normalize; without pUnidentified the unidentified parameters are only logged.
  void NormalizeInto(ZTlvComInterface& view, ZComParamCollection& collection,
                     ZComParamCollection* pUnidentified);
  // Adds the parameter unless one with its qualifier stays; then it is destroyed.
  void AddIdentified(std::unique_ptr<ZComParam> pOwned, ZComParamCollection& collection);

  ZComParamBabelFish m_babelFish;
  ZReusables m_reusables;
};

}  // namespace NComParamMan
