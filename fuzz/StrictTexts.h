// An oracle for the document loader that owes nothing to pugixml: the texts of a document file
// as expat, a strict XML parser, reads them. Linked into the fuzz build only.
#pragma once

#include <set>
#include <string>

namespace Fuzz {

// The non-empty texts the file carries through a load and a save unchanged: qualifiers,
// categories, interfaces, names, descriptions, tag texts, language names, and the values of
// string and text attributes. Line ends are folded to "\n" as XML folds them (the format keeps
// them as written). False, with the parser's reason in what, when the bytes are not
// well-formed XML.
bool StrictTexts(const std::string& bytes, std::set<std::string>& texts, std::string& what);

}  // namespace Fuzz
