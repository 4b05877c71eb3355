// The PDX container on arbitrary bytes: the reader refuses what it cannot read with
// ZDocFileError and nothing else, and what it reads are file members with distinct names; the
// whole loader refuses the same way, and what it reads is a sound document. A rewrite of the
// first member either refuses to start or gives an archive that reads back with only that
// member changed.
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
#include <utility>
#include <vector>

namespace {

void CheckRewrite(const char* bytes, std::size_t size, std::vector<Pelka::ZArchiveMember> members) {
  members.front().bytes += "changed";
  std::string rewritten;
  try {
    rewritten = Pelka::ReplacePdxMembers(bytes, size, "fuzz.pdx",
                                         {{members.front().name, members.front().bytes}});
  } catch (const Pelka::ZDocFileError& error) {
    // Its own check of the result failed: the rewrite broke the archive.
    FUZZ_CHECK(std::string(error.what()).find("read back") == std::string::npos, error.what());
    return;
  }
  const auto reread = Pelka::ReadPdxMembers(rewritten.data(), rewritten.size(), "fuzz.pdx");
  FUZZ_CHECK(reread.size() == members.size(), "the rewrite changed the member count");
  for (std::size_t i = 0; i < members.size(); ++i) {
    FUZZ_CHECK(reread[i].name == members[i].name && reread[i].bytes == members[i].bytes,
               "the rewrite changed " + members[i].name);
  }
}

// The whole loader on the same bytes.
void CheckDocument(const char* bytes, std::size_t size,
                   const std::vector<Pelka::ZArchiveMember>& members) {
  std::unique_ptr<Pelka::ZEcuDoc> pDoc;
  try {
    pDoc = Pelka::ReadPdx(bytes, size, "fuzz.pdx");
  } catch (const Pelka::ZDocFileError&) {
    return;
  }
  std::vector<std::size_t> sizes;
  for (const Pelka::ZOdxOrigin::ZSource& source : pDoc->GetOdxOrigin()->Sources()) {
    for (const Pelka::ZArchiveMember& member : members) {
      if (member.name == source.member) sizes.push_back(member.bytes.size());
    }
  }
  Fuzz::CheckOdxDocument(*pDoc, sizes);
}

}  // namespace

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
  CheckDocument(bytes, size, members);
  if (!members.empty()) CheckRewrite(bytes, size, std::move(members));
  return 0;
}
