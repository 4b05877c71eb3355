// One XML source of the document stand-in (a document file, an ODX file of a container): its
// bytes checked, decoded and parsed, with the positions that messages and byte-exact writers need.
#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Pelka {

// A character XML 1.0 can hold, raw or as a character reference.
bool IsXmlChar(std::uint32_t c);

// Throws ZDocFileError "NAME:LINE: problem".
[[noreturn]] void FailAtLine(const std::string& name, std::size_t line, const std::string& problem);

// True when a source starting with these bytes is UTF-8 by its byte order mark or declaration,
// or says nothing of its encoding; false also for a declaration the source would refuse.
bool IsUtf8Source(std::string_view start);

// Nothing of a source is changed silently on the way in: what pugixml would read differently
// from what the XML means is refused before it gets the text.
class ZXmlSource {
 public:
  // Checks and decodes the bytes, then parses them with pugixml using parseFlags. Refuses, with
  // ZDocFileError "NAME:LINE: problem": NUL bytes and &#0;, invalid UTF-8, a declared or BOM-given
  // encoding it cannot decode (named in the message), characters XML does not allow (raw or as a
  // character reference), a DOCTYPE, entity references other than the five predefined, and XML
  // that is not well-formed. Decodes UTF-8 (with or without BOM), UTF-16 LE/BE with BOM,
  // ISO-8859-1, Windows-1252 and US-ASCII. The bytes are copied; they need not outlive the source.
  ZXmlSource(const char* data, std::size_t size, std::string name, unsigned parseFlags);

  // What becomes of the text: kept as it was for a reader that looks at its bytes (Text()), or
  // parsed where it lies, which changes it and saves a copy of the whole file.
  enum ZTextUse : std::uint8_t { OPKeepText, OPParseInPlace };
  // The same from bytes it takes over: a UTF-8 source's bytes become its text without a copy,
  // which a large file's peak memory notices.
  ZXmlSource(std::string bytes, std::string name, unsigned parseFlags,
             ZTextUse textUse = OPKeepText);

  ZXmlSource(const ZXmlSource&) = delete;
  ZXmlSource& operator=(const ZXmlSource&) = delete;

  const pugi::xml_document& Xml() const { return m_xml; }
  // The name that stands for NAME in messages.
  const std::string& Name() const { return m_name; }

  // 1-based line of a parse offset (node.offset_debug()); a kept text is counted from its start
  // on every call, so this is meant for messages.
  std::size_t LineAt(std::ptrdiff_t offset) const;
  // Throws ZDocFileError "NAME:LINE: problem" with the line of the offset or the node.
  [[noreturn]] void FailAt(std::ptrdiff_t offset, const std::string& problem) const;
  [[noreturn]] void Fail(pugi::xml_node node, const std::string& problem) const;

  // The UTF-8 text that parse offsets refer to, and whether it is the input's own bytes (a UTF-8
  // source): a byte-exact writer can patch such a source in place. Only for OPKeepText.
  std::string_view Text() const { return m_text; }
  bool IsVerbatim() const { return m_verbatim; }
  // Where Text() starts in the input: 3 after a UTF-8 byte order mark, else 0.
  std::size_t VerbatimOffset() const { return m_verbatimOffset; }

 private:
  std::string m_name;
  // The decoded UTF-8 text; with OPParseInPlace the tree's texts lie in it.
  std::string m_text;
  bool m_verbatim = true;
  std::size_t m_verbatimOffset = 0;
  // False when parsing in place changed the text: then its line feeds' offsets were taken
  // before.
  bool m_keepsText = true;
  std::vector<std::size_t> m_lineBreaks;
  pugi::xml_document m_xml;
};

}  // namespace Pelka
