// The document side of a reading, for programs that show or edit a document beside the library:
// which attributes of an interface it reads, and by which name.
#pragma once

#include <comparam/Export.h>

#include <vector>

namespace Pelka {
class ZAttribute;
class ZEcuDoc;
}  // namespace Pelka

namespace NComParamMan {

// One communication-parameter attribute of an interface.
struct ZDocumentParam {
  // As the ECU sees it: its override there, else the default attribute.
  Pelka::ZAttribute* pAttribute;
  // The document-side name (GetDocumentSideName of the qualifier): after a reading, the alias of
  // the parameter the attribute was read into. Points into the attribute's qualifier.
  const wchar_t* name;
  // False when an earlier attribute of the interface has the same name: of those the library
  // reads and writes only the first.
  bool isRead;
};

// The communication-parameter attributes of the interface, in document order; empty for an
// interface the document lacks. A null qualifier reads as "".
COMPARAM_API std::vector<ZDocumentParam> GetDocumentParams(Pelka::ZEcuDoc& ecuDoc,
                                                           const wchar_t* interfaceQualifier);

// The document-side name in an attribute or category qualifier: the text after its first dot,
// empty without a dot. Points into qualifier; null reads as "".
COMPARAM_API const wchar_t* GetDocumentSideName(const wchar_t* qualifier);

}  // namespace NComParamMan
