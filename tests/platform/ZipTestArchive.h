// ZIP archives for tests: built in memory with libzip, and read or patched raw, byte by byte.
#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ZipTest {

struct ZMember {
  std::string name;
  std::string bytes;
  bool stored = false;  // else deflated
};

// The members in this order, all with one time stamp; a name ending in '/' without bytes is a
// directory entry.
inline std::string MakeArchive(const std::vector<ZMember>& members) {
  zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, nullptr);
  zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, nullptr);
  zip_source_keep(target);
  for (const ZMember& member : members) {
    const bool directory = member.bytes.empty() && member.name.back() == '/';
    const auto index = static_cast<zip_uint64_t>(
        directory
            ? zip_dir_add(archive, member.name.c_str(), 0)
            : zip_file_add(archive, member.name.c_str(),
                           zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0),
                           0));
    zip_file_set_mtime(archive, index, 1262311200, 0);
    zip_set_file_compression(archive, index, member.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
  }
  zip_close(archive);
  zip_stat_t stat;
  zip_source_stat(target, &stat);
  std::string bytes(static_cast<std::size_t>(stat.size), '\0');
  zip_source_open(target);
  zip_source_read(target, &bytes[0], bytes.size());
  zip_source_close(target);
  zip_source_free(target);
  return bytes;
}

// Raw little-endian fields.
inline std::uint32_t Get(const std::string& zip, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(zip.at(at + static_cast<std::size_t>(i)));
  return value;
}
inline void Put(std::string& zip, std::size_t at, int width, std::uint32_t value) {
  for (int i = 0; i < width; ++i, value >>= 8)
    zip.at(at + static_cast<std::size_t>(i)) = static_cast<char>(value & 0xff);
}

inline std::size_t EndRecord(const std::string& zip) { return zip.rfind("PK\x05\x06"); }

// Where each member's records lie, in directory order, for archives that keep them in that order.
struct ZRecords {
  std::size_t local, data;  // its local header, its compressed data
  std::size_t end;          // the next local header or the central directory
  std::size_t central, centralEnd;
};

inline std::vector<ZRecords> Records(const std::string& zip) {
  const std::size_t endRecord = EndRecord(zip);
  std::size_t central = Get(zip, endRecord + 16, 4);
  if (central == 0xffffffff) central = Get(zip, Get(zip, endRecord - 12, 4) + 48, 4);  // ZIP64
  const std::size_t directory = central;
  std::vector<ZRecords> records;
  for (std::uint32_t i = 0, count = Get(zip, endRecord + 10, 2); i < count; ++i) {
    const std::size_t local = Get(zip, central + 42, 4);
    if (!records.empty()) records.back().end = local;
    records.push_back({local, local + 30 + Get(zip, local + 26, 2) + Get(zip, local + 28, 2),
                       directory, central,
                       central + 46 + Get(zip, central + 28, 2) + Get(zip, central + 30, 2) +
                           Get(zip, central + 32, 2)});
    central = records.back().centralEnd;
  }
  return records;
}

// Fields of both headers at their local header offsets; the directory entry has them two bytes
// later, after "version made by".
enum ZField : std::size_t { kFlags = 6, kMethod = 8, kCrc = 14, kSize = 22 };

// The same value in both headers of the first member, so that the two still agree.
inline std::string PatchedFirst(std::string zip, ZField field, std::uint32_t value) {
  const ZRecords first = Records(zip).at(0);
  const int width = field >= kCrc ? 4 : 2;
  Put(zip, first.local + field, width, value);
  Put(zip, first.central + field + 2, width, value);
  return zip;
}

}  // namespace ZipTest
