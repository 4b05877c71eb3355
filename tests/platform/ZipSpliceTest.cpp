// Unit tests for platform/pelka/ZipSplice.cpp, through ReplacePdxMembers: a PDX rewritten in
// memory keeps every byte it has no reason to change.
#include "ZipTestArchive.h"

#include <PdxArchive.h>
#include <pelka/EcuDocFile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

using namespace Pelka;
using namespace ZipTest;

namespace {

using ZContent = std::map<std::string, std::string>;

// Archives as other tools write them: data descriptors, extra fields, ZIP64 records, a comment.
std::string Seed(const char* name) {
  std::ifstream in(std::filesystem::u8path(std::string(PDX_SEED_DIR "/") + name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Built() {
  return MakeArchive({{"index.xml", "<CATALOG/>"},
                      {"odx/", ""},
                      {"odx/a.odx-d", std::string(5000, 'a')},
                      {"odx/b.odx-cs", "stored", true},
                      {"odx/c.odx-c", "<ODX/>"}});
}

std::string Replaced(const std::string& zip, const ZContent& content) {
  return ReplacePdxMembers(zip.data(), zip.size(), "x.pdx", content);
}

// The bytes from begin to end, with the four at offset (from begin) blanked.
std::string Masked(const std::string& zip, std::size_t begin, std::size_t end, std::size_t offset) {
  return zip.substr(begin, end - begin).replace(offset, 4, 4, '\0');
}

struct ZReplaceCase {
  const char* label;
  std::string archive;
  ZContent content;
};

void PrintTo(const ZReplaceCase& replace, std::ostream* out) { *out << replace.label; }

class PdxReplace : public ::testing::TestWithParam<ZReplaceCase> {};

}  // namespace

TEST_P(PdxReplace, KeepsEveryOtherRecordByteForByte) {
  const std::string& original = GetParam().archive;
  const ZContent& content = GetParam().content;
  const std::string result = Replaced(original, content);

  const auto before = ReadPdxMembers(original.data(), original.size(), "x.pdx");
  const auto after = ReadPdxMembers(result.data(), result.size(), "x.pdx");
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].name, before[i].name);
    const auto replaced = content.find(before[i].name);
    EXPECT_TRUE(after[i].bytes == (replaced == content.end() ? before[i].bytes : replaced->second));
  }
  const auto old = Records(original);
  const auto now = Records(result);
  ASSERT_EQ(now.size(), old.size());
  for (std::size_t i = 0; i < old.size(); ++i) {
    const std::string name =
        original.substr(old[i].central + 46, Get(original, old[i].central + 28, 2));
    if (content.count(name) == 0) {
      EXPECT_EQ(result.substr(now[i].local, now[i].end - now[i].local),
                original.substr(old[i].local, old[i].end - old[i].local))
          << name;
      // All of its directory entry but the offset of its local header.
      EXPECT_EQ(Masked(result, now[i].central, now[i].centralEnd, 42),
                Masked(original, old[i].central, old[i].centralEnd, 42))
          << name;
      continue;
    }
    // Method, time and date in both headers, the name, the attributes in the directory.
    EXPECT_EQ(result.substr(now[i].local + kMethod, 6), original.substr(old[i].local + kMethod, 6));
    EXPECT_EQ(result.substr(now[i].central + 2 + kMethod, 6),
              original.substr(old[i].central + 2 + kMethod, 6));
    EXPECT_EQ(result.substr(now[i].local + 30, name.size()), name);
    EXPECT_EQ(result.substr(now[i].central + 36, 6), original.substr(old[i].central + 36, 6));
  }
  // The end record, with the archive's comment.
  EXPECT_EQ(Masked(result, EndRecord(result), result.size(), 16),
            Masked(original, EndRecord(original), original.size(), 16));
}

INSTANTIATE_TEST_SUITE_P(
    ZipSplice, PdxReplace,
    ::testing::Values(
        ZReplaceCase{"built_two_in_the_middle",
                     Built(),
                     {{"odx/a.odx-d", "<ODX VERSION=\"2.2.0\"/>"}, {"odx/b.odx-cs", "longer"}}},
        ZReplaceCase{"built_last", Built(), {{"odx/c.odx-c", std::string(70000, 'c')}}},
        ZReplaceCase{"python_deflated", Seed("deflated.pdx"), {{"x.odx-d", "<x/>"}}},
        ZReplaceCase{"python_stored_with_comment", Seed("stored.pdx"), {{"index.xml", "<x/>"}}},
        ZReplaceCase{"python_data_descriptors", Seed("descriptor.pdx"), {{"index.xml", "<x/>"}}},
        ZReplaceCase{"python_zip64_sizes", Seed("zip64.pdx"), {{"x.odx-d", "<x/>"}}},
        ZReplaceCase{"python_folders", Seed("folders.pdx"), {{"odx/x.odx-d", "<x/>"}}},
        ZReplaceCase{"infozip_extra_fields", Seed("infozip.pdx"), {{"index.xml", "<x/>"}}},
        ZReplaceCase{
            "infozip_zip64_end_record", Seed("infozip-zip64.pdx"), {{"index.xml", "<x/>"}}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PdxReplace, NoChangeKeepsEveryByte) {
  const std::string original = Built();
  EXPECT_TRUE(Replaced(original, {}) == original);
  EXPECT_TRUE(Replaced(original, {{"odx/a.odx-d", std::string(5000, 'a')}}) == original);
}

TEST(PdxReplace, RefusesNamesThatAreNoFileMemberAndResultsAboveTheLimit) {
  // Declares 24 bytes less than the limit, so that 25 more are too many.
  const std::string nearLimit =
      PatchedFirst(MakeArchive({{"big.odx", std::string(1100000, 'x'), true}, {"small.odx", "s"}}),
                   kSize, static_cast<std::uint32_t>(kPdxMaxTotalSize - 24));
  const struct {
    std::string archive;
    ZContent content;
    std::string message;
  } refusals[] = {
      {Built(), {{"nope.odx", "x"}}, "x.pdx:nope.odx: no such member"},
      {Built(), {{"odx/", "x"}}, "x.pdx:odx/: no such member"},
      {nearLimit,
       {{"small.odx", std::string(25, 's')}},
       "x.pdx: the members would inflate to more than 1 GiB, the limit"},
  };
  for (const auto& refusal : refusals) {
    try {
      Replaced(refusal.archive, refusal.content);
      ADD_FAILURE() << refusal.message;
    } catch (const ZDocFileError& error) {
      EXPECT_EQ(error.what(), refusal.message);
    }
  }
}
