// The PDX container reader and then the whole loader on arbitrary bytes: they refuse what they
// cannot read with ZDocFileError and nothing else; what the container reader reads are file
// members with distinct names, what the loader reads is a sound document.
#include <FuzzInput.h>
#include <OdxDocChecks.h>
#include <PdxArchive.h>

#include <pelka/EcuDocFile.h>
#include <pelka/OdxFile.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  std::vector<Pelka::ZArchiveMember> members;
  try {
    members = Pelka::ReadPdxMembers(bytes, size, "fuzz.pdx");
  } catch (const Pelka::ZDocFileError&) {
    return 0;
  }
  FUZZ_CHECK(Pelka::LooksLikeZip(bytes, size), "read an archive that does not look like one");
  std::set<std::string> names;
  std::uint64_t total = 0;
  for (const Pelka::ZArchiveMember& member : members) {
    FUZZ_CHECK(names.insert(member.name).second, "two members named " + member.name);
    FUZZ_CHECK(member.name.empty() || member.name.back() != '/', "a directory read as a file");
    total += member.bytes.size();
  }
  FUZZ_CHECK(total <= Pelka::kPdxMaxTotalSize, "inflated past the limit");

  std::unique_ptr<Pelka::ZEcuDoc> pDoc;
  try {
    pDoc = Pelka::ReadPdx(bytes, size, "fuzz.pdx");
  } catch (const Pelka::ZDocFileError&) {
    return 0;
  }
  std::vector<std::size_t> sizes;
  for (const Pelka::ZOdxOrigin::ZSource& source : pDoc->GetOdxOrigin()->Sources()) {
    for (const Pelka::ZArchiveMember& member : members) {
      if (member.name == source.member) sizes.push_back(member.bytes.size());
    }
  }
  Fuzz::CheckOdxDocument(*pDoc, sizes);
  return 0;
}
