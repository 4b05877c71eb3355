// One XML source of the document stand-in (a document file, an ODX file of a container): its
// bytes checked, decoded and parsed, with the positions that messages and byte-exact writers need.
#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Pelka {

// A character XML 1.0 can hold, raw or as a character reference.
bool IsXmlChar(std::uint32_t c);

// Nothing of a source is changed silently on the way in: what pugixml would read differently
// from what the XML means is refused before it gets the text.
class ZXmlSource {
 public:
  // Checks and decodes the bytes, then parses them with pugixml using parseFlags. Refuses, with
  // ZDocFileError "NAME:LINE: problem": NUL bytes and &#0;, invalid UTF-8, a declared or BOM-given
  // encoding it cannot decode (named in the message), characters XML does not allow (raw or as a
  // character reference), a DOCTYPE, entity references other than the five predefined, and XML
  // that is not well-formed. Decodes UTF-8 (with or without BOM), UTF-16 LE/BE with BOM,
  // ISO-8859-1, Windows-1252 and US-ASCII. The source takes the bytes over: UTF-8 is parsed where
  // it lies, uncopied.
  ZXmlSource(std::string bytes, std::string name, unsigned parseFlags);

  ZXmlSource(const ZXmlSource&) = delete;
  ZXmlSource& operator=(const ZXmlSource&) = delete;

  const pugi::xml_document& Xml() const { return m_xml; }
  // The name that stands for NAME in messages.
  const std::string& Name() const { return m_name; }

  // 1-based line of a parse offset (node.offset_debug()); counts, so meant for messages.
  std::size_t LineAt(std::ptrdiff_t offset) const;
  // Throws ZDocFileError "NAME:LINE: problem" with the line of the offset or the node.
  [[noreturn]] void FailAt(std::ptrdiff_t offset, const std::string& problem) const;
  [[noreturn]] void Fail(pugi::xml_node node, const std::string& problem) const;

 private:
  std::string m_name;
  // The decoded UTF-8 text; the tree's texts lie in it (parsed in place).
  std::string m_text;
  // Offsets of the text's line feeds, taken before parsing changed it.
  std::vector<std::size_t> m_lineBreaks;
  pugi::xml_document m_xml;
};

}  // namespace Pelka
