// Unit tests for the reading of large document files in pieces (platform/pelka/XmlPieces.cpp
// and the reader): a file of many pieces reads as its whole text does, from a file and from
// memory, a refusal anywhere gives the message the whole text gives, and repeated names are
// held once.
#include "DocFileErrors.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

using namespace Pelka;
using DocFileErrors::LoadError;

namespace {

namespace fs = std::filesystem;

// Well over a megabyte: several pieces.
constexpr int kAttributeCount = 4000;

// One line per attribute element, so line N + 4 is attribute N; every kind of content a piece
// may hold, and members of an interface that only the last attribute defines.
std::string AttributeLine(int i) {
  const std::string n = std::to_string(i);
  const std::string q = "qualifier=\"P." + n + "\" category=\"CP.T\"";
  switch (i % 4) {
    case 0:
      return "<attribute kind=\"unsigned\" " + q + " value=\"" + n + "\" override=\"7\"><name>P2 " +
             "</name><name lang=\"1031\">P2 (de)</name><description>of " + n +
             "</description><member interface=\"CAN\"/></attribute>";
    case 1:
      return "<attribute kind=\"enum\" " + q + " value=\"2\"><tag id=\"1\" text=\"Normal\"/>" +
             "<tag id=\"2\"><text>29-Bit</text><text lang=\"1031\">29 Bit</text></tag>" +
             "<member interface=\"CAN\"/></attribute>";
    case 2:
      return "<attribute kind=\"text\" " + q + " value=\"v &amp; w\"><override lang=\"1031\" " +
             "defined=\"false\">&#x41;<!-- c --> b</override></attribute>";
    default:
      return "<attribute kind=\"string\" " + q + " inherited=\"true\" value=\"s" + n +
             "\"><![CDATA[ ]]> </attribute>";
  }
}

// The document, with declaration as its first line, extra put before its end and lineEnd after
// every attribute.
std::string Document(const std::string& declaration, const std::string& extra = "",
                     const std::string& lineEnd = "") {
  std::string text = declaration + "\n<ecudoc>\n<languages><language id=\"1031\" name=\"De\"/>" +
                     "</languages>\n<attributes>\n";
  for (int i = 0; i < kAttributeCount; ++i) text += AttributeLine(i) + lineEnd + "\n";
  return text + "<attribute kind=\"string\" qualifier=\"CAN\" category=\"COM.INTERFACES\"/>\n" +
         extra + "</attributes>\n</ecudoc>\n";
}

const std::string kUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
// Read as one text: the pieces stand for UTF-8 only.
const std::string kAscii = "<?xml version=\"1.0\" encoding=\"US-ASCII\"?>";

std::string FileWith(const std::string& bytes) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("pelka-pieces-") + test->name();
  std::replace(name.begin(), name.end(), '/', '-');  // a parameterized test's name has one
  const fs::path path = fs::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.u8string();
}

// The message of the file read as one text (the pieces read UTF-8 only; the text is ASCII).
std::string WholeTextError(std::string text, const std::string& path) {
  text.replace(0, kUtf8.size(), kAscii);
  try {
    ParseEcuDoc(text.data(), text.size(), path);
  } catch (const ZDocFileError& error) {
    return error.what();
  }
  return "no error";
}

struct LateFault {
  const char* what;
  std::string extra;    // put before the end of the attributes, at line kAttributeCount + 6
  std::string problem;  // what the message ends with
};

}  // namespace

// Also where the end tag the pieces are cut after stands in a comment, which a piece then cuts
// open: such a text is read whole.
TEST(EcuDocPieces, ALargeFileReadsAsItsWholeText) {
  for (const std::string lineEnd : {"", "<!-- </attribute> -->"}) {
    const std::string whole = Document(kAscii, "", lineEnd);
    const auto pReference = ParseEcuDoc(whole.data(), whole.size(), "whole.xml");
    ASSERT_EQ(pReference->AttributeCount(), kAttributeCount + 1u);
    EXPECT_EQ(pReference->InterfaceMemberPositions(L"CAN").size(), kAttributeCount / 2u);

    const std::string text = Document(kUtf8, "", lineEnd);
    const std::string path = FileWith(text);
    std::string difference;
    EXPECT_TRUE(EqualDocuments(*LoadEcuDoc(path), *pReference, &difference)) << difference;
    EXPECT_TRUE(
        EqualDocuments(*ParseEcuDoc(text.data(), text.size(), "m.xml"), *pReference, &difference))
        << difference;
    fs::remove(fs::u8path(path));
  }
}

TEST(EcuDocPieces, LanguagesAfterTheAttributesAreKnownToThemAll) {
  const std::string languages = "<languages><language id=\"1031\" name=\"De\"/></languages>\n";
  std::string early = Document(kAscii);
  std::string late = Document(kUtf8);
  late.erase(late.find(languages), languages.size());
  late.insert(late.rfind("</ecudoc>"), languages);
  const std::string path = FileWith(late);
  std::string difference;
  EXPECT_TRUE(EqualDocuments(*LoadEcuDoc(path), *ParseEcuDoc(early.data(), early.size(), "e.xml"),
                             &difference))
      << difference;
  fs::remove(fs::u8path(path));
}

class EcuDocPiecesFault : public ::testing::TestWithParam<LateFault> {};

// The first problem of the text, at its line, whatever piece it lies in.
TEST_P(EcuDocPiecesFault, IsReportedAsTheWholeTextReportsIt) {
  const std::string text = Document(kUtf8, GetParam().extra);
  const std::string path = FileWith(text);
  const std::string message = LoadError(path);
  EXPECT_EQ(message, WholeTextError(text, path));
  EXPECT_EQ(message.substr(message.find(": ") + 2), GetParam().problem);
  fs::remove(fs::u8path(path));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, EcuDocPiecesFault,
    ::testing::Values(
        LateFault{"UnknownElement", "<bogus/>\n", "unknown element <bogus>"},
        LateFault{"DuplicateQualifier", "<attribute kind=\"string\" qualifier=\"P.1\"/>\n",
                  "duplicate qualifier \"P.1\""},
        LateFault{"MismatchedTag", "<attribute>\n", "XML error: Start-end tags mismatch"},
        LateFault{"NoSuchInterface",
                  "<attribute kind=\"string\" qualifier=\"X\">" +
                      std::string("<member interface=\"NONE\"/></attribute>\n"),
                  "no interface \"NONE\""},
        LateFault{"SecondRoot", "</attributes></ecudoc><ecudoc><attributes>\n",
                  "more than one root element"}),
    [](const ::testing::TestParamInfo<LateFault>& info) { return info.param.what; });

// An XML error late in the file comes before a problem of the document earlier in it, as in a
// reader of the whole text.
TEST(EcuDocPieces, AnXmlErrorAnywhereComesFirst) {
  std::string text = Document(kUtf8, "<attribute>\n");
  text.insert(text.find("<attributes>\n") + 13, "<bogus/>\n");
  const std::string path = FileWith(text);
  const std::string message = LoadError(path);
  EXPECT_EQ(message, WholeTextError(text, path));
  EXPECT_NE(message.find("XML error: Start-end tags mismatch"), std::string::npos) << message;
  fs::remove(fs::u8path(path));
}

// A name every interface repeats is held once, in every piece.
TEST(EcuDocPieces, RepeatedNamesAreHeldOnce) {
  const std::string text = Document(kUtf8);
  const auto pDoc = ParseEcuDoc(text.data(), text.size(), "m.xml");
  const ZDefaultAttr& first = pDoc->AttributeAt(0);
  const ZDefaultAttr& last = pDoc->AttributeAt(kAttributeCount - 4);
  EXPECT_STREQ(last.GetName(1031), L"P2 (de)");
  EXPECT_EQ(first.GetName(1031), last.GetName(1031));
  EXPECT_NE(first.GetDescription().GetText(0), last.GetDescription().GetText(0));
}
