// Reading and writing documents as XML files (format: docs/document-format.md).
#pragma once

#include <pelka/EcuDoc.h>
#include <pelka/Export.h>

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

namespace Pelka {

// A document file that cannot be read or written. what() is "FILE:LINE: problem", or
// "FILE: problem" where no line applies; FILE is the path as given.
class PELKA_API ZDocFileError : public std::runtime_error {
 public:
  explicit ZDocFileError(const std::string& message);
  ~ZDocFileError() override;
};

// Reads the document at path (UTF-8 on every platform). Throws ZDocFileError.
PELKA_API std::unique_ptr<ZEcuDoc> LoadEcuDoc(const std::string& path);

// Writes the document to path (UTF-8) through a temporary file beside it that then replaces
// path, so a failed save leaves an existing file untouched; the file keeps its mode and, where
// the process may, its owner and group; a link stays a link (docs/document-format.md). Throws
// ZDocFileError.
PELKA_API void SaveEcuDoc(const ZEcuDoc& doc, const std::string& path);

// The same from and to memory; sourceName stands for FILE in error messages.
PELKA_API std::unique_ptr<ZEcuDoc> ParseEcuDoc(const char* data, std::size_t size,
                                               const std::string& sourceName);
// The file content SaveEcuDoc writes; the same document always gives the same bytes. A text
// holding a character XML cannot hold (a control character, a lone surrogate) is refused with
// ZDocFileError "attribute "Q": character U+0001 cannot be written to XML"; SaveEcuDoc puts
// "FILE: " before it and writes nothing.
PELKA_API std::string FormatEcuDoc(const ZEcuDoc& doc);

}  // namespace Pelka
