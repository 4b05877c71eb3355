// The process-wide catalogue of normalized parameter prototypes.
#pragma once

#include <comparam/ComParam.h>

#include <map>
#include <string>

namespace NComParamMan {

namespace Vocab {
struct ZCatalogueRow;
}

class ZComParamFactory {
 public:
  // The process-wide catalogue; builds it on first use.
  static ZComParamFactory* GetInstance();
  // Destroys the catalogue with its prototypes; the next GetInstance() builds a fresh one.
  static void ReleaseInstance();

  ZComParamFactory(const ZComParamFactory&) = delete;
  ZComParamFactory& operator=(const ZComParamFactory&) = delete;
  virtual ~ZComParamFactory();

  // A clone of the prototype of exactly that normalized qualifier, owned by the caller; or null.
  ZComParam* CreateComParam(const wchar_t* normQualifier) const;
  // Takes ownership in every case; a duplicate qualifier fails the internal check.
  bool AddPrototype(ZComParam* prototype);

 private:
  ZComParamFactory();
  ZComParam* CreatePrototype(const Vocab::ZCatalogueRow& row) const;
  void DeletePrototypes();

  bool m_isSimulatedDefault;
  bool m_mayBeModifiedDefault;
  std::map<std::wstring, ZComParam*> m_normQual2comParamPrototype;

  static ZComParamFactory* s_pInstance;
};

}  // namespace NComParamMan
