// Reading ECU documents from ODX (ASAM MCD-2D, ISO 22901-1, ODX 2.2) and PDX containers:
// docs/odx.md. Pelka::LoadEcuDoc opens such files itself; these are the in-memory entries.
#pragma once

#include <pelka/EcuDoc.h>
#include <pelka/EcuDocFile.h>
#include <pelka/Export.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Pelka {

// One XML file of an ODX database, in memory: a file of a folder or a member of a container.
struct ZOdxSource {
  std::string file;    // the file as given, or the container's
  std::string member;  // the member's name in the container; empty for a file
  std::string bytes;

  // What stands for FILE in messages: "FILE", or "ARCHIVE:MEMBER" for a member.
  std::string Name() const { return member.empty() ? file : file + ":" + member; }
};

// True when the bytes are XML (UTF-8, or UTF-16 with a byte order mark) whose root element is
// <ODX>. Looks at the start of the bytes only.
PELKA_API bool LooksLikeOdx(const char* data, std::size_t size) noexcept;

// The document of an ODX database: every diagnostic layer of the first primaryCount sources
// that has a protocol becomes an interface, in source and document order; all sources resolve
// DOCREFs. The document's GetOdxOrigin() says where each value lives and holds the warnings.
// Throws ZDocFileError "FILE:LINE: problem".
PELKA_API std::unique_ptr<ZEcuDoc> ReadOdxSources(std::vector<ZOdxSource> sources,
                                                  std::size_t primaryCount);

// The document of a PDX container in memory (a ZIP archive): its ODX members, as
// ReadOdxSources reads them all as primary. archiveName stands for ARCHIVE in messages
// ("ARCHIVE:MEMBER:LINE: problem"). Throws ZDocFileError.
PELKA_API std::unique_ptr<ZEcuDoc> ReadPdx(const char* data, std::size_t size,
                                           const std::string& archiveName);

// A changed value the ODX files have no text for (a frame format whose text table lacks the new
// scheme and width): what() as a ZDocFileError's; Qualifier() names the attribute refused.
class PELKA_API ZOdxValueRefused : public ZDocFileError {
 public:
  ZOdxValueRefused(const std::string& message, std::wstring qualifier);
  ~ZOdxValueRefused() override;
  const std::wstring& Qualifier() const noexcept { return m_qualifier; }

 private:
  std::wstring m_qualifier;
};

// The sources a document was read from (the bytes, names and order ReadOdxSources or, of its ODX
// members, ReadPdx was given) with the document's changed values written in: each into its
// interface's own layer, every other byte kept (docs/odx.md). A source without a change is
// returned as given. Throws ZDocFileError "problem" (ZOdxValueRefused for a value) for a change
// that cannot be written, nothing having changed.
PELKA_API std::vector<ZOdxSource> WriteOdxSources(const ZEcuDoc& doc,
                                                  std::vector<ZOdxSource> sources);

}  // namespace Pelka
