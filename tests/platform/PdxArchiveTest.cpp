// Unit tests for platform/pelka/PdxArchive.cpp: the PDX container in memory.
#include "ZipTestArchive.h"

#include <PdxArchive.h>
#include <pelka/EcuDocFile.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Pelka;
using namespace ZipTest;

namespace {

std::string ReadError(const std::string& zip) {
  try {
    ReadPdxMembers(zip.data(), zip.size(), "bad.pdx");
  } catch (const ZDocFileError& error) {
    return error.what();
  }
  return "no error";
}

std::string TwoMembers() { return MakeArchive({{"a.odx", std::string(100, 'a')}, {"b.odx", "b"}}); }

std::string Patched(std::string zip, ZField field, std::uint32_t value) {
  PatchBoth(zip, 0, field, value);
  return zip;
}

// Bytes no compressor shrinks much.
std::string Noise(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& byte : bytes) byte = static_cast<char>((state = state * 1103515245 + 12345) >> 24);
  return bytes;
}

}  // namespace

TEST(PdxArchive, LooksLikeZipByItsFirstSignature) {
  for (const char* zip : {"PK\x03\x04", "PK\x05\x06", "PK\x07\x08"})
    EXPECT_TRUE(LooksLikeZip(zip, 4)) << zip;
  for (const std::string other : {"<?xml", "PK\x01\x02", "PK"})
    EXPECT_FALSE(LooksLikeZip(other.data(), other.size())) << other;
}

TEST(PdxArchive, ReadsFileMembersInArchiveOrderAndNamesAreOnlyNames) {
  const std::vector<ZMember> files = {{"index.xml", "<catalog/>"},
                                      {"../../escape.odx-d", "up", true},
                                      {"/absolute.odx-c", ""},
                                      {"C:\\windows.odx-cs", "drive"},
                                      {"big.odx-d", Noise(300000)}};
  std::vector<ZMember> all = files;
  all.insert(all.begin() + 1, {"folder/", ""});
  const std::string zip = MakeArchive(all);
  const std::vector<ZArchiveMember> members = ReadPdxMembers(zip.data(), zip.size(), "x.pdx");
  ASSERT_EQ(members.size(), files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(members[i].name, files[i].name);
    EXPECT_TRUE(members[i].bytes == files[i].bytes) << files[i].name;
  }
  const std::string empty = std::string("PK\x05\x06", 4) + std::string(18, '\0');
  EXPECT_TRUE(ReadPdxMembers(empty.data(), empty.size(), "x.pdx").empty());
}

struct ZBadArchive {
  const char* label;
  std::function<std::string()> make;
  const char* message;
};

void PrintTo(const ZBadArchive& bad, std::ostream* out) { *out << bad.label; }

class PdxArchiveBadInput : public ::testing::TestWithParam<ZBadArchive> {};

TEST_P(PdxArchiveBadInput, FailsWithArchiveMemberAndProblem) {
  EXPECT_EQ(ReadError(GetParam().make()), GetParam().message);
}

const ZBadArchive kBadArchives[] = {
    {"empty", [] { return std::string(); }, "bad.pdx: not a ZIP archive"},
    {"xml", [] { return std::string("<?xml version=\"1.0\"?>"); }, "bad.pdx: not a ZIP archive"},
    {"cut_short", [] { return TwoMembers().substr(0, 150); },
     "bad.pdx: not a ZIP archive, or its central directory is damaged"},
    {"split", [] { return "PK\x07\x08" + TwoMembers(); },
     "bad.pdx: split or multi-disk ZIP archives are not supported"},
    {"multi_disk",
     [] {
       std::string zip = TwoMembers();
       Put(zip, zip.size() - kEndRecordSize + 4, 2, 1);
       return zip;
     },
     "bad.pdx: split or multi-disk ZIP archives are not supported"},
    {"directory_too_long",
     [] {
       std::string zip = TwoMembers();
       Put(zip, zip.size() - kEndRecordSize + 12, 4, 1000);
       return zip;
     },
     "bad.pdx: the archive is inconsistent: its directory does not fit its end record"},
    {"local_header_points_outside",
     [] {
       std::string zip = TwoMembers();
       Put(zip, Records(zip)[1].local + 26, 2, 0xffff);
       return zip;
     },
     "bad.pdx:b.odx: a header points outside the archive"},
    {"duplicate_name",
     [] {
       std::string zip = TwoMembers();
       for (const ZRecords& record : Records(zip)) {
         zip[record.local + 30] = 'a';
         zip[record.central + 46] = 'a';
       }
       return zip;
     },
     "bad.pdx:a.odx: a second member has this name"},
    {"crc", [] { return Patched(TwoMembers(), kCrc, 0x1234); },
     "bad.pdx:a.odx: CRC error: the data is corrupt"},
    {"corrupt_deflate",
     [] {
       std::string zip = TwoMembers();
       zip[Records(zip)[0].data] = '\xff';
       return zip;
     },
     "bad.pdx:a.odx: the compressed data is corrupt"},
    {"encrypted", [] { return Patched(TwoMembers(), kFlags, 1); },
     "bad.pdx:a.odx: encrypted members are not supported"},
    {"bzip2", [] { return Patched(TwoMembers(), kMethod, 12); },
     "bad.pdx:a.odx: compression method 12 is not supported (only stored and deflated members "
     "are read)"},
    {"directory_with_data",
     [] {
       return MakeArchive({{"dir/", "data"}});
     },
     "bad.pdx:dir/: a directory entry holds data"},
    {"ratio_above_1000",
     [] {
       return Patched(MakeArchive({{"a.odx", "0123456789", true}}), kSize, 10001);
     },
     "bad.pdx:a.odx: compression ratio above 1000:1 (10001 bytes from 10), refused as a likely "
     "ZIP bomb"},
    {"ratio_1000_but_short",
     [] {
       return Patched(MakeArchive({{"a.odx", "0123456789", true}}), kSize, 10000);
     },
     "bad.pdx:a.odx: inflates to fewer than its declared 10000 bytes"},
    {"inflates_to_more", [] { return Patched(TwoMembers(), kSize, 50); },
     "bad.pdx:a.odx: inflates to more than its declared 50 bytes"},
    {"total_above_1_GiB",
     [] {
       return Patched(MakeArchive({{"a.odx", Noise(1100000), true}}), kSize, 1100000000);
     },
     "bad.pdx: the members would inflate to more than 1 GiB, the limit"},
};

INSTANTIATE_TEST_SUITE_P(PdxArchive, PdxArchiveBadInput, ::testing::ValuesIn(kBadArchives),
                         [](const auto& info) { return std::string(info.param.label); });
