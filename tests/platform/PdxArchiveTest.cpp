// Unit tests for platform/pelka/PdxArchive.cpp: reading the PDX container in memory.
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

std::string TwoMembers() { return MakeArchive({{"a.odx", std::string(100, 'a')}, {"b.odx", "b"}}); }

// TwoMembers with a field put at an offset found in it.
std::string Edited(std::size_t (*where)(const std::string&), int width, std::uint32_t value) {
  std::string zip = TwoMembers();
  Put(zip, where(zip), width, value);
  return zip;
}

std::string StoredTen(std::uint32_t declaredSize) {
  return PatchedFirst(MakeArchive({{"a.odx", "0123456789", true}}), kSize, declaredSize);
}

}  // namespace

TEST(PdxArchive, LooksLikeZipByItsFirstSignature) {
  for (const std::string zip : {"PK\x03\x04", "PK\x05\x06", "PK\x07\x08"})
    EXPECT_TRUE(LooksLikeZip(zip.data(), zip.size())) << zip;
  for (const std::string other : {"<?xml", "PK\x01\x02", "PK"})
    EXPECT_FALSE(LooksLikeZip(other.data(), other.size())) << other;
}

TEST(PdxArchive, ReadsFileMembersInArchiveOrderAndNamesAreOnlyNames) {
  const std::vector<ZMember> files = {{"index.xml", "<catalog/>"},
                                      {"../../escape.odx-d", "up", true},
                                      {"/absolute.odx-c", ""},
                                      {"C:\\windows.odx-cs", "drive"},
                                      {"big.odx-d", std::string(300000, 'b'), true}};
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
  const std::string zip = GetParam().make();
  try {
    ReadPdxMembers(zip.data(), zip.size(), "bad.pdx");
    ADD_FAILURE() << "no error";
  } catch (const ZDocFileError& error) {
    EXPECT_EQ(error.what(), std::string(GetParam().message));
  }
}

const ZBadArchive kBadArchives[] = {
    {"empty", [] { return std::string(); }, "bad.pdx: not a ZIP archive"},
    {"xml", [] { return std::string("<?xml version=\"1.0\"?>"); }, "bad.pdx: not a ZIP archive"},
    {"cut_short", [] { return TwoMembers().substr(0, 150); },
     "bad.pdx: not a ZIP archive, or its central directory is damaged"},
    {"split", [] { return "PK\x07\x08" + TwoMembers(); },
     "bad.pdx: split or multi-disk ZIP archives are not supported"},
    {"multi_disk",
     [] { return Edited([](const std::string& z) { return EndRecord(z) + 4; }, 2, 1); },
     "bad.pdx: split or multi-disk ZIP archives are not supported"},
    {"directory_too_long",
     [] { return Edited([](const std::string& z) { return EndRecord(z) + 12; }, 4, 1000); },
     "bad.pdx: the archive is inconsistent: its directory does not fit its end record"},
    {"local_header_points_outside",
     [] {
       return Edited([](const std::string& z) { return Records(z)[1].local + 26; }, 2, 0xffff);
     },
     "bad.pdx:b.odx: a header points outside the archive"},
    {"duplicate_name",
     [] {
       std::string zip =
           Edited([](const std::string& z) { return Records(z)[1].local + 30; }, 1, 'a');
       zip[Records(zip)[1].central + 46] = 'a';
       return zip;
     },
     "bad.pdx:a.odx: a second member has this name"},
    {"crc", [] { return PatchedFirst(TwoMembers(), kCrc, 0x1234); },
     "bad.pdx:a.odx: CRC error: the data is corrupt"},
    {"corrupt_deflate",
     [] { return Edited([](const std::string& z) { return Records(z)[0].data; }, 1, 0xff); },
     "bad.pdx:a.odx: the compressed data is corrupt"},
    {"encrypted", [] { return PatchedFirst(TwoMembers(), kFlags, 1); },
     "bad.pdx:a.odx: encrypted members are not supported"},
    {"bzip2", [] { return PatchedFirst(TwoMembers(), kMethod, 12); },
     "bad.pdx:a.odx: compression method 12 is not supported (only stored and deflated members "
     "are read)"},
    {"directory_with_data",
     [] {
       return MakeArchive({{"dir/", "data"}});
     },
     "bad.pdx:dir/: a directory entry holds data"},
    {"ratio_above_1000", [] { return StoredTen(10001); },
     "bad.pdx:a.odx: compression ratio above 1000:1 (10001 bytes from 10), refused as a likely "
     "ZIP bomb"},
    {"ratio_1000_but_short", [] { return StoredTen(10000); },
     "bad.pdx:a.odx: inflates to fewer than its declared 10000 bytes"},
    {"inflates_to_more", [] { return PatchedFirst(TwoMembers(), kSize, 50); },
     "bad.pdx:a.odx: inflates to more than its declared 50 bytes"},
    {"total_above_1_GiB",
     [] {
       return PatchedFirst(MakeArchive({{"a.odx", std::string(1100000, 'a'), true}}), kSize,
                           1100000000);
     },
     "bad.pdx: the members would inflate to more than 1 GiB, the limit"},
};

INSTANTIATE_TEST_SUITE_P(PdxArchive, PdxArchiveBadInput, ::testing::ValuesIn(kBadArchives),
                         [](const auto& info) { return std::string(info.param.label); });
