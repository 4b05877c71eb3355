// The ZIP container of a PDX, read and rewritten in memory; nothing touches the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Pelka {

// Limits on what an archive may make us inflate; both are checked before anything is inflated,
// and each member's real size is checked against its declared one while it is read.
constexpr std::uint64_t kPdxMaxTotalSize = std::uint64_t{1} << 30;  // 1 GiB, all members
constexpr std::uint64_t kPdxMaxRatio = 1000;  // uncompressed to compressed size, per member

struct ZArchiveMember {
  std::string name;  // as the archive spells it (UTF-8); only a name, never a path
  std::string bytes;
};

// True when the bytes begin like a ZIP archive.
bool LooksLikeZip(const char* data, std::size_t size);

// Every file member (no directories) in archive order, inflated in memory. Only stored and
// deflated members are read; encrypted members and split archives are refused. Throws
// ZDocFileError("ARCHIVE: problem") or ("ARCHIVE:MEMBER: problem"), ARCHIVE being archiveName.
std::vector<ZArchiveMember> ReadPdxMembers(const char* data, std::size_t size,
                                           const std::string& archiveName);

// A copy of the archive in which each named member has the new content. Every other member keeps
// its compressed bytes, name, order, time stamp and attributes, and every other byte of the
// archive stays as it was but for the offsets that move. A replaced member keeps its name, place,
// time stamp, attributes, method and extra fields; its CRC and sizes change, and a data
// descriptor after it goes with the flag that announces it. A member given the content it has is
// left alone, so that no change gives the same bytes. Throws ZDocFileError: what ReadPdxMembers
// refuses, a name that is no file member ("ARCHIVE:MEMBER: no such member"), a result above the
// size limit, an archive whose records cannot be rewritten one by one.
std::string ReplacePdxMembers(const char* data, std::size_t size, const std::string& archiveName,
                              const std::map<std::string, std::string>& newContentByMember);

}  // namespace Pelka
