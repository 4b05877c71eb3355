// The process-wide catalogue of normalized parameter prototypes.
#pragma once

#include <comparam/ComParam.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace NComParamMan {

class ZComParamFactory {
 public:
  // The process-wide catalogue; builds it on first use.
  static ZComParamFactory* GetInstance();
  // Destroys the catalogue and the prototypes added to it; the next GetInstance() makes a new
  // one with the same content (the table's prototypes are built once and shared).
  static void ReleaseInstance();

  ZComParamFactory(const ZComParamFactory&) = delete;
  ZComParamFactory& operator=(const ZComParamFactory&) = delete;
  virtual ~ZComParamFactory();

  // A clone of the prototype of exactly that normalized qualifier, owned by the caller; or null.
  ZComParam* CreateComParam(const wchar_t* normQualifier) const;
  // The same, except that the clone's alias, name and description may be empty: for a caller
  // that sets its own.
  ZComParam* CreateComParamToDescribe(const wchar_t* normQualifier) const;
  // The prototype CreateComParamToDescribe clones, owned by the catalogue; or null.
  const ZComParam* FindPrototypeToDescribe(const wchar_t* normQualifier) const;
  // Makes param equal to a clone of the prototype, in param's own storage: texts assigned to
  // texts need no new memory. False, param unchanged, when param is not exactly of the
  // prototype's kind.
  static bool AssignPrototype(const ZComParam& prototype, ZComParam& param);
  // Takes ownership in every case; a duplicate qualifier fails the internal check.
  bool AddPrototype(ZComParam* prototype);

 private:
  ZComParamFactory();
  // Of a catalogue row the prototype, or when not described the one without alias, name and
  // description; else the prototype added with that qualifier; else null.
  const ZComParam* FindPrototype(std::wstring_view normQualifier, bool described) const;

  // The prototypes added with AddPrototype. The catalogue table's prototypes never change, so
  // every catalogue shares one set of them, built on first use.
  std::map<std::wstring, ZComParam*, std::less<>> m_normQual2comParamPrototype;

  static ZComParamFactory* s_pInstance;
};

}  // namespace NComParamMan
