// The ODX reader on arbitrary bytes: the input is the ODX files of one database, separated by
// form feeds (a character no XML file holds), all of them primary. It refuses what it cannot
// read with ZDocFileError and nothing else; what it reads is a sound document.
#include <FuzzInput.h>
#include <OdxDocChecks.h>

#include <pelka/OdxFile.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<Pelka::ZOdxSource> sources;
  std::vector<std::size_t> sizes;
  for (std::size_t at = 0; at <= input.size();) {
    const std::size_t end = std::min(input.find('\f', at), input.size());
    sources.push_back(
        {"fuzz-" + std::to_string(sources.size()) + ".odx", "", input.substr(at, end - at)});
    sizes.push_back(end - at);
    at = end + 1;
  }
  std::unique_ptr<Pelka::ZEcuDoc> pDoc;
  try {
    const std::size_t count = sources.size();
    pDoc = Pelka::ReadOdxSources(std::move(sources), count);
  } catch (const Pelka::ZDocFileError&) {
    return 0;
  }
  Fuzz::CheckOdxDocument(*pDoc, sizes);
  return 0;
}
