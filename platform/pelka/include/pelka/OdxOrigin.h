// Where the values of a document read from ODX live, so that a writer can change exactly their
// bytes; and what the reading had to warn about.
#pragma once

#include <pelka/Attribute.h>
#include <pelka/Export.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Pelka {

// Owned by the document it describes (ZEcuDoc::GetOdxOrigin). Offsets are into a source's text
// as parsed (UTF-8); for a verbatim source, adding its verbatimOffset gives the file's bytes.
class PELKA_API ZOdxOrigin {
 public:
  static constexpr std::uint32_t npos = 0xFFFFFFFFu;

  // One ODX file that was read.
  struct ZSource {
    std::string file;    // the file, or the container holding it
    std::string member;  // the member's name in the container; empty for a file
    bool verbatim;       // the text is the file's own bytes (UTF-8)
    std::size_t verbatimOffset;

    // "FILE", or "ARCHIVE:MEMBER" for a member, as messages name it.
    std::string Name() const { return member.empty() ? file : file + ":" + member; }
  };

  // A diagnostic layer that became an interface.
  struct ZLayer {
    std::string shortName;
    std::string protocol;            // the SHORT-NAME of its protocol
    std::uint32_t source;            // index into Sources()
    std::size_t elementOffset;       // the layer's element (the offset of its name)
    std::size_t comparamRefsOffset;  // its COMPARAM-REFS element, or SIZE_MAX without one
  };

  // A COMPARAM, or a member of a COMPLEX-COMPARAM, as a new COMPARAM-REF would name it.
  struct ZComparam {
    std::string idRef;                   // the ID of the COMPARAM or COMPLEX-COMPARAM
    std::string docRef;                  // the SHORT-NAME of its subset
    std::string docType;                 // "COMPARAM-SUBSET"
    std::uint32_t member;                // its place among the complex comparam's members, or npos
    std::vector<std::string> textTable;  // a frame format's table texts, in table order
  };

  // The values of one complex comparam as they applied to one interface: its simple members in
  // document order, nested complex members flattened.
  struct ZComplexValue {
    std::vector<std::string> members;
    bool nested = false;  // it has complex members, so the flat list does not give its shape
  };

  // Which part of the value text an attribute stands for: all of it, or the scheme or the
  // identifier width of a frame format ("normal segmented 11-bit transmit with FC").
  enum ZPart : std::uint8_t { OPWhole, OPScheme, OPIdWidth };

  // A range of the layer's source text: the content of a SIMPLE-VALUE; for <SIMPLE-VALUE/>
  // the empty range at its "/".
  struct ZTextRange {
    std::size_t begin;
    std::size_t end;
    bool selfClosing;
  };

  // Where the value of one attribute lives. ownValue is also set when the layer's own ref holds
  // an empty value that stands for nothing; it is {0, 0, false} when the layer has no ref.
  struct ZValueSite {
    std::uint32_t layer;         // index into Layers(): the interface's own layer
    std::uint32_t comparam;      // index into Comparams()
    std::uint32_t complexValue;  // index into ComplexValues(), or npos for a simple comparam
    ZPart part;
    bool setByLayer;              // the layer's own COMPARAM-REF holds the value, at ownValue
    bool inheritedProtocolSnRef;  // the value came from a ref with a PROTOCOL-SNREF
    ZTextRange ownValue;          // valid when setByLayer
    std::uint32_t appliedText;    // a frame format part: index into AppliedTexts(), else npos
  };

  ZOdxOrigin();
  ~ZOdxOrigin();
  ZOdxOrigin(const ZOdxOrigin&) = delete;
  ZOdxOrigin& operator=(const ZOdxOrigin&) = delete;

  const std::vector<ZSource>& Sources() const noexcept { return m_sources; }
  const std::vector<ZLayer>& Layers() const noexcept { return m_layers; }
  const std::vector<ZComparam>& Comparams() const noexcept { return m_comparams; }
  const std::vector<ZComplexValue>& ComplexValues() const noexcept { return m_complexValues; }
  // The whole frame format texts that applied to the parts of interfaces.
  const std::vector<std::string>& AppliedTexts() const noexcept { return m_appliedTexts; }
  // How many of Sources(), from the first, gave interfaces (the others only answer references).
  std::size_t PrimaryCount() const noexcept { return m_primaryCount; }
  // The site of an attribute of the document, or null (an interface, a derived parameter).
  const ZValueSite* SiteOf(const ZDefaultAttr& attribute) const noexcept;
  // What the reading warns about ("FILE:LINE: problem"), in the order found.
  const std::vector<std::string>& Warnings() const noexcept { return m_warnings; }

  // Building, by the reader. Each Add returns the new entry's index.
  std::uint32_t AddSource(ZSource source);
  std::uint32_t AddLayer(ZLayer layer);
  std::uint32_t AddComparam(ZComparam comparam);
  std::uint32_t AddComplexValue(ZComplexValue value);
  std::uint32_t AddAppliedText(std::string text);
  void SetPrimaryCount(std::size_t count) noexcept { m_primaryCount = count; }
  void SetSite(const ZDefaultAttr& attribute, const ZValueSite& site);
  void AddWarning(std::string warning);

 private:
  std::vector<ZSource> m_sources;
  std::vector<ZLayer> m_layers;
  std::vector<ZComparam> m_comparams;
  std::vector<ZComplexValue> m_complexValues;
  std::vector<ZValueSite> m_sites;
  std::vector<std::uint32_t> m_siteByPosition;  // by attribute position: site index, or npos
  std::vector<std::string> m_warnings;
  std::vector<std::string> m_appliedTexts;
  std::size_t m_primaryCount = 0;
};

}  // namespace Pelka
