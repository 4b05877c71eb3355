// ZIP archives for tests: built in memory with libzip, and read or patched raw, byte by byte.
#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

namespace ZipTest {

struct ZMember {
  std::string name;
  std::string bytes;
  bool stored = false;  // else deflated
};

// One time stamp for every member, so that an archive built twice is the same.
constexpr std::time_t kTimeStamp = 1262311200;  // 2010-01-01 02:00 UTC

inline void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("building a test archive: ") + what);
}

// The members in this order; a name ending in '/' is a directory entry unless it has bytes.
inline std::string MakeArchive(const std::vector<ZMember>& members) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
  Require(target != nullptr, "buffer");
  zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
  zip_error_fini(&error);
  Require(archive != nullptr, "open");
  zip_source_keep(target);
  for (const ZMember& member : members) {
    const bool directory =
        member.bytes.empty() && !member.name.empty() && member.name.back() == '/';
    zip_source_t* data =
        directory ? nullptr
                  : zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
    const zip_int64_t added =
        directory ? zip_dir_add(archive, member.name.c_str(), ZIP_FL_ENC_UTF_8)
                  : zip_file_add(archive, member.name.c_str(), data, ZIP_FL_ENC_UTF_8);
    Require(added >= 0, "add");
    const auto index = static_cast<zip_uint64_t>(added);
    Require(zip_file_set_mtime(archive, index, kTimeStamp, 0) == 0, "time");
    if (!directory) {
      Require(zip_set_file_compression(archive, index,
                                       member.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) == 0,
              "method");
    }
  }
  Require(zip_close(archive) == 0, "close");
  zip_stat_t stat;
  Require(zip_source_stat(target, &stat) == 0 && zip_source_open(target) == 0, "reopen");
  std::string bytes(static_cast<std::size_t>(stat.size), '\0');
  Require(zip_source_read(target, &bytes[0], bytes.size()) == static_cast<zip_int64_t>(stat.size),
          "read");
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

// Where each member's records lie, in central directory order. Archives without an archive
// comment only (as MakeArchive builds them).
struct ZRecords {
  std::size_t local;    // local header
  std::size_t data;     // compressed data
  std::size_t end;      // end of the compressed data
  std::size_t central;  // central directory entry
  std::size_t centralEnd;
};

constexpr std::size_t kEndRecordSize = 22;

inline std::vector<ZRecords> Records(const std::string& zip) {
  const std::size_t endRecord = zip.size() - kEndRecordSize;
  std::size_t central = Get(zip, endRecord + 16, 4);
  std::vector<ZRecords> records;
  for (std::uint32_t i = 0, count = Get(zip, endRecord + 10, 2); i < count; ++i) {
    ZRecords record{};
    record.central = central;
    record.centralEnd = central + 46 + Get(zip, central + 28, 2) + Get(zip, central + 30, 2) +
                        Get(zip, central + 32, 2);
    record.local = Get(zip, central + 42, 4);
    record.data =
        record.local + 30 + Get(zip, record.local + 26, 2) + Get(zip, record.local + 28, 2);
    record.end = record.data + Get(zip, central + 20, 4);
    records.push_back(record);
    central = record.centralEnd;
  }
  return records;
}

// Fields the local header and the central directory entry share, at their local offsets; the
// central entry has them two bytes later, after the "version made by".
enum ZField : std::size_t {
  kFlags = 6,
  kMethod = 8,
  kTime = 10,
  kCrc = 14,
  kCompSize = 18,
  kSize = 22
};

inline int Width(ZField field) { return field >= kCrc ? 4 : 2; }

// The same value in both headers of member index, so that the two still agree.
inline void PatchBoth(std::string& zip, std::size_t index, ZField field, std::uint32_t value) {
  const ZRecords record = Records(zip).at(index);
  Put(zip, record.local + field, Width(field), value);
  Put(zip, record.central + field + 2, Width(field), value);
}

}  // namespace ZipTest
