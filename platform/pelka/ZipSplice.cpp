// Rewriting a ZIP archive record by record. libzip cannot do this: it writes every record after
// the first changed one anew, which drops data descriptors, reorders extra fields and guesses the
// UTF-8 flag again, and it rewrites the whole central directory. Here the layout is read from the
// raw bytes, every record that does not change is copied, and only offsets are patched.
#include "ZipSplice.h"

#include "pelka/EcuDocFile.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

namespace Pelka {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint64_t kZip64ExtraId = 0x0001;
constexpr std::uint64_t kDataDescriptorFlag = 0x0008;
constexpr std::uint64_t kSaturated = 0xffffffff;  // a 32-bit size or offset kept in ZIP64 fields

constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kMaxCommentSize = 0xffff;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;

// A little-endian number of the archive and where it is kept; width 0: there is none.
struct ZField {
  std::size_t at = 0;
  unsigned width = 0;
  std::uint64_t value = 0;
};

// The archive's bytes, read with bounds checks: a field past the end fails, never crashes.
class ZBytes {
 public:
  ZBytes(const char* data, std::size_t size, const std::string& archiveName)
      : m_data(data), m_size(size), m_archiveName(archiveName) {}

  std::size_t Size() const { return m_size; }
  const char* Data() const { return m_data; }

  ZField Field(std::size_t at, unsigned width) const {
    if (at > m_size || width > m_size - at) Fail("a record runs past the end");
    ZField field{at, width, 0};
    for (unsigned i = width; i > 0; --i)
      field.value = (field.value << 8) | static_cast<unsigned char>(m_data[at + i - 1]);
    return field;
  }
  std::uint64_t Get(std::size_t at, unsigned width) const { return Field(at, width).value; }
  bool Has(std::size_t at, std::uint32_t signature) const {
    return at <= m_size && m_size - at >= 4 && Get(at, 4) == signature;
  }
  // An offset the archive gives, checked to lie inside it.
  std::size_t Offset(std::uint64_t value) const {
    if (value > m_size) Fail("an offset points past the end");
    return static_cast<std::size_t>(value);
  }

  [[noreturn]] void Fail(const std::string& problem) const {
    throw ZDocFileError(m_archiveName + ": cannot rewrite the archive: " + problem);
  }

 private:
  const char* m_data;
  std::size_t m_size;
  const std::string& m_archiveName;
};

bool IsSaturated(const ZField& field) { return field.width == 4 && field.value == kSaturated; }

// The fields of a local header or directory entry that new member data changes.
struct ZHeader {
  std::size_t begin = 0;
  std::size_t end = 0;  // after its name, extra field and comment
  ZField flags, crc, compSize, size;
  ZField offset;  // of the local header; directory entries only
};

// Where the ZIP64 extra field's values begin and end; begin == end when there is none.
std::pair<std::size_t, std::size_t> Zip64Values(const ZBytes& bytes, std::size_t at,
                                                std::size_t end) {
  while (end - at >= 4) {
    const std::size_t length = bytes.Get(at + 2, 2);
    if (length > end - at - 4) break;
    if (bytes.Get(at, 2) == kZip64ExtraId) return {at + 4, at + 4 + length};
    at += 4 + length;
  }
  return {end, end};
}

ZHeader ReadHeader(const ZBytes& bytes, std::size_t begin, bool central) {
  // A directory entry has the local header's fields two bytes later, after "version made by".
  const std::size_t at = begin + (central ? 2 : 0);
  ZHeader header;
  header.begin = begin;
  header.flags = bytes.Field(at + 6, 2);
  header.crc = bytes.Field(at + 14, 4);
  header.compSize = bytes.Field(at + 18, 4);
  header.size = bytes.Field(at + 22, 4);
  if (central) header.offset = bytes.Field(begin + 42, 4);
  const std::size_t extra =
      begin + (central ? kCentralHeaderSize : kLocalHeaderSize) + bytes.Get(at + 26, 2);
  const std::size_t extraEnd = extra + bytes.Get(at + 28, 2);
  header.end = extraEnd + (central ? bytes.Get(begin + 32, 2) : 0);
  if (header.end > bytes.Size()) bytes.Fail("a record runs past the end");
  // Saturated fields have their values in the ZIP64 extra field, in this order; in a local
  // header the size's place comes first even when only the compressed size needs it.
  auto [value, valuesEnd] = Zip64Values(bytes, extra, extraEnd);
  for (ZField* field : {&header.size, &header.compSize, &header.offset}) {
    if (IsSaturated(*field)) {
      if (valuesEnd - value < 8) bytes.Fail("a ZIP64 field is missing");
      *field = bytes.Field(value, 8);
      value += 8;
    } else if (!central && field == &header.size && IsSaturated(header.compSize)) {
      value += std::min<std::size_t>(8, valuesEnd - value);
    }
  }
  return header;
}

struct ZEntry {
  ZHeader central;
  ZHeader local;
  std::size_t recordEnd = 0;  // where the next record begins
};

struct ZLayout {
  std::vector<ZEntry> entries;     // in directory order
  std::vector<std::size_t> order;  // their indexes in the order of their records
  std::size_t centralBegin = 0;
  std::vector<ZField> centralOffsets;  // the end records' offsets of the directory
  ZField zip64End;                     // the locator's offset of the ZIP64 end record
};

// Whether a reader could take the end record at at for valid: it is laxer than libzip, never
// stricter.
bool MayBeEndRecord(const ZBytes& bytes, std::size_t at) {
  if (!bytes.Has(at, kEndSignature) || bytes.Get(at + 20, 2) > bytes.Size() - kEndSize - at)
    return false;
  if (at >= kZip64LocatorSize && bytes.Has(at - kZip64LocatorSize, kZip64LocatorSignature))
    return true;
  const std::uint64_t offset = bytes.Get(at + 16, 4);
  return offset + bytes.Get(at + 12, 4) <= at &&
         (bytes.Get(at + 10, 2) == 0 ||
          bytes.Has(static_cast<std::size_t>(offset), kCentralSignature));
}

// libzip takes the best of several end records, so an archive that may have more than one is not
// rewritten: the one patched here might not be the one read.
std::size_t FindEndRecord(const ZBytes& bytes) {
  if (bytes.Size() < kEndSize) bytes.Fail("no end record");
  const std::size_t last = bytes.Size() - kEndSize;
  std::size_t found = bytes.Size();
  for (std::size_t at = last; last - at <= kMaxCommentSize; --at) {
    if (MayBeEndRecord(bytes, at)) {
      if (found != bytes.Size()) bytes.Fail("it has more than one end record");
      found = at;
    }
    if (at == 0) break;
  }
  if (found == bytes.Size()) bytes.Fail("no end record");
  return found;
}

void ReadDirectory(const ZBytes& bytes, ZLayout& layout) {
  const std::size_t end = FindEndRecord(bytes);
  std::uint64_t count = bytes.Get(end + 10, 2);
  ZField offset = bytes.Field(end + 16, 4);
  if (!IsSaturated(offset)) layout.centralOffsets.push_back(offset);
  std::size_t centralLimit = end;
  if (end >= kZip64LocatorSize && bytes.Has(end - kZip64LocatorSize, kZip64LocatorSignature)) {
    layout.zip64End = bytes.Field(end - kZip64LocatorSize + 8, 8);
    centralLimit = bytes.Offset(layout.zip64End.value);
    if (!bytes.Has(centralLimit, kZip64EndSignature) ||
        centralLimit + kZip64EndSize > end - kZip64LocatorSize)
      bytes.Fail("the ZIP64 end record is damaged");
    count = bytes.Get(centralLimit + 32, 8);
    offset = bytes.Field(centralLimit + 48, 8);
    layout.centralOffsets.push_back(offset);
  }
  layout.centralBegin = bytes.Offset(offset.value);
  std::size_t at = layout.centralBegin;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (at > centralLimit || !bytes.Has(at, kCentralSignature))
      bytes.Fail("a directory entry is damaged");
    layout.entries.push_back({ReadHeader(bytes, at, true), {}, 0});
    at = layout.entries.back().central.end;
  }
  if (at > centralLimit) bytes.Fail("the directory overlaps its end records");
}

// Every local header, and where each record ends: at the next one in the archive, so that a data
// descriptor or anything else after the data stays with its member.
void ReadRecords(const ZBytes& bytes, ZLayout& layout) {
  std::vector<std::size_t>& order = layout.order;
  order.resize(layout.entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  for (ZEntry& entry : layout.entries) {
    const std::size_t local = bytes.Offset(entry.central.offset.value);
    if (!bytes.Has(local, kLocalSignature)) bytes.Fail("a local header is missing");
    entry.local = ReadHeader(bytes, local, false);
  }
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return layout.entries[a].local.begin < layout.entries[b].local.begin;
  });
  for (std::size_t i = 0; i < order.size(); ++i) {
    ZEntry& entry = layout.entries[order[i]];
    entry.recordEnd =
        i + 1 < order.size() ? layout.entries[order[i + 1]].local.begin : layout.centralBegin;
    const std::size_t room = entry.recordEnd - std::min(entry.recordEnd, entry.local.end);
    if (entry.recordEnd < entry.local.end || entry.central.compSize.value > room)
      bytes.Fail("members overlap");
  }
}

// The directory must read here as libzip reads it, or a record might be taken for another.
void CheckAgreement(const ZBytes& bytes, const ZLayout& layout,
                    const std::vector<ZZipEntryView>& views) {
  bool agree = views.size() == layout.entries.size();
  for (std::size_t i = 0; agree && i < views.size(); ++i) {
    const ZHeader& central = layout.entries[i].central;
    const std::size_t name = central.begin + kCentralHeaderSize;
    agree =
        views[i].rawName.compare(0, std::string::npos, bytes.Data() + name,
                                 static_cast<std::size_t>(bytes.Get(central.begin + 28, 2))) == 0 &&
        views[i].crc == central.crc.value && views[i].compSize == central.compSize.value &&
        views[i].size == central.size.value;
  }
  if (!agree) bytes.Fail("its directory reads two ways");
}

// Writes a field's new value at newAt, where the field lies in the new archive.
void Put(std::string& out, const ZField& field, std::size_t newAt, std::uint64_t value,
         const ZBytes& bytes) {
  if (field.width == 4 && value >= kSaturated) bytes.Fail("the new data needs ZIP64 sizes");
  for (unsigned i = 0; i < field.width; ++i, value >>= 8)
    out[newAt + i] = static_cast<char>(value & 0xff);
}

// The header copied to newBegin gets the new data's CRC and sizes, and no data descriptor.
void PutData(std::string& out, const ZHeader& header, std::size_t newBegin, const ZZipData& data,
             const ZBytes& bytes) {
  const auto moved = [&](const ZField& field) { return field.at - header.begin + newBegin; };
  Put(out, header.flags, moved(header.flags), header.flags.value & ~kDataDescriptorFlag, bytes);
  Put(out, header.crc, moved(header.crc), data.crc, bytes);
  Put(out, header.compSize, moved(header.compSize), data.compressed.size(), bytes);
  Put(out, header.size, moved(header.size), data.size, bytes);
}

}  // namespace

ZZipData CompressForZip(const std::string& content, int method) {
  ZZipData data;
  data.size = content.size();
  const auto* in = reinterpret_cast<const Bytef*>(content.data());
  data.crc = static_cast<std::uint32_t>(crc32_z(0, in, content.size()));
  if (method == 0) {
    data.compressed = content;
    return data;
  }
  z_stream stream{};
  // Raw deflate, as ZIP keeps it; with valid arguments only memory can fail.
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK)
    throw std::bad_alloc();
  data.compressed.resize(deflateBound(&stream, static_cast<uLong>(content.size())));
  stream.next_in = const_cast<Bytef*>(in);
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = reinterpret_cast<Bytef*>(&data.compressed[0]);
  stream.avail_out = static_cast<uInt>(data.compressed.size());
  const int status = deflate(&stream, Z_FINISH);
  data.compressed.resize(stream.total_out);
  deflateEnd(&stream);
  // The bound leaves room for all of it.
  if (status != Z_STREAM_END) throw std::logic_error("deflate did not finish within its bound");
  return data;
}

std::string SpliceZip(const char* data, std::size_t size, const std::string& archiveName,
                      const std::vector<ZZipEntryView>& entries,
                      const std::map<std::size_t, ZZipData>& newDataByIndex) {
  const ZBytes bytes(data, size, archiveName);
  ZLayout layout;
  ReadDirectory(bytes, layout);
  CheckAgreement(bytes, layout, entries);
  ReadRecords(bytes, layout);
  const std::vector<std::size_t>& order = layout.order;

  std::string out;
  out.reserve(size);
  out.append(data, order.empty() ? layout.centralBegin : layout.entries[order[0]].local.begin);
  std::vector<std::size_t> newOffset(layout.entries.size());
  for (const std::size_t index : order) {
    const ZEntry& entry = layout.entries[index];
    newOffset[index] = out.size();
    const auto replaced = newDataByIndex.find(index);
    if (replaced == newDataByIndex.end()) {
      out.append(data + entry.local.begin, entry.recordEnd - entry.local.begin);
      continue;
    }
    out.append(data + entry.local.begin, entry.local.end - entry.local.begin);
    PutData(out, entry.local, newOffset[index], replaced->second, bytes);
    out += replaced->second.compressed;
  }

  // The directory and the end records, with the new offsets.
  const std::size_t newCentralBegin = out.size();
  out.append(data + layout.centralBegin, size - layout.centralBegin);
  const auto moved = [&](std::size_t at) { return at - layout.centralBegin + newCentralBegin; };
  for (std::size_t index = 0; index < layout.entries.size(); ++index) {
    const ZHeader& central = layout.entries[index].central;
    Put(out, central.offset, moved(central.offset.at), newOffset[index], bytes);
    const auto replaced = newDataByIndex.find(index);
    if (replaced != newDataByIndex.end())
      PutData(out, central, moved(central.begin), replaced->second, bytes);
  }
  for (const ZField& offset : layout.centralOffsets)
    Put(out, offset, moved(offset.at), newCentralBegin, bytes);
  if (layout.zip64End.width != 0) {
    Put(out, layout.zip64End, moved(layout.zip64End.at),
        moved(static_cast<std::size_t>(layout.zip64End.value)), bytes);
  }
  return out;
}

}  // namespace Pelka
