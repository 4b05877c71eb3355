// Unit tests for platform/pelka/EcuDocReader.cpp and EcuDocWriter.cpp: the document file format.
#include "DocFileErrors.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if !defined(_WIN32)
#  include <fcntl.h>
#  include <sys/file.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

using namespace Pelka;
using DocFileErrors::LoadError;
using DocFileErrors::SaveError;

namespace {

const std::string kDataDir = PLATFORM_TEST_DATA_DIR;
const std::string kRoundTrip = kDataDir + "/ecudoc-roundtrip.xml";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A scratch directory of its own per test, removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path = std::filesystem::temp_directory_path() /
             (std::string("pelka-") + test->test_suite_name() + "-" + test->name());
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~ScratchDir() { std::filesystem::remove_all(m_path); }
  std::string File(const std::string& name) const { return (m_path / name).u8string(); }
  // The names it holds, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
      names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path m_path;
};

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::u8path(path), std::ios::binary) << bytes;
}

template <class T>
T& Attr(ZEcuDoc& doc, const wchar_t* qualifier) {
  ZDefaultAttr* pAttribute = doc.FindAttribute(qualifier);
  EXPECT_NE(pAttribute, nullptr) << "no attribute";
  return static_cast<T&>(*pAttribute);
}

template <class TOverride>
const TOverride* OverrideOf(ZEcuDoc& doc, const ZDefaultAttr& attribute) {
  ZOverrideAttrSet& overrides = doc.GetEcu().OverriddenAttributes();
  const auto found = overrides.Find(attribute);
  return found == overrides.End() ? nullptr : &static_cast<const TOverride&>(*found);
}

}  // namespace

// ---- reading what a hand-written file says

class EcuDocFileRoundTrip : public ::testing::Test {
 protected:
  std::unique_ptr<ZEcuDoc> m_pDoc = LoadEcuDoc(kRoundTrip);
};

TEST_F(EcuDocFileRoundTrip, ReadsLanguagesDefaultFirst) {
  const ZLanguageSet& languages = m_pDoc->Languages();
  ASSERT_EQ(languages.Count(), 3u);
  EXPECT_STREQ(languages.ItemAt(0)->GetName(), L"English");
  EXPECT_EQ(languages.ItemAt(1)->GetId(), 1031u);
  EXPECT_STREQ(languages.ItemAt(2)->GetName(), L"Fran\u00e7ais");
}

TEST_F(EcuDocFileRoundTrip, ReadsNumbersAtTheLimitsOfTheirKinds) {
  auto& p2 = Attr<ZUnsignedDefaultAttr>(*m_pDoc, L"CP.P2Client");
  EXPECT_EQ(p2.GetValue(), 50u);
  ASSERT_NE(OverrideOf<ZUnsignedOverrideAttr>(*m_pDoc, p2), nullptr);
  EXPECT_EQ(OverrideOf<ZUnsignedOverrideAttr>(*m_pDoc, p2)->GetValue(), 4294967295u);
  auto& blockSize = Attr<ZDefaultAttr>(*m_pDoc, L"CP.BlockSize");
  EXPECT_EQ(OverrideOf<ZUnsignedOverrideAttr>(*m_pDoc, blockSize), nullptr);
  auto& offset = Attr<ZSignedDefaultAttr>(*m_pDoc, L"CP.Offset");
  EXPECT_EQ(offset.GetValue(), -2147483647 - 1);
  EXPECT_EQ(OverrideOf<ZSignedOverrideAttr>(*m_pDoc, offset)->GetValue(), 2147483647);
  EXPECT_FALSE(offset.MayBeModified());
  auto& factor = Attr<ZFloatDefaultAttr>(*m_pDoc, L"CP.Factor");
  EXPECT_EQ(factor.GetValue(), 0.1);
  EXPECT_EQ(OverrideOf<ZFloatOverrideAttr>(*m_pDoc, factor)->GetValue(), -2.5e-300);
}

TEST_F(EcuDocFileRoundTrip, ReadsShortAndLongFormsOfTexts) {
  auto& p2 = Attr<ZUnsignedDefaultAttr>(*m_pDoc, L"CP.P2Client");
  EXPECT_STREQ(p2.GetName(0), L"P2 client");
  EXPECT_TRUE(p2.GetNames().IsDefined(0));
  EXPECT_STREQ(p2.GetName(1031), L"P2 Client");
  EXPECT_STREQ(p2.GetCategory().GetQualifier(), L"CP.TIMING");
  EXPECT_STREQ(p2.GetDescription().GetText(1036), L"D\u00e9lai");
  EXPECT_FALSE(p2.GetDescription().IsDefined(1036));

  auto& title = Attr<ZTextDefaultAttr>(*m_pDoc, L"DOC.Title");
  EXPECT_STREQ(title.GetValueText(), L"Demo");
  EXPECT_STREQ(title.GetValue().GetText(1031), L"Vorf\u00fchrung");
  const auto* pOverride = OverrideOf<ZTextOverrideAttr>(*m_pDoc, title);
  ASSERT_NE(pOverride, nullptr);
  EXPECT_STREQ(pOverride->GetValueText(), L"") << "an override holds only the texts listed";
  EXPECT_STREQ(pOverride->GetValue().GetText(1031), L"  blanks kept  ");
  EXPECT_FALSE(pOverride->GetValue().IsDefined(1031));

  auto& owner = Attr<ZCommonStringDefaultAttr>(*m_pDoc, L"DOC.Owner");
  EXPECT_STREQ(owner.GetValue(), L"\u6771\u4eac \U0001F600");
  EXPECT_STREQ(OverrideOf<ZCommonStringOverrideAttr>(*m_pDoc, owner)->GetValue(), L"line\nbreak");
}

TEST_F(EcuDocFileRoundTrip, ReadsSparseTagsInAscendingOrderWithTheirLanguages) {
  auto& scheme = Attr<ZEnumDefaultAttr>(*m_pDoc, L"CP.AddrScheme");
  const ZEnumTagTable& tags = scheme.EnumTagTable();
  ASSERT_EQ(tags.Count(), 3u);
  EXPECT_EQ(tags.ItemAt(0).GetId(), 2u);
  EXPECT_EQ(tags.ItemAt(1).GetId(), 7u);
  EXPECT_EQ(tags.ItemAt(2).GetId(), 40000u);
  const ZTranslatable& normal = tags.GetEnumTagSymbolById(2).GetTagText();
  EXPECT_STREQ(normal.GetText(1036), L"Normal") << "short form: every language";
  EXPECT_TRUE(normal.IsDefined(1031));
  const ZTranslatable& mixed = tags.GetEnumTagSymbolById(40000).GetTagText();
  EXPECT_FALSE(mixed.IsDefined(1031));
  EXPECT_STREQ(mixed.GetText(1036), L"");
  EXPECT_STREQ(scheme.GetValueText(), L"Normal");
  EXPECT_STREQ(OverrideOf<ZEnumOverrideAttr>(*m_pDoc, scheme)->GetValueText(), L"Mixed");
  EXPECT_EQ(Attr<ZEnumDefaultAttr>(*m_pDoc, L"CP.NoTags").GetValue(), 0u);
}

TEST_F(EcuDocFileRoundTrip, ReadsPlacementAndMembership) {
  const ZDefaultAttrCollection& held = m_pDoc->GetEcu().DefaultAttributes();
  EXPECT_EQ(held.Find(Attr<ZDefaultAttr>(*m_pDoc, L"DOC.Title")), held.End());
  EXPECT_NE(held.Find(Attr<ZDefaultAttr>(*m_pDoc, L"CP.Delta")), held.End());
  EXPECT_EQ(m_pDoc->GetEcu().VirtualAttributes().Count(), m_pDoc->AttributeCount());
  const std::vector<std::size_t> can1{2, 8, 12};
  const std::vector<std::size_t> can2{2, 3};
  EXPECT_EQ(m_pDoc->InterfaceMemberPositions(L"CAN_1"), can1);
  EXPECT_EQ(m_pDoc->InterfaceMemberPositions(L"CAN_2"), can2);
}

// ---- load, save, load

TEST_F(EcuDocFileRoundTrip, SaveThenLoadGivesAnEqualDocument) {
  ScratchDir dir;
  SaveEcuDoc(*m_pDoc, dir.File("saved.xml"));
  const std::unique_ptr<ZEcuDoc> pReloaded = LoadEcuDoc(dir.File("saved.xml"));
  std::string difference;
  EXPECT_TRUE(EqualDocuments(*m_pDoc, *pReloaded, &difference)) << difference;
  EXPECT_EQ(ReadBytes(dir.File("saved.xml")), FormatEcuDoc(*pReloaded));
}

TEST_F(EcuDocFileRoundTrip, SavingTwiceWritesTheSameBytes) {
  ScratchDir dir;
  SaveEcuDoc(*m_pDoc, dir.File("one.xml"));
  SaveEcuDoc(*m_pDoc, dir.File("two.xml"));
  const std::string first = ReadBytes(dir.File("one.xml"));
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, ReadBytes(dir.File("two.xml")));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"one.xml", "two.xml"}));
}

TEST(EcuDocFile, BuiltDocumentSurvivesTextsThatXmlTreatsSpecially) {
  ZEcuDoc doc;
  auto& text = doc.AddAttribute<ZTextDefaultAttr>(L"T.Special");
  text.SetText(L"a\r\nb\tc <&>\"' ]]> \u00e9", ZLanguage::defaultLangId, true);
  static_cast<ZTextOverrideAttr&>(text.CreateOverride(doc.GetEcu()))
      .SetText(L"   ", ZLanguage::defaultLangId, false);
  doc.AddAttribute<ZCommonStringDefaultAttr>(L"S.Special", L"c\r\n").SetValue(L"\t x\r\n");
  doc.AddAttribute<ZFloatDefaultAttr>(L"F.Tiny").SetValue(5e-324);
  auto& noTag = doc.AddAttribute<ZEnumDefaultAttr>(L"E.NoTag");
  noTag.EnumTagTable().AddNewTag(3);
  noTag.CreateOverride(doc.GetEcu());

  const std::string bytes = FormatEcuDoc(doc);
  const std::unique_ptr<ZEcuDoc> pReloaded = ParseEcuDoc(bytes.data(), bytes.size(), "memory");
  std::string difference;
  EXPECT_TRUE(EqualDocuments(doc, *pReloaded, &difference)) << difference << "\n" << bytes;
}

// XML has no form for them, not even a reference: a file holding one would not load again.
TEST(EcuDocFile, SaveRefusesCharactersXmlCannotHoldAndWritesNothing) {
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  ZEcuDoc control;
  control.AddAttribute<ZCommonStringDefaultAttr>(L"S.Control")
      .SetValue(
          L"a\x01"
          L"b");
  EXPECT_EQ(SaveError(control, path),
            path + ": attribute \"S.Control\": character U+0001 cannot be written to XML");
  ZEcuDoc surrogate;
  surrogate.AddLanguage(1031, L"lone \xD800");
  EXPECT_EQ(SaveError(surrogate, path),
            path + ": language 1031: character U+D800 cannot be written to XML");
  ZEcuDoc tagText;
  auto& attribute = tagText.AddAttribute<ZEnumDefaultAttr>(L"E.Tag");
  attribute.EnumTagTable().AddNewTag(0).GetTagText().SetText(L"\xFFFE", 0, true);
  EXPECT_EQ(SaveError(tagText, path),
            path + ": attribute \"E.Tag\": character U+FFFE cannot be written to XML");
  EXPECT_TRUE(dir.Names().empty());
}

TEST(EcuDocFile, PathsAreUtf8) {
  ScratchDir dir;
  const std::string path = dir.File("\xc3\xa4\xe6\x9d\xb1.xml");
  ZEcuDoc doc;
  doc.AddAttribute<ZUnsignedDefaultAttr>(L"CP.A").SetValue(7);
  SaveEcuDoc(doc, path);
  EXPECT_TRUE(EqualDocuments(doc, *LoadEcuDoc(path)));
}

// ---- saving over an existing file

// A killed save's temporary files: older than the save, of its own pattern.
TEST(EcuDocFile, SaveRemovesStaleTemporaryFilesOfItsPatternAndNothingElse) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (int n = 1; n <= 1000; ++n) {
    WriteBytes(path + ".tmp-" + std::to_string(n), "stale");
    fs::last_write_time(fs::u8path(path + ".tmp-" + std::to_string(n)), anHourAgo);
  }
  const std::vector<std::string> others = {"doc.xml.tmp", "doc.xml.tmp-01", "doc.xml.tmp-1001",
                                           "doc.xml.tmp-1x", "other.xml.tmp-1"};
  for (const std::string& name : others) {
    WriteBytes(dir.File(name), "mine");
    fs::last_write_time(fs::u8path(dir.File(name)), anHourAgo);
  }
  ZEcuDoc doc;
  SaveEcuDoc(doc, path);
  EXPECT_EQ(ReadBytes(path), FormatEcuDoc(doc));
  std::vector<std::string> expected = others;
  expected.push_back("doc.xml");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(dir.Names(), expected);
  for (const std::string& name : others) EXPECT_EQ(ReadBytes(dir.File(name)), "mine") << name;
}

// It may belong to a save that is still running.
TEST(EcuDocFile, SaveKeepsATemporaryFileNewerThanItself) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  WriteBytes(path + ".tmp-1", "running");
  fs::last_write_time(fs::u8path(path + ".tmp-1"),
                      fs::file_time_type::clock::now() + std::chrono::hours(1));
  SaveEcuDoc(ZEcuDoc(), path);
  EXPECT_EQ(ReadBytes(path + ".tmp-1"), "running");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"doc.xml", "doc.xml.tmp-1"}));
}

// Windows knows neither these permission bits nor links that anyone may make.
#if !defined(_WIN32)
TEST(EcuDocFile, SaveKeepsThePermissionsOfTheFileItReplaces) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  WriteBytes(path, "old");
  const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(path, kept);
  SaveEcuDoc(ZEcuDoc(), path);
  EXPECT_EQ(fs::status(path).permissions(), kept);
  EXPECT_NE(ReadBytes(path), "old");
}

// A running save holds a lock on its temporary file; what is not a regular file is not one.
TEST(EcuDocFile, SaveKeepsTemporaryFilesAnotherSaveHoldsAndOnesThatAreNotFiles) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  WriteBytes(path + ".tmp-1", "held");
  fs::last_write_time(fs::u8path(path + ".tmp-1"), anHourAgo);
  const int held = open((path + ".tmp-1").c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  fs::create_directory(path + ".tmp-2");
  WriteBytes(dir.File("elsewhere"), "linked");
  fs::create_symlink("elsewhere", path + ".tmp-3");
  SaveEcuDoc(ZEcuDoc(), path);
  close(held);
  EXPECT_EQ(ReadBytes(path + ".tmp-1"), "held");
  EXPECT_EQ(ReadBytes(dir.File("elsewhere")), "linked");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"doc.xml", "doc.xml.tmp-1", "doc.xml.tmp-2",
                                                   "doc.xml.tmp-3", "elsewhere"}));
}

TEST(EcuDocFile, SaveKeepsTemporaryFilesOfOtherUsers) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give a file to another user";
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  WriteBytes(path + ".tmp-1", "theirs");
  fs::last_write_time(fs::u8path(path + ".tmp-1"),
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
  ASSERT_EQ(chown((path + ".tmp-1").c_str(), 65534, 65534), 0);
  SaveEcuDoc(ZEcuDoc(), path);
  EXPECT_EQ(ReadBytes(path + ".tmp-1"), "theirs");
}

// Root saving a user's file must not make it root's.
TEST(EcuDocFile, SaveKeepsTheOwnerAndGroupWhereItMay) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give a file to another user";
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  WriteBytes(path, "old");
  ASSERT_EQ(chown(path.c_str(), 65534, 65533), 0);
  SaveEcuDoc(ZEcuDoc(), path);
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, 65534u);
  EXPECT_EQ(status.st_gid, 65533u);
  EXPECT_NE(ReadBytes(path), "old");
}

// The file is created with its final mode, so no one may read it in between; the umask may only
// take away from that.
TEST(EcuDocFile, NewFileIsOnlyTheOwnersUnlessTheUmaskIsStricter) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const mode_t previous = umask(022);
  SaveEcuDoc(ZEcuDoc(), dir.File("new.xml"));
  umask(0277);
  SaveEcuDoc(ZEcuDoc(), dir.File("stricter.xml"));
  umask(previous);
  EXPECT_EQ(fs::status(dir.File("new.xml")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(dir.File("stricter.xml")).permissions(), fs::perms::owner_read);
}

TEST(EcuDocFile, SaveKeepsAModeTheUmaskWouldTakeAway) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  WriteBytes(path, "old");
  fs::permissions(path, fs::perms::owner_all | fs::perms::group_all | fs::perms::others_read);
  const mode_t previous = umask(077);
  SaveEcuDoc(ZEcuDoc(), path);
  umask(previous);
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_all | fs::perms::group_all | fs::perms::others_read);
}

// The promise is that the link stays: one that points nowhere is not silently made a file.
TEST(EcuDocFile, SaveThroughADanglingLinkOrALoopIsRefused) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string dangling = dir.File("dangling.xml");
  const std::string loop = dir.File("loop.xml");
  fs::create_symlink("missing.xml", dangling);
  fs::create_symlink("loop.xml", loop);
  EXPECT_EQ(SaveError(ZEcuDoc(), dangling), dangling + ": the link points nowhere");
  EXPECT_EQ(SaveError(ZEcuDoc(), loop), loop + ": the link points nowhere");
  EXPECT_EQ(fs::read_symlink(dangling), "missing.xml");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"dangling.xml", "loop.xml"}));
}

// The rename gives the path a new file; another name of the old one keeps the old content.
TEST(EcuDocFile, SaveBreaksAHardLink) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir.File("doc.xml");
  WriteBytes(path, "old");
  fs::create_hard_link(path, dir.File("other-name.xml"));
  SaveEcuDoc(ZEcuDoc(), path);
  EXPECT_EQ(ReadBytes(dir.File("other-name.xml")), "old");
  EXPECT_NE(ReadBytes(path), "old");
}

TEST(EcuDocFile, SaveThroughALinkWritesTheFileItNames) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string real = dir.File("real.xml");
  const std::string link = dir.File("link.xml");
  WriteBytes(real, "old");
  fs::create_symlink("real.xml", link);
  ZEcuDoc doc;
  SaveEcuDoc(doc, link);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), FormatEcuDoc(doc));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"link.xml", "real.xml"}));
}
#endif

// ---- failed saves

// Windows limits the whole path, so a name this long cannot even be made there.
#if !defined(_WIN32)
TEST(EcuDocFile, FailedSaveLeavesTheOldFileIntact) {
  ScratchDir dir;
  // The longest name a file may have here: none beside it can take a temporary file's suffix.
  const std::string path = dir.File(std::string(251, 'd') + ".xml");
  WriteBytes(path, "old");
  EXPECT_EQ(SaveError(ZEcuDoc(), path), path + ": cannot create the temporary file");
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(dir.Names().size(), 1u);
}
#endif

TEST(EcuDocFile, SaveIntoAMissingDirectoryFails) {
  ScratchDir dir;
  const std::string path = dir.File("missing/doc.xml");
  EXPECT_EQ(SaveError(ZEcuDoc(), path), path + ": cannot create the temporary file");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(path)));
}

TEST(EcuDocFile, SaveOverADirectoryFailsAndRemovesItsTemporaryFile) {
  ScratchDir dir;
  const std::string path = dir.File("taken");
  std::filesystem::create_directories(std::filesystem::u8path(path + "/inside"));
  EXPECT_EQ(SaveError(ZEcuDoc(), path), path + ": cannot replace the file");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"taken"});
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(path + "/inside")));
}

// ---- malformed input: one file per kind, the exact message

struct BadFile {
  const char* file;
  const char* problem;  // after "PATH:"
};

// The file name without extension, as a test name: unknown_kind.
std::string BadFileName(const ::testing::TestParamInfo<BadFile>& info) {
  std::string name(info.param.file);
  name.erase(name.find('.'));
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

class EcuDocFileBadInput : public ::testing::TestWithParam<BadFile> {};

TEST_P(EcuDocFileBadInput, FailsWithFileLineAndProblem) {
  const std::string path = kDataDir + "/bad/" + GetParam().file;
  EXPECT_EQ(LoadError(path), path + ":" + GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    EcuDocFile, EcuDocFileBadInput,
    ::testing::Values(
        BadFile{"broken-xml.xml", "5: XML error: Start-end tags mismatch"},
        BadFile{"second-root.xml", "3: more than one root element"},
        BadFile{"unknown-element.xml", "5: unknown element <attribut>"},
        BadFile{"text-in-structure.xml", "3: unexpected text in <attributes>"},
        BadFile{"unknown-kind.xml", "4: unknown kind \"bool\""},
        BadFile{"unknown-xml-attribute.xml", "4: unknown XML attribute \"valeu\" on <attribute>"},
        BadFile{"missing-qualifier.xml", "4: missing XML attribute \"qualifier\" on <attribute>"},
        BadFile{"unsigned-too-big.xml", "4: \"4294967296\" is not a 32-bit unsigned number"},
        BadFile{"signed-too-small.xml", "4: \"-2147483649\" is not a 32-bit signed number"},
        BadFile{"float-not-a-number.xml", "4: \"1,5\" is not a floating-point number"},
        BadFile{"tag-id-too-big.xml", "5: \"70000\" is not a tag id (0 to 65535)"},
        BadFile{"bad-flag.xml", "4: \"yes\" is not true or false"},
        BadFile{"duplicate-qualifier.xml", "5: duplicate qualifier \"CP.P2\""},
        BadFile{"duplicate-tag-id.xml", "6: duplicate tag id 3"},
        BadFile{"duplicate-language.xml", "5: duplicate language 1031"},
        BadFile{"unknown-language.xml", "8: unknown language 1036"},
        BadFile{"second-text-for-language.xml", "5: second text for language 0"},
        BadFile{"enum-value-names-no-tag.xml", "4: enumeration value 9 names no tag"},
        BadFile{"empty-enum-value-with-tag-0.xml", "4: empty enumeration value, but tag 0 exists"},
        BadFile{"member-names-no-interface.xml", "7: no interface \"CAN_9\""}),
    BadFileName);

TEST(EcuDocFile, MissingFileHasNoLine) {
  const std::string path = kDataDir + "/bad/no-such-file.xml";
  EXPECT_EQ(LoadError(path), path + ": cannot read the file");
}

TEST(EcuDocFile, EveryTruncationOfAGoodFileFailsCleanly) {
  const std::string bytes = ReadBytes(kRoundTrip);
  // Cutting before the root's end always breaks the XML; the reader must report, never crash.
  for (std::size_t size = 0; size < bytes.rfind("</ecudoc>"); size += 7) {
    EXPECT_THROW(ParseEcuDoc(bytes.data(), size, "cut"), ZDocFileError) << size;
  }
}

TEST(EcuDocFile, ARepeatedXmlAttributeIsRefusedBeforeAnUnknownOne) {
  const auto problem = [](const std::string& element) {
    const std::string bytes = "<ecudoc>\n<attributes>\n" + element + "\n</attributes>\n</ecudoc>";
    try {
      ParseEcuDoc(bytes.data(), bytes.size(), "memory");
    } catch (const ZDocFileError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(problem("<attribute kind=\"unsigned\" qualifier=\"A.B\" value=\"1\" value=\"2\"/>"),
            "memory:3: duplicate XML attribute \"value\" on <attribute>");
  EXPECT_EQ(problem("<attribute kind=\"unsigned\" valeu=\"1\" valeu=\"2\" qualifier=\"A.B\"/>"),
            "memory:3: duplicate XML attribute \"valeu\" on <attribute>");
  EXPECT_EQ(problem("<attribute kind=\"unsigned\" valeu=\"1\" qualifier=\"A.B\"/>"),
            "memory:3: unknown XML attribute \"valeu\" on <attribute>");
}
