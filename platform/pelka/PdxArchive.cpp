// Reading the ZIP container of a PDX through libzip. An archive is hostile until checked: every
// member's declared sizes, method and encryption are checked before the first byte is inflated.
#include "PdxArchive.h"

#include "ZipSplice.h"

#include "pelka/EcuDocFile.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Pelka {

namespace {

constexpr std::size_t kReadChunk = std::size_t{64} * 1024;
constexpr const char* kSplitMarker = "PK\x07\x08";
constexpr const char* kSplitArchive = "split or multi-disk ZIP archives are not supported";
constexpr const char* kEncrypted = "encrypted members are not supported";

struct ZZipProblem {
  int code;
  const char* problem;
};

// Our words for what libzip reports on bad input; anything else is quoted from libzip.
constexpr ZZipProblem kZipProblems[] = {
    {ZIP_ER_NOZIP, "not a ZIP archive, or its central directory is damaged"},
    {ZIP_ER_INCONS, "the archive is inconsistent: its directory does not fit its end record"},
    {ZIP_ER_MULTIDISK, kSplitArchive},
    {ZIP_ER_EOF, "the archive ends early"},
    {ZIP_ER_INVAL, "a header points outside the archive"},
    {ZIP_ER_SEEK, "a header points outside the archive"},
    {ZIP_ER_CRC, "CRC error: the data is corrupt"},
    {ZIP_ER_COMPRESSED_DATA, "the compressed data is corrupt"},
    {ZIP_ER_ZLIB, "the compressed data is corrupt"},
    {ZIP_ER_COMPNOTSUPP, "the compression method is not supported"},
    {ZIP_ER_ENCRNOTSUPP, kEncrypted},
    {ZIP_ER_NOPASSWD, kEncrypted},
    {ZIP_ER_WRONGPASSWD, kEncrypted},
    {ZIP_ER_MEMORY, "out of memory"},
};

std::string ZipProblem(zip_error_t* error) {
  const int code = zip_error_code_zip(error);
  for (const ZZipProblem& known : kZipProblems) {
    if (known.code == code) return known.problem;
  }
  return std::string("libzip cannot read it: ") + zip_error_strerror(error);
}

// libzip's error record, released on every path.
class ZZipError {
 public:
  ZZipError() { zip_error_init(&m_error); }
  ~ZZipError() { zip_error_fini(&m_error); }
  ZZipError(const ZZipError&) = delete;
  ZZipError& operator=(const ZZipError&) = delete;
  zip_error_t* Get() { return &m_error; }

 private:
  zip_error_t m_error;
};

struct ZArchiveDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZArchivePtr = std::unique_ptr<zip_t, ZArchiveDiscard>;

bool IsDirectory(const std::string& name) { return !name.empty() && name.back() == '/'; }

// An archive opened and checked: its file members are known, none inflated yet.
class ZPdxReader {
 public:
  struct ZEntry {
    zip_uint64_t index;  // in the central directory
    std::string name;
    zip_uint64_t size;
    int method;
  };

  ZPdxReader(const char* data, std::size_t size, const std::string& archiveName);
  const std::string& ArchiveName() const { return m_archiveName; }
  const std::vector<ZEntry>& Entries() const { return m_entries; }
  // Every directory entry as libzip reads it, directories included.
  std::vector<ZZipEntryView> Views() const;
  std::string Inflate(const ZEntry& entry);
  [[noreturn]] void Fail(const std::string& problem) const;
  [[noreturn]] void Fail(const std::string& member, const std::string& problem) const;

 private:
  // The file members, each checked; throws at the first that fails.
  std::vector<ZEntry> CheckedEntries();
  void CheckEntry(const zip_stat_t& stat, zip_uint64_t& totalSize) const;

  std::string m_archiveName;
  ZArchivePtr m_archive;
  std::vector<ZEntry> m_entries;
};

ZPdxReader::ZPdxReader(const char* data, std::size_t size, const std::string& archiveName)
    : m_archiveName(archiveName) {
  if (size >= 4 && std::memcmp(data, kSplitMarker, 4) == 0) Fail(kSplitArchive);
  if (!LooksLikeZip(data, size)) Fail("not a ZIP archive");
  ZZipError error;
  zip_source_t* source = zip_source_buffer_create(data, size, 0, error.Get());
  if (source == nullptr) Fail(ZipProblem(error.Get()));
  // Without libzip's consistency checks: they refuse archives that common tools write (a forced
  // ZIP64 local header beside plain directory entries), and a member is read by its directory
  // entry whatever its local header says.
  m_archive.reset(zip_open_from_source(source, ZIP_RDONLY, error.Get()));
  if (!m_archive) {
    zip_source_free(source);
    Fail(ZipProblem(error.Get()));
  }
  m_entries = CheckedEntries();
}

std::vector<ZPdxReader::ZEntry> ZPdxReader::CheckedEntries() {
  constexpr zip_uint64_t kNeeded = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE |
                                   ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
  std::vector<ZEntry> entries;
  std::set<std::string> names;
  zip_uint64_t totalSize = 0;
  const zip_int64_t count = zip_get_num_entries(m_archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    zip_stat_t stat;
    if (zip_stat_index(m_archive.get(), index, 0, &stat) != 0)
      Fail(ZipProblem(zip_get_error(m_archive.get())));
    if ((stat.valid & kNeeded) != kNeeded) Fail("a member's header lacks its name or sizes");
    if (!names.insert(stat.name).second) Fail(stat.name, "a second member has this name");
    CheckEntry(stat, totalSize);
    if (!IsDirectory(stat.name)) entries.push_back({index, stat.name, stat.size, stat.comp_method});
  }
  return entries;
}

void ZPdxReader::CheckEntry(const zip_stat_t& stat, zip_uint64_t& totalSize) const {
  const std::string name = stat.name;
  if (stat.encryption_method != ZIP_EM_NONE) Fail(name, kEncrypted);
  if (IsDirectory(name) && stat.size != 0) Fail(name, "a directory entry holds data");
  if (stat.comp_method != ZIP_CM_STORE && stat.comp_method != ZIP_CM_DEFLATE) {
    Fail(name, "compression method " + std::to_string(stat.comp_method) +
                   " is not supported (only stored and deflated members are read)");
  }
  // Written so that no product can overflow.
  if (stat.comp_size < stat.size / kPdxMaxRatio ||
      (stat.comp_size == stat.size / kPdxMaxRatio && stat.size % kPdxMaxRatio != 0)) {
    Fail(name, "compression ratio above 1000:1 (" + std::to_string(stat.size) + " bytes from " +
                   std::to_string(stat.comp_size) + "), refused as a likely ZIP bomb");
  }
  if (stat.size > kPdxMaxTotalSize - totalSize)
    Fail("the members would inflate to more than 1 GiB, the limit");
  totalSize += stat.size;
}

std::string ZPdxReader::Inflate(const ZEntry& entry) {
  const std::unique_ptr<zip_file_t, ZFileClose> file(
      zip_fopen_index(m_archive.get(), entry.index, 0));
  if (!file) Fail(entry.name, ZipProblem(zip_get_error(m_archive.get())));
  const std::string declared = std::to_string(entry.size) + " bytes";
  // The string grows with what really inflates, never with what a header claims; one byte past
  // the declared size is enough to catch a member that inflates to more.
  std::string bytes;
  for (;;) {
    const std::size_t old = bytes.size();
    const auto want =
        static_cast<std::size_t>(std::min<zip_uint64_t>(kReadChunk, entry.size - old + 1));
    bytes.resize(old + want);
    const zip_int64_t got = zip_fread(file.get(), &bytes[old], want);
    if (got < 0) {
      zip_error_t* error = zip_file_get_error(file.get());
      // At the end of a member libzip compares its length with the header's.
      if (zip_error_code_zip(error) == ZIP_ER_INCONS)
        Fail(entry.name, "inflates to fewer than its declared " + declared);
      Fail(entry.name, ZipProblem(error));
    }
    bytes.resize(old + static_cast<std::size_t>(got));
    if (bytes.size() > entry.size)
      Fail(entry.name, "inflates to more than its declared " + declared);
    if (got == 0) break;
  }
  if (bytes.size() < entry.size)
    Fail(entry.name, "inflates to fewer than its declared " + declared);
  return bytes;
}

std::vector<ZZipEntryView> ZPdxReader::Views() const {
  std::vector<ZZipEntryView> views;
  const zip_int64_t count = zip_get_num_entries(m_archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    const auto index = static_cast<zip_uint64_t>(i);
    const char* rawName = zip_get_name(m_archive.get(), index, ZIP_FL_ENC_RAW);
    if (rawName == nullptr || zip_stat_index(m_archive.get(), index, 0, &stat) != 0)
      Fail(ZipProblem(zip_get_error(m_archive.get())));
    views.push_back({rawName, stat.crc, stat.comp_size, stat.size});
  }
  return views;
}

void ZPdxReader::Fail(const std::string& problem) const {
  throw ZDocFileError(m_archiveName + ": " + problem);
}

void ZPdxReader::Fail(const std::string& member, const std::string& problem) const {
  throw ZDocFileError(m_archiveName + ":" + member + ": " + problem);
}

// Every name a file member's, and the result within the reader's limit, so that it reads again.
void CheckReplacements(const ZPdxReader& reader,
                       const std::map<std::string, std::string>& content) {
  std::set<std::string> names;
  std::uint64_t totalSize = 0;
  for (const auto& entry : reader.Entries()) {
    names.insert(entry.name);
    const auto replaced = content.find(entry.name);
    totalSize += replaced == content.end() ? entry.size : replaced->second.size();
  }
  for (const auto& replaced : content) {
    if (names.count(replaced.first) == 0) reader.Fail(replaced.first, "no such member");
  }
  if (totalSize > kPdxMaxTotalSize)
    reader.Fail("the members would inflate to more than 1 GiB, the limit");
}

// A fault of the rewrite shows here, before anyone saves the result.
void CheckReadsBack(const ZPdxReader& reader, const std::string& result,
                    const std::vector<ZArchiveMember>& expected) {
  const auto same = [](const ZArchiveMember& a, const ZArchiveMember& b) {
    return a.name == b.name && a.bytes == b.bytes;
  };
  std::string problem = "the result does not read back as written";
  try {
    const auto reread = ReadPdxMembers(result.data(), result.size(), reader.ArchiveName());
    if (std::equal(reread.begin(), reread.end(), expected.begin(), expected.end(), same)) return;
  } catch (const ZDocFileError& error) {
    problem += std::string(" (") + error.what() + ")";
  }
  reader.Fail("cannot rewrite the archive: " + problem);
}

}  // namespace

bool LooksLikeZip(const char* data, std::size_t size) {
  // A member, an empty archive's end record, or the marker that starts a split archive.
  static constexpr const char* kSignatures[] = {"PK\x03\x04", "PK\x05\x06", kSplitMarker};
  if (size < 4) return false;
  return std::any_of(std::begin(kSignatures), std::end(kSignatures), [data](const char* signature) {
    return std::memcmp(data, signature, 4) == 0;
  });
}

std::vector<ZArchiveMember> ReadPdxMembers(const char* data, std::size_t size,
                                           const std::string& archiveName) {
  ZPdxReader reader(data, size, archiveName);
  std::vector<ZArchiveMember> members;
  members.reserve(reader.Entries().size());
  for (const auto& entry : reader.Entries()) members.push_back({entry.name, reader.Inflate(entry)});
  return members;
}

std::string ReplacePdxMembers(const char* data, std::size_t size, const std::string& archiveName,
                              const std::map<std::string, std::string>& newContentByMember) {
  ZPdxReader reader(data, size, archiveName);
  CheckReplacements(reader, newContentByMember);
  std::vector<ZArchiveMember> expected;
  std::map<std::size_t, ZZipData> newData;
  for (const auto& entry : reader.Entries()) {
    expected.push_back({entry.name, reader.Inflate(entry)});
    const auto replaced = newContentByMember.find(entry.name);
    if (replaced == newContentByMember.end() || replaced->second == expected.back().bytes) continue;
    expected.back().bytes = replaced->second;
    newData[static_cast<std::size_t>(entry.index)] = CompressForZip(replaced->second, entry.method);
  }
  if (newData.empty()) return std::string(data, size);
  std::string result = SpliceZip(data, size, archiveName, reader.Views(), newData);
  CheckReadsBack(reader, result, expected);
  return result;
}

}  // namespace Pelka
