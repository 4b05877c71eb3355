// One interface as the library reads it, with the document parameters it left out.
#pragma once

#include "Document.h"
#include "LogWatch.h"

#include <comparam/ComParamMan.h>
#include <pelka/EcuDoc.h>

#include <ostream>
#include <string>
#include <vector>

namespace NComParamTool {

// A communication-parameter attribute of the interface that no normalized parameter came from:
// its name is unknown, it lost to another alias of the same parameter, or an earlier attribute
// of the interface has the same name.
struct ZUnusedParam {
  std::wstring attributeQualifier;
  std::wstring name;  // the document-side name
  std::wstring value;
};

struct ZInterfaceReading {
  explicit ZInterfaceReading(const std::wstring& interfaceQualifier)
      : configuration(interfaceQualifier.c_str()) {}

  NComParamMan::ZComParamConfiguration configuration;
  // False when the library reported an internal error: the configuration ends early.
  bool complete = true;
  std::vector<ZUnusedParam> unused;
};

ZInterfaceReading ReadInterface(Pelka::ZEcuDoc& doc, NComParamMan::ZComParamManager& manager,
                                ZLogWatch& log, const std::wstring& interfaceQualifier);

// Every interface named (all when none is), as the library reads them. Throws ZToolError (usage)
// for a name the document has no interface of.
std::vector<ZInterfaceReading> ReadInterfaces(ZDocument& doc, const std::vector<std::string>& names,
                                              ZLogWatch& log);

// True when the reading stopped early, which it then says on err.
bool NoteIfIncomplete(const ZInterfaceReading& reading, std::ostream& err);

// The attribute of the interface that the library reads and writes for a parameter's alias, or
// null when there is none.
const Pelka::ZAttribute* FindReadAttribute(Pelka::ZEcuDoc& doc,
                                           const std::wstring& interfaceQualifier,
                                           const std::wstring& alias);

}  // namespace NComParamTool
