// Unit tests for platform/pelka/EcuDocLoad.cpp and the PDX part of OdxSources.cpp: a document
// file is opened by its content, a PDX container in memory.
#include "OdxTestFiles.h"
#include "ZipTestArchive.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace Pelka;
using namespace OdxTestFiles;

namespace {

namespace fs = std::filesystem;

const std::string kThreeLayers = kFixtures + "/three-layers";
const std::vector<std::string> kThreeLayerFiles = {
    "cars.odx-d", "uds-stack.odx-c", "application.odx-cs", "transport.odx-cs", "bus.odx-cs"};
const std::vector<std::string> kSomersaultFiles = {
    "somersault.odx-d",      "ISO_15765_3_on_ISO_15765_2.odx-c", "ISO_15765_3.odx-cs",
    "ISO_15765_2.odx-cs",    "ISO_11898_2_DWCAN.odx-cs",         "ISO_11898_3_DWFTCAN.odx-cs",
    "SAE_J2411_SWCAN.odx-cs"};

// A PDX as tools write one: the catalogue first, then the ODX files, some in a folder.
std::string MakePdx(const std::string& folder, const std::vector<std::string>& names,
                    const std::string& prefix = "") {
  std::vector<ZipTest::ZMember> members{{"index.xml", "<?xml version=\"1.0\"?>\n<CATALOG/>\n"}};
  for (const std::string& name : names) {
    members.push_back({prefix + name, ReadBytes(InFolder(folder, name))});
  }
  return ZipTest::MakeArchive(members);
}

// A scratch file of its own per test, removed afterwards.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path = fs::temp_directory_path() / (std::string("pelka-") + test->name() + "-" + name);
  }
  ~ScratchFile() {
    std::error_code ignored;
    fs::remove(m_path, ignored);
  }
  std::string Write(const std::string& bytes) const {
    std::ofstream(m_path, std::ios::binary) << bytes;
    return m_path.u8string();
  }

 private:
  fs::path m_path;
};

std::string Difference(const ZEcuDoc& left, const ZEcuDoc& right) {
  std::string difference;
  return EqualDocuments(left, right, &difference) ? "" : difference;
}

std::string PdxError(const std::string& pdx) {
  try {
    ReadPdx(pdx.data(), pdx.size(), "t.pdx");
  } catch (const ZDocFileError& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

TEST(EcuDocLoad, APdxReadsAsTheFolderOfItsOdxFiles) {
  const std::string pdx = MakePdx(kThreeLayers, kThreeLayerFiles, "data/");
  const std::unique_ptr<ZEcuDoc> pDoc = ReadPdx(pdx.data(), pdx.size(), "cars.pdx");
  EXPECT_EQ(Difference(*pDoc, *LoadEcuDoc(kThreeLayers + "/cars.odx-d")), "");
  const ZOdxOrigin& origin = *pDoc->GetOdxOrigin();
  ASSERT_EQ(origin.Sources().size(), kThreeLayerFiles.size()) << "index.xml is left aside";
  EXPECT_EQ(origin.Sources()[0].file, "cars.pdx");
  EXPECT_EQ(origin.Sources()[0].member, "data/cars.odx-d");
}

TEST(EcuDocLoad, TheContentDecidesWhichReaderOpensAFile) {
  const ScratchFile pdx("container.bin");
  const ScratchFile own("document.odx-d");
  const std::string container = MakePdx(kThreeLayers, kThreeLayerFiles);
  EXPECT_NE(LoadEcuDoc(pdx.Write(container))->FindInterface(L"door_left"), nullptr);
  const std::string ownFormat = FormatEcuDoc(ZEcuDoc());
  EXPECT_EQ(LoadEcuDoc(own.Write(ownFormat))->GetOdxOrigin(), nullptr);
}

TEST(EcuDocLoad, ABadPdxNamesTheArchiveAndTheMember) {
  std::vector<ZipTest::ZMember> members{
      {"index.xml", "<CATALOG/>"},
      {"../../etc/cars.odx-d", "<ODX>\n<DIAG-LAYER-CONTAINER>\n</ODX>"}};
  EXPECT_EQ(PdxError(ZipTest::MakeArchive(members)),
            "t.pdx:../../etc/cars.odx-d:3: XML error: Start-end tags mismatch")
      << "a member's name is only a name";
  EXPECT_EQ(PdxError(ZipTest::MakeArchive({{"index.xml", "<CATALOG/>"}})),
            "t.pdx: the PDX container holds no ODX file");
  std::string truncated = MakePdx(kThreeLayers, kThreeLayerFiles);
  truncated.resize(truncated.size() / 2);
  EXPECT_NE(PdxError(truncated).rfind("t.pdx: ", 0), std::string::npos) << PdxError(truncated);
}

TEST(EcuDocLoad, TheSomersaultPdxReadsAsItsFolder) {
  ODX_REQUIRE_REAL_DATA();
  const std::string pdx = MakePdx(kSomersault, kSomersaultFiles);
  const std::unique_ptr<ZEcuDoc> pDoc = ReadPdx(pdx.data(), pdx.size(), "somersault.pdx");
  EXPECT_EQ(Difference(*pDoc, *LoadEcuDoc(kSomersault + "/somersault.odx-d")), "");
  EXPECT_EQ(
      pDoc->GetOdxOrigin()->Warnings().front().rfind("somersault.pdx:somersault.odx-d:196: ", 0),
      0u);
}
