#include "OdxXml.h"

#include "OdxTextScan.h"

#include <algorithm>
#include <cstring>

namespace Pelka {
namespace OdxXml {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsText(pugi::xml_node node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

void AppendTextBelow(pugi::xml_node element, std::string& text) {
  text += element.value();
  for (pugi::xml_node child : element.children()) {
    if (IsText(child)) {
      text += child.value();
    } else if (child.type() == pugi::node_element) {
      // Paragraphs and line breaks of a description separate words.
      text += ' ';
      AppendTextBelow(child, text);
      text += ' ';
    }
  }
}

}  // namespace

std::size_t SkipMarkup(std::string_view text, std::size_t at) {
  struct ZMarkup {
    std::string_view open, close;
  };
  static constexpr ZMarkup kMarkups[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
  for (const ZMarkup& markup : kMarkups) {
    if (text.compare(at, markup.open.size(), markup.open) == 0) {
      const std::size_t close = text.find(markup.close, at + markup.open.size());
      return close == std::string_view::npos ? close : close + markup.close.size();
    }
  }
  return std::string_view::npos;
}

std::string Element(const char* name) { return std::string("<") + name + ">"; }

std::string TextContent(const ZXmlSource& source, pugi::xml_node element) {
  std::string text = element.value();
  for (pugi::xml_node child : element.children()) {
    if (child.type() == pugi::node_element) {
      source.Fail(child,
                  "unexpected element " + Element(child.name()) + " in " + Element(element.name()));
    }
    if (IsText(child)) text += child.value();
  }
  return text;
}

std::string FoldBlanks(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (char c : text) {
    if (!IsBlank(c)) {
      folded += c;
    } else if (!folded.empty() && folded.back() != ' ') {
      folded += ' ';
    }
  }
  if (!folded.empty() && folded.back() == ' ') folded.pop_back();
  return folded;
}

std::string FoldedText(pugi::xml_node element) {
  std::string text;
  AppendTextBelow(element, text);
  return FoldBlanks(text);
}

std::string_view ShortNameOf(const ZXmlSource& source, pugi::xml_node element) {
  const pugi::xml_node shortName = element.child(kShortName);
  if (!shortName) {
    source.Fail(element, "missing " + Element(kShortName) + " in " + Element(element.name()));
  }
  const std::string_view name = shortName.value();
  if (shortName.first_child() || name.empty() ||
      !std::all_of(name.begin(), name.end(), IsIdentifierChar)) {
    source.Fail(shortName, "SHORT-NAME \"" + TextContent(source, shortName) +
                               "\" is not an ODX identifier (letters, digits and _)");
  }
  return name;
}

std::string_view RequiredAttribute(const ZXmlSource& source, pugi::xml_node element,
                                   const char* name) {
  const pugi::xml_attribute attribute = element.attribute(name);
  if (!attribute || *attribute.value() == '\0') {
    source.Fail(element, "missing XML attribute \"" + std::string(name) + "\" on " +
                             Element(element.name()));
  }
  return attribute.value();
}

ZContentRange ContentRange(const ZXmlSource& source, pugi::xml_node element) {
  const OdxTextScan::ZElementSpan span =
      OdxTextScan::ElementAt(source.Text(), static_cast<std::size_t>(element.offset_debug()));
  if (span.selfClosing) return {span.endTagBegin, span.endTagBegin, true};
  return {span.startTagEnd, span.endTagBegin, false};
}

}  // namespace OdxXml
}  // namespace Pelka
