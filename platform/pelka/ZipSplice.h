// Rewriting a ZIP archive record by record, so that everything not replaced keeps its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Pelka {

// A member's new data as its record holds it.
struct ZZipData {
  std::string compressed;
  std::uint32_t crc = 0;
  std::uint64_t size = 0;  // uncompressed
};

// What libzip reads of a directory entry, for the raw reading here to agree with.
struct ZZipEntryView {
  std::string rawName;
  std::uint32_t crc = 0;
  std::uint64_t compSize = 0;
  std::uint64_t size = 0;
};

// The content stored (method 0) or deflated (method 8); content is at most 4 GiB.
ZZipData CompressForZip(const std::string& content, int method);

// A copy of an archive that libzip reads as entries, in which the members at these indexes of
// its central directory have the new data. Each of them keeps its local header and directory entry
// with new CRC and sizes; a data descriptor after its old data goes, and so does the flag that
// announces it. Every other byte is kept; only the offsets of what follows a changed record move.
// Throws ZDocFileError("ARCHIVE: cannot rewrite the archive: problem").
std::string SpliceZip(const char* data, std::size_t size, const std::string& archiveName,
                      const std::vector<ZZipEntryView>& entries,
                      const std::map<std::size_t, ZZipData>& newDataByIndex);

}  // namespace Pelka
