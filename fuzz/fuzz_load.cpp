// The document loader on arbitrary bytes: it refuses what it cannot read with ZDocFileError and
// nothing else; what it accepts saves and reads back as the same document. In the fuzz build it
// is also held to a strict second parser: what loads was well-formed XML, and each of its texts
// reaches the saved file unchanged.
#include <FuzzInput.h>
#if defined(COMPARAM_FUZZ_EXPAT)
#  include <StrictTexts.h>

#  include <set>
#endif

#include <pelka/EcuDoc.h>
#include <pelka/EcuDocFile.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

void CheckAgainstAStrictParser([[maybe_unused]] const std::string& input,
                               [[maybe_unused]] const std::string& saved) {
#if defined(COMPARAM_FUZZ_EXPAT)
  std::set<std::string> read;
  std::set<std::string> written;
  std::string what;
  FUZZ_CHECK(Fuzz::StrictTexts(input, read, what), "a document that is not XML loads: " + what);
  FUZZ_CHECK(Fuzz::StrictTexts(saved, written, what), "a saved document is not XML: " + what);
  for (const std::string& text : read) {
    FUZZ_CHECK(written.count(text) == 1, "a text did not reach the saved file: \"" + text + "\"");
  }
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<Pelka::ZEcuDoc> pDoc;
  try {
    pDoc = Pelka::ParseEcuDoc(reinterpret_cast<const char*>(data), size, "fuzz.xml");
  } catch (const Pelka::ZDocFileError&) {
    return 0;
  }
  const std::string saved = Pelka::FormatEcuDoc(*pDoc);
  CheckAgainstAStrictParser(std::string(reinterpret_cast<const char*>(data), size), saved);
  std::unique_ptr<Pelka::ZEcuDoc> pReread;
  try {
    pReread = Pelka::ParseEcuDoc(saved.data(), saved.size(), "saved.xml");
  } catch (const Pelka::ZDocFileError& error) {
    FUZZ_CHECK(false, std::string("a saved document does not load: ") + error.what());
  }
  std::string difference;
  FUZZ_CHECK(Pelka::EqualDocuments(*pDoc, *pReread, &difference),
             "saved and reloaded documents differ: " + difference);
  return 0;
}
