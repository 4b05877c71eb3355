// The ODX documents of a database: every source parsed, its document indexed by SHORT-NAME
// with the IDs of the elements the reader follows, and ODXLINKs (ID-REF, DOCREF, DOCTYPE)
// resolved across them.
#pragma once

#include "XmlSource.h"
#include "pelka/OdxFile.h"

#include <pugixml.hpp>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Pelka {

class ZOdxIndex {
 public:
  // One ODX document: the element below <ODX>.
  struct ZDocument {
    const ZXmlSource* pSource;
    std::size_t sourceIndex;
    pugi::xml_node element;
    std::string_view shortName;
    bool primary;  // of the sources whose layers become interfaces
    std::unordered_map<std::string_view, pugi::xml_node> ids;
  };

  // What an ODXLINK names: an element of a document of the database, or, when its DOCREF names
  // a document the database lacks, no element and that document's name.
  struct ZTarget {
    const ZDocument* pDocument = nullptr;
    pugi::xml_node element;
    std::string_view missingDocument;
  };

  // Parses every source, in order (throws ZDocFileError), taking its bytes over.
  ZOdxIndex(std::vector<ZOdxSource>& sources, std::size_t primaryCount);
  ZOdxIndex(const ZOdxIndex&) = delete;
  ZOdxIndex& operator=(const ZOdxIndex&) = delete;

  // In source order.
  const std::vector<ZDocument>& Documents() const noexcept { return m_documents; }
  const ZXmlSource& Source(std::size_t index) const { return *m_sources[index]; }
  std::size_t SourceCount() const noexcept { return m_sources.size(); }

  // The element the link element (with ID-REF, maybe DOCREF and DOCTYPE) in document `from`
  // names. Fails when the ID-REF names nothing or an element whose name is not in `expected`;
  // a DOCREF naming a document the database lacks gives a target without element.
  ZTarget Resolve(const ZDocument& from, pugi::xml_node link,
                  std::initializer_list<const char*> expected) const;

 private:
  void AddDocuments(std::size_t sourceIndex, bool primary);
  void IndexIds(ZDocument& document);
  void AddId(ZDocument& document, pugi::xml_node element);
  const ZDocument* FindDocument(const ZDocument& from, pugi::xml_node link, std::string_view docRef,
                                std::string_view docType) const;

  std::vector<std::unique_ptr<const ZXmlSource>> m_sources;
  std::vector<ZDocument> m_documents;
  // Document indices by document SHORT-NAME, and by the SHORT-NAMEs of their diagnostic layers
  // (for DOCTYPE "LAYER").
  std::unordered_map<std::string_view, std::vector<std::size_t>> m_documentsByName;
  std::unordered_map<std::string_view, std::vector<std::size_t>> m_documentsByLayer;
};

}  // namespace Pelka
