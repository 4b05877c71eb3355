// The application's entry object: reads, checks and writes back the
// communication parameters of one ECU document.
#pragma once

#include <comparam/ComParamCollection.h>
#include <comparam/ComParamLoadState.h>
#include <comparam/Export.h>

namespace Pelka {
class ZEcuDoc;
}

namespace NComParamMan {

class ZComParamBabelFish;
class ZComParamRules;

class COMPARAM_API ZComParamManager {
 public:
  // The document must outlive the manager.
  explicit ZComParamManager(Pelka::ZEcuDoc& ecuDoc);
  // Not copyable: a member-wise copy would delete the owned objects twice.
  ZComParamManager(const ZComParamManager&) = delete;
  ZComParamManager& operator=(const ZComParamManager&) = delete;
  virtual ~ZComParamManager();

  // The normalized configuration of one interface, as far as it could be read.
  ZComParamConfiguration TolvanToNormalized(const wchar_t* interfaceQualifier);
  // Checks exactly the configuration given; an internal error yields an ok report.
  ZConfigStateReport CheckValidity(ZComParamConfiguration& configuration);
  // Stores the configuration's values into the document's attributes.
  void NormalizedToTolvan(ZComParamConfiguration& configuration);

 private:
  Pelka::ZEcuDoc* m_pEcuDoc;
  ZComParamBabelFish* m_pBabelFish;
  ZComParamConfiguration* m_pLastConfiguration;
  ZComParamRules* m_pRules;
};

}  // namespace NComParamMan
