// The document loader on arbitrary bytes: it refuses what it cannot read with ZDocFileError and
// nothing else; what it accepts saves and reads back as the same document.
#include <FuzzInput.h>

#include <pelka/EcuDoc.h>
#include <pelka/EcuDocFile.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<Pelka::ZEcuDoc> pDoc;
  try {
    pDoc = Pelka::ParseEcuDoc(reinterpret_cast<const char*>(data), size, "fuzz.xml");
  } catch (const Pelka::ZDocFileError&) {
    return 0;
  }
  const std::string saved = Pelka::FormatEcuDoc(*pDoc);
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
