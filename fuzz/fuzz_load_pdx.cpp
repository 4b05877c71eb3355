// The PDX container reader on arbitrary bytes: it refuses what it cannot read with
// ZDocFileError and nothing else, and what it reads are file members with distinct names.
#include <FuzzInput.h>
#include <PdxArchive.h>

#include <pelka/EcuDocFile.h>

#include <cstddef>
#include <cstdint>
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
  return 0;
}
