// Finding elements in the text of an ODX source the reader accepted, for byte-exact edits: XML
// attribute values, comments, CDATA sections and processing instructions are stepped over as
// XML reads them.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace Pelka {
namespace OdxTextScan {

struct ZElementSpan {
  std::size_t begin;        // its "<"
  std::size_t startTagEnd;  // after the ">" of its start tag
  std::size_t endTagBegin;  // the "</" of its end tag; for <NAME/> the "/" of "/>"
  std::size_t end;          // after its end tag
  bool selfClosing;
};

struct ZChild {
  std::string_view name;
  ZElementSpan span;
};

// The element whose name begins at nameOffset (pugixml's offset of an element).
ZElementSpan ElementAt(std::string_view text, std::size_t nameOffset);

// The child elements of an element, in order.
std::vector<ZChild> ChildrenOf(std::string_view text, const ZElementSpan& element);

// The name of the element whose start tag begins at the "<" at `at`.
std::string_view NameAt(std::string_view text, std::size_t at);

// The blanks before `at` on its line, when nothing else precedes it there.
struct ZIndent {
  bool ownLine;
  std::string_view blanks;
};
ZIndent IndentOf(std::string_view text, std::size_t at);

// The line end of the line before `at`, else of the text's first line: "\r\n" or "\n".
std::string_view LineEndBefore(std::string_view text, std::size_t at);

}  // namespace OdxTextScan
}  // namespace Pelka
