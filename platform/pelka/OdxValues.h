// The value rules of ODX comparams: the attribute kind a DATA-OBJECT-PROP gives, and the
// reading of a physical value text as that kind.
#pragma once

#include "OdxIndex.h"
#include "OdxWarnings.h"
#include "pelka/Attribute.h"
#include "pelka/EnumTagTable.h"

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace Pelka {

// A number type gives an unsigned, signed or float attribute, a TEXTTABLE an enumeration whose
// tags are the table's texts (tag id = LOWER-LIMIT), text and byte fields a string.
struct ZOdxValueType {
  struct ZTag {
    ZEnumTagId id;
    std::string text;
  };
  ZAttrManager::ZAttrType kind;
  std::vector<ZTag> tags;  // a TEXTTABLE's, in table order
};

// A value read as its kind: unsigned, signed, float, tag id, string.
using ZOdxTypedValue = std::variant<unsigned, int, double, ZEnumTagId, std::wstring>;

// The type of a COMPARAM of the subset document, from its DATA-OBJECT-PROP; empty when the
// DATA-OBJECT-PROP is in a document the database lacks (noted in warnings).
std::optional<ZOdxValueType> ValueTypeOf(const ZOdxIndex& index, const ZOdxIndex::ZDocument& subset,
                                         pugi::xml_node comparam, ZOdxWarnings& warnings);

// The text as a value of the type. Numbers may have blanks around them; fails at the node,
// naming the comparam, for a text that is not a number of the kind. A text-table value that is
// none of the table's texts (real subsets have such defaults) becomes a tag of its own, with a
// warning, so that it shows as the document has it.
ZOdxTypedValue ReadValue(ZOdxValueType& type, const std::string& text, const ZXmlSource& source,
                         pugi::xml_node at, std::string_view comparam, ZOdxWarnings& warnings);

}  // namespace Pelka
