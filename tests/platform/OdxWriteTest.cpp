// Unit tests for writing edited values back into ODX sources (platform/pelka/OdxEdits.cpp,
// OdxWriter.cpp): byte comparisons on the three-layer fixture, saves of folders and PDX
// containers.
#include "OdxTestFiles.h"
#include "ZipTestArchive.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace Pelka;
using namespace OdxTestFiles;

namespace {

namespace fs = std::filesystem;

const std::string kThreeLayers = kFixtures + "/three-layers";
const std::vector<std::string> kFiles = {"cars.odx-d", "uds-stack.odx-c", "application.odx-cs",
                                         "transport.odx-cs", "bus.odx-cs"};

using ZSets = std::vector<std::pair<std::wstring, std::wstring>>;

// Sets the value at the ECU as the library's writer does: an override of the attribute's kind.
void SetAtEcu(ZEcuDoc& doc, const std::wstring& qualifier, const std::wstring& text) {
  ZDefaultAttr* pAttribute = doc.FindAttribute(qualifier.c_str());
  if (pAttribute == nullptr) throw std::runtime_error("no attribute");
  ZOverrideAttr& attribute = pAttribute->CreateOverride(doc.GetEcu());
  switch (ZAttrTypeChecker::GetAttrType(attribute)) {
    case ZAttrManager::ATUnsigned:
      return static_cast<ZUnsignedOverrideAttr&>(attribute).SetValue(
          static_cast<unsigned>(std::stoul(text)));
    case ZAttrManager::ATEnum: {
      const ZEnumTagTable& tags = static_cast<ZEnumDefaultAttr*>(pAttribute)->EnumTagTable();
      for (auto tag = tags.Begin(); tag != tags.End(); ++tag) {
        if (text == tag->GetTagText().GetText(ZLanguage::defaultLangId)) {
          return static_cast<ZEnumOverrideAttr&>(attribute).SetValue(tag->GetId());
        }
      }
      throw std::runtime_error("no such tag");
    }
    default: static_cast<ZCommonStringOverrideAttr&>(attribute).SetValue(text.c_str());
  }
}

std::unique_ptr<ZEcuDoc> ReadWithSets(const std::vector<ZOdxSource>& sources, const ZSets& sets) {
  std::unique_ptr<ZEcuDoc> pDoc = ReadOdxSources(sources, 1);
  for (const auto& set : sets) SetAtEcu(*pDoc, set.first, set.second);
  return pDoc;
}

std::wstring ValueAt(const ZEcuDoc& doc, std::size_t position) {
  return doc.GetEcu().VirtualAttributes().ItemAt(position).GetValueText();
}

// Every value the edited document has, the written files give: the edited ones and all others.
void ExpectSameValues(const ZEcuDoc& edited, const ZEcuDoc& written) {
  for (std::size_t i = 0; i < edited.AttributeCount(); ++i) {
    const ZDefaultAttr* pWritten = written.FindAttribute(edited.AttributeAt(i).GetQualifier());
    // A changed addressing scheme renames an address parameter; the writer compares those.
    if (pWritten == nullptr) continue;
    EXPECT_EQ(ValueAt(written, pWritten->GetPosition()), ValueAt(edited, i))
        << "at " << i << " of " << edited.AttributeCount();
  }
}

std::string WithCrLf(std::string text) {
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
    text.insert(at, 1, '\r');
  }
  return text;
}

// The forms of the fixture's cars.odx-d the cases start from.
enum ZInput { IAsIs, ICrLf, IRightWithoutRefs, IRightWithEmptyRefs };

std::string RightRefsReplaced(std::string cars, const std::string& by) {
  const std::size_t begin = cars.find("        <COMPARAM-REFS>", cars.find("door_right</SHORT"));
  const std::string close = "</COMPARAM-REFS>\n";
  const std::size_t end = cars.find(close, begin) + close.size();
  return cars.replace(begin, end - begin, by);
}

std::vector<ZOdxSource> Input(ZInput input) {
  std::vector<ZOdxSource> sources = Sources(kThreeLayers, kFiles);
  std::string& cars = sources[0].bytes;
  if (input == ICrLf) cars = WithCrLf(cars);
  if (input == IRightWithoutRefs) cars = RightRefsReplaced(cars, "");
  if (input == IRightWithEmptyRefs) cars = RightRefsReplaced(cars, "        <COMPARAM-REFS/>\n");
  return sources;
}

struct ZByteCase {
  const char* what;
  ZInput input;
  ZSets sets;
  // cars.odx-d as expected: the first `old` after `anchor` becomes `replacement` (LF line ends;
  // a CR LF input has them as CR LF).
  std::string anchor;
  std::string old;
  std::string replacement;
};

const std::string kRef = "          <COMPARAM-REF ID-REF=";
const ZByteCase kByteCases[] = {
    {"own simple value", IAsIs, {{L"door_left.Blocksize", L"32"}}, "door_left<", ">16<", ">32<"},
    {"own value with blanks",
     IAsIs,
     {{L"door_left.Baudrate", L"125000"}},
     "door_left<",
     "> 250000 <",
     ">125000<"},
    {"own complex member",
     IAsIs,
     {{L"door_right.ReqCanId", L"1793"}},
     "door_right<",
     ">1792<",
     ">1793<"},
    {"own empty complex member",
     IAsIs,
     {{L"door_right.CP_CanRespUSDTExtAddr", L"5"}},
     "door_right<",
     "<SIMPLE-VALUE/>",
     "<SIMPLE-VALUE>5</SIMPLE-VALUE>"},
    {"own frame format, other words kept",
     IAsIs,
     {{L"door_right.AddrScheme", L"Normal"}},
     "door_right<",
     ">mixed segmented 11-bit",
     ">normal segmented 11-bit"},
    {"own text, escaped",
     IAsIs,
     {{L"door_right.CP_TesterPresentMessage", L"a&b<c>"}},
     "door_right<",
     ">3E80<",
     ">a&amp;b&lt;c&gt;<"},
    {"inherited value with its protocol",
     IAsIs,
     {{L"door_left.P2Client", L"60000"}},
     "door_left<",
     ">Periodic</SIMPLE-VALUE>\n          </COMPARAM-REF>",
     ">Periodic</SIMPLE-VALUE>\n          </COMPARAM-REF>\n" + kRef +
         "\"T3.P2Max\" DOCREF=\"ISO_15765_3\" DOCTYPE=\"COMPARAM-SUBSET\">\n"
         "            <SIMPLE-VALUE>60000</SIMPLE-VALUE>\n"
         "            <PROTOCOL-SNREF SHORT-NAME=\"uds_on_can\"/>\n"
         "          </COMPARAM-REF>"},
    {"subset default, CR LF",
     ICrLf,
     {{L"door_left.S3Client", L"3000000"}},
     "door_left<",
     ">Periodic</SIMPLE-VALUE>\n          </COMPARAM-REF>",
     ">Periodic</SIMPLE-VALUE>\n          </COMPARAM-REF>\n" + kRef +
         "\"T3.TesterPresentTime\" DOCREF=\"ISO_15765_3\" DOCTYPE=\"COMPARAM-SUBSET\">\n"
         "            <SIMPLE-VALUE>3000000</SIMPLE-VALUE>\n"
         "          </COMPARAM-REF>"},
    {"default frame format",
     IAsIs,
     {{L"door_right.CanIdTypeFunc", L"29-Bit"}},
     "door_right<",
     ">3E80</SIMPLE-VALUE>\n          </COMPARAM-REF>",
     ">3E80</SIMPLE-VALUE>\n          </COMPARAM-REF>\n" + kRef +
         "\"T2.FuncReqFormat\" DOCREF=\"ISO_15765_2\" DOCTYPE=\"COMPARAM-SUBSET\">\n"
         "            <SIMPLE-VALUE>normal segmented 29-bit transmit with FC</SIMPLE-VALUE>\n"
         "          </COMPARAM-REF>"},
    {"inherited complex value, one member and its frame format changed",
     IAsIs,
     {{L"door_left.AddrScheme", L"Normal"}, {L"door_left.ReqCanId", L"1792"}},
     "door_left<",
     ">Periodic</SIMPLE-VALUE>\n          </COMPARAM-REF>",
     ">Periodic</SIMPLE-VALUE>\n          </COMPARAM-REF>\n" + kRef +
         "\"T2.UniqueRespIdTable\" DOCREF=\"ISO_15765_2\" DOCTYPE=\"COMPARAM-SUBSET\">\n"
         "            <COMPLEX-VALUE>\n"
         "              <SIMPLE-VALUE>normal segmented 29-bit transmit with FC</SIMPLE-VALUE>\n"
         "              <SIMPLE-VALUE>1792</SIMPLE-VALUE>\n"
         "              <SIMPLE-VALUE>16</SIMPLE-VALUE>\n"
         "              <SIMPLE-VALUE>418124049</SIMPLE-VALUE>\n"
         "              <SIMPLE-VALUE>241</SIMPLE-VALUE>\n"
         "            </COMPLEX-VALUE>\n"
         "            <PROTOCOL-SNREF SHORT-NAME=\"uds_on_can\"/>\n"
         "          </COMPARAM-REF>"},
    {"no COMPARAM-REFS: after the SHORT-NAME",
     IRightWithoutRefs,
     {{L"door_right.Blocksize", L"4"}},
     "door_right<",
     "door_right</SHORT-NAME>",
     "door_right</SHORT-NAME>\n        <COMPARAM-REFS>\n" + kRef +
         "\"T2.BlockSize\" DOCREF=\"ISO_15765_2\" DOCTYPE=\"COMPARAM-SUBSET\">\n"
         "            <SIMPLE-VALUE>4</SIMPLE-VALUE>\n"
         "          </COMPARAM-REF>\n        </COMPARAM-REFS>"},
    {"empty COMPARAM-REFS",
     IRightWithEmptyRefs,
     {{L"door_right.Blocksize", L"4"}},
     "door_right<",
     "<COMPARAM-REFS/>",
     "<COMPARAM-REFS>\n" + kRef +
         "\"T2.BlockSize\" DOCREF=\"ISO_15765_2\" DOCTYPE=\"COMPARAM-SUBSET\">\n"
         "            <SIMPLE-VALUE>4</SIMPLE-VALUE>\n"
         "          </COMPARAM-REF>\n        </COMPARAM-REFS>"},
};

// A folder of its own with the fixture's files, removed afterwards.
class OdxSave : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = fs::temp_directory_path() /
               ("comparam-odx-save-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
    for (const std::string& name : kFiles) fs::copy(InFolder(kThreeLayers, name), m_folder / name);
  }
  void TearDown() override { fs::remove_all(m_folder); }

  std::string Path(const std::string& name) const { return (m_folder / name).u8string(); }

  // Time stamps a save must not touch.
  void AgeFiles() {
    for (const auto& entry : fs::directory_iterator(m_folder)) {
      fs::last_write_time(entry.path(), fs::last_write_time(entry.path()) - std::chrono::hours(1));
    }
  }

  fs::path m_folder;
};

// Each member's name, time stamp and bytes as the archive holds them (compressed).
std::vector<std::string> RawMembers(const std::string& archive) {
  zip_error_t error;
  zip_source_t* pSource = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  zip_t* pZip = zip_open_from_source(pSource, ZIP_RDONLY, &error);
  std::vector<std::string> members;
  for (zip_int64_t i = 0; i < zip_get_num_entries(pZip, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(pZip, static_cast<zip_uint64_t>(i), 0, &stat);
    std::string raw(static_cast<std::size_t>(stat.comp_size), '\0');
    zip_file_t* pFile = zip_fopen_index(pZip, static_cast<zip_uint64_t>(i), ZIP_FL_COMPRESSED);
    zip_fread(pFile, raw.data(), raw.size());
    zip_fclose(pFile);
    members.push_back(std::string(stat.name) + "|" + std::to_string(stat.mtime) + "|" + raw);
  }
  zip_close(pZip);
  return members;
}

}  // namespace

TEST(OdxWrite, OnlyTheChangedValuesAndInsertedRefsDiffer) {
  for (const ZByteCase& test : kByteCases) {
    SCOPED_TRACE(test.what);
    const std::vector<ZOdxSource> input = Input(test.input);
    const std::unique_ptr<ZEcuDoc> pEdited = ReadWithSets(input, test.sets);
    const std::vector<ZOdxSource> written = WriteOdxSources(*pEdited, input);
    const bool crLf = test.input == ICrLf;
    std::string expected = input[0].bytes;
    const std::string old = crLf ? WithCrLf(test.old) : test.old;
    const std::size_t at = expected.find(old, expected.find(test.anchor));
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, old.size(), crLf ? WithCrLf(test.replacement) : test.replacement);
    EXPECT_EQ(written[0].bytes, expected);
    for (std::size_t i = 1; i < input.size(); ++i) EXPECT_EQ(written[i].bytes, input[i].bytes);
    ExpectSameValues(*pEdited, *ReadOdxSources(written, 1));
  }
}

TEST(OdxWrite, NoChangeGivesTheSameBytes) {
  const std::vector<ZOdxSource> input = Input(ICrLf);
  // The same value again is no change.
  const std::unique_ptr<ZEcuDoc> pDoc = ReadWithSets(input, {{L"door_left.Blocksize", L"16"}});
  const std::vector<ZOdxSource> written = WriteOdxSources(*pDoc, input);
  for (std::size_t i = 0; i < input.size(); ++i) EXPECT_EQ(written[i].bytes, input[i].bytes);
}

TEST(OdxWrite, ChangesThatCannotBeWrittenAreRefused) {
  std::vector<ZOdxSource> latin1 = Input(IAsIs);
  latin1[0].bytes.replace(latin1[0].bytes.find("UTF-8"), 5, "ISO-8859-1");
  const struct {
    std::vector<ZOdxSource> input;
    ZSets sets;
    std::string message;
  } cases[] = {
      {Input(IAsIs),
       {{L"door_left.AddrSchemeFunc", L"Normal"}},
       "interface \"door_left\": the text table of CP_CanFuncReqFormat has no frame format like "
       "\"normal fixed unsegmented 29-bit transmit\" with Normal and 29-Bit"},
      {Input(IAsIs),
       {{L"door_right.CP_TesterPresentMessage", L"3E\x01"}},
       "attribute \"door_right.CP_TesterPresentMessage\": character U+0001 cannot be written to "
       "XML"},
      {Input(IAsIs),
       {{L"door_left.BusType", L"K-Line"}},
       "attribute \"door_left.BusType\" has no value in the ODX files, so its change cannot be "
       "written"},
      {latin1,
       {{L"door_left.Blocksize", L"32"}},
       "cars.odx-d: values are written only into ODX files in UTF-8; this one is not"},
  };
  for (const auto& test : cases) {
    const std::unique_ptr<ZEcuDoc> pDoc = ReadWithSets(test.input, test.sets);
    try {
      WriteOdxSources(*pDoc, test.input);
      ADD_FAILURE() << test.message;
    } catch (const ZDocFileError& error) {
      EXPECT_EQ(error.what(), test.message);
    }
  }
}

TEST_F(OdxSave, AFolderGetsOnlyTheChangedFileWritten) {
  AgeFiles();
  std::map<std::string, fs::file_time_type> aged;
  for (const std::string& name : kFiles) aged[name] = fs::last_write_time(m_folder / name);
  const std::unique_ptr<ZEcuDoc> pDoc = LoadEcuDoc(Path("cars.odx-d"));
  SaveEcuDoc(*pDoc, Path("cars.odx-d"));
  EXPECT_EQ(fs::last_write_time(m_folder / "cars.odx-d"), aged["cars.odx-d"])
      << "no change, no write";
  SetAtEcu(*pDoc, L"door_left.Blocksize", L"32");
  SaveEcuDoc(*pDoc, Path("cars.odx-d"));
  for (const std::string& name : kFiles) {
    EXPECT_EQ(fs::last_write_time(m_folder / name) == aged[name], name != "cars.odx-d") << name;
  }
  EXPECT_EQ(ValueAt(*LoadEcuDoc(Path("cars.odx-d")),
                    pDoc->FindAttribute(L"door_left.Blocksize")->GetPosition()),
            L"32");
}

TEST_F(OdxSave, AFailedSaveLeavesEveryFileAsItWas) {
  const std::string before = ReadBytes(Path("cars.odx-d"));
  const std::unique_ptr<ZEcuDoc> pDoc = LoadEcuDoc(Path("cars.odx-d"));
  SetAtEcu(*pDoc, L"door_left.Blocksize", L"32");
  SetAtEcu(*pDoc, L"door_left.AddrSchemeFunc", L"Normal");
  EXPECT_THROW(SaveEcuDoc(*pDoc, Path("cars.odx-d")), ZDocFileError);
  EXPECT_EQ(ReadBytes(Path("cars.odx-d")), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()),
            static_cast<std::ptrdiff_t>(kFiles.size()))
      << "no temporary file left";
}

TEST_F(OdxSave, KindsOfPathThatDoNotFitAreRefused) {
  const std::unique_ptr<ZEcuDoc> pOdx = LoadEcuDoc(Path("cars.odx-d"));
  const ZEcuDoc own;
  const std::pair<const ZEcuDoc*, std::string> refused[] = {
      {pOdx.get(), "out.pdx"}, {&own, "out.odx-d"}, {&own, "out.PDX"}};
  const std::string messages[] = {": an ODX file cannot be saved as a PDX container",
                                  ": only a document read from ODX can be saved as ODX",
                                  ": only a document read from ODX can be saved as ODX"};
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    const std::string path = Path(refused[i].second);
    try {
      SaveEcuDoc(*refused[i].first, path);
      ADD_FAILURE() << path << " was written";
    } catch (const ZDocFileError& error) {
      EXPECT_EQ(error.what(), path + messages[i]);
    }
    EXPECT_FALSE(fs::exists(fs::u8path(path)));
  }
}

TEST_F(OdxSave, APdxGetsOnlyTheChangedMemberRewritten) {
  std::vector<ZipTest::ZMember> members = {{"index.xml", "<CATALOG/>\n"}};
  for (const ZOdxSource& source : Sources(kThreeLayers, kFiles)) {
    members.push_back({source.file, source.bytes});
  }
  const std::string archive = ZipTest::MakeArchive(members);
  std::ofstream(m_folder / "cars.pdx", std::ios::binary) << archive;
  const std::unique_ptr<ZEcuDoc> pDoc = LoadEcuDoc(Path("cars.pdx"));
  SaveEcuDoc(*pDoc, Path("same.pdx"));
  EXPECT_EQ(ReadBytes(Path("same.pdx")), archive);
  SetAtEcu(*pDoc, L"door_left.P2Client", L"60000");
  SaveEcuDoc(*pDoc, Path("out.pdx"));
  const std::vector<std::string> before = RawMembers(archive);
  const std::vector<std::string> after = RawMembers(ReadBytes(Path("out.pdx")));
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(after[i] == before[i], members[i].name != "cars.odx-d") << members[i].name;
  }
  const std::unique_ptr<ZEcuDoc> pWritten = LoadEcuDoc(Path("out.pdx"));
  ExpectSameValues(*pDoc, *pWritten);
  EXPECT_EQ(ReadBytes(Path("cars.pdx")), archive);
}
