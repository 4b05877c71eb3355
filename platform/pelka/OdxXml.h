// What the ODX units share about ODX as XML: element and XML attribute names, and readers of
// the few text forms ODX uses, failing with the source's "FILE:LINE: problem".
#pragma once

#include "XmlSource.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace Pelka {
namespace OdxXml {

// Parse flags of ODX sources: XML line-end folding, no blank-only text nodes (they make up much
// of a file) except as an element's only content, and an element's one text kept in the element.
constexpr unsigned kParseFlags =
    pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

// Elements.
constexpr const char* kOdx = "ODX";
constexpr const char* kContainer = "DIAG-LAYER-CONTAINER";
constexpr const char* kComparamSubset = "COMPARAM-SUBSET";
constexpr const char* kComparamSpec = "COMPARAM-SPEC";
constexpr const char* kShortName = "SHORT-NAME";
constexpr const char* kLongName = "LONG-NAME";
constexpr const char* kDesc = "DESC";
constexpr const char* kProtocol = "PROTOCOL";
constexpr const char* kComparamRefs = "COMPARAM-REFS";
constexpr const char* kComparamRef = "COMPARAM-REF";
constexpr const char* kSimpleValue = "SIMPLE-VALUE";
constexpr const char* kValue = "VALUE";  // ODX 2.0's SIMPLE-VALUE
constexpr const char* kComplexValue = "COMPLEX-VALUE";
constexpr const char* kProtocolSnRef = "PROTOCOL-SNREF";
constexpr const char* kProtStackSnRef = "PROT-STACK-SNREF";
constexpr const char* kParentRefs = "PARENT-REFS";
constexpr const char* kParentRef = "PARENT-REF";
constexpr const char* kComparamSpecRef = "COMPARAM-SPEC-REF";
constexpr const char* kProtStacks = "PROT-STACKS";
constexpr const char* kProtStack = "PROT-STACK";
constexpr const char* kPhysicalLinkType = "PHYSICAL-LINK-TYPE";
constexpr const char* kComparamSubsetRefs = "COMPARAM-SUBSET-REFS";
constexpr const char* kComparamSubsetRef = "COMPARAM-SUBSET-REF";
constexpr const char* kComparams = "COMPARAMS";
constexpr const char* kComparam = "COMPARAM";
constexpr const char* kComplexComparams = "COMPLEX-COMPARAMS";
constexpr const char* kComplexComparam = "COMPLEX-COMPARAM";
constexpr const char* kPhysicalDefaultValue = "PHYSICAL-DEFAULT-VALUE";
constexpr const char* kDataObjectProps = "DATA-OBJECT-PROPS";
constexpr const char* kDataObjectProp = "DATA-OBJECT-PROP";
constexpr const char* kDataObjectPropRef = "DATA-OBJECT-PROP-REF";

// The groups of diagnostic layers in a DIAG-LAYER-CONTAINER, in schema order.
struct ZLayerGroup {
  const char* group;
  const char* layer;
  bool hasInterfaces;  // its layers become interfaces when they have a protocol
};
constexpr ZLayerGroup kLayerGroups[] = {{"PROTOCOLS", kProtocol, true},
                                        {"FUNCTIONAL-GROUPS", "FUNCTIONAL-GROUP", true},
                                        {"BASE-VARIANTS", "BASE-VARIANT", true},
                                        {"ECU-VARIANTS", "ECU-VARIANT", true},
                                        {"ECU-SHARED-DATAS", "ECU-SHARED-DATA", false}};

// XML attributes.
constexpr const char* kId = "ID";
constexpr const char* kIdRef = "ID-REF";
constexpr const char* kDocRef = "DOCREF";
constexpr const char* kDocType = "DOCTYPE";
constexpr const char* kShortNameAttribute = "SHORT-NAME";
constexpr const char* kParamClass = "PARAM-CLASS";

// The position after the markup that starts at `at` ("<!--", "<![CDATA[", "<?"), or npos when
// no such markup starts there.
std::size_t SkipMarkup(std::string_view text, std::size_t at);

// "<NAME>", for messages.
std::string Element(const char* name);

// The text of an element that holds text only (its character data and CDATA sections joined);
// fails for an element inside it.
std::string TextContent(const ZXmlSource& source, pugi::xml_node element);

// Blanks, tabs and line ends folded into single blanks and trimmed: DESC paragraphs as one line.
std::string FoldBlanks(std::string_view text);

// The text of all text below an element, paragraphs (DESC) included, folded.
std::string FoldedText(pugi::xml_node element);

// The SHORT-NAME child of an element; fails when it is missing, holds more than one text or is
// not an ODX identifier (letters, digits and "_").
std::string_view ShortNameOf(const ZXmlSource& source, pugi::xml_node element);

// The value of a required XML attribute; fails when it is missing or empty.
std::string_view RequiredAttribute(const ZXmlSource& source, pugi::xml_node element,
                                   const char* name);

// Where an element's content lies in the source's text: from after its start tag to its end
// tag; for an element written as <NAME/>, the empty range at the "/" of "/>".
struct ZContentRange {
  std::size_t begin;
  std::size_t end;
  bool selfClosing;
};
ZContentRange ContentRange(const ZXmlSource& source, pugi::xml_node element);

}  // namespace OdxXml
}  // namespace Pelka
