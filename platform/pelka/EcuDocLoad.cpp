// Opening a document file: its content, not its name, says which reader it needs.
#include "EcuDocReader.h"
#include "OdxSources.h"
#include "PdxArchive.h"
#include "pelka/EcuDocFile.h"
#include "pelka/OdxFile.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace Pelka {

namespace {

namespace fs = std::filesystem;

// Enough to tell a PDX container and an ODX file by their start, and the size of the blocks a
// document file is read in.
constexpr std::size_t kHeadSize = std::size_t{256} * 1024;

std::size_t ReadSome(std::ifstream& in, char* buffer, std::size_t capacity) {
  in.read(buffer, static_cast<std::streamsize>(capacity));
  return static_cast<std::size_t>(in.gcount());
}

}  // namespace

std::unique_ptr<ZEcuDoc> LoadEcuDoc(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  std::error_code error;
  std::string head(kHeadSize, '\0');
  if (in.is_open() && !fs::is_directory(fs::u8path(path), error)) {
    head.resize(ReadSome(in, head.data(), head.size()));
  } else {
    head = ReadFileBytes(path);  // says why the file cannot be read
  }
  if (head.size() < kHeadSize || LooksLikeZip(head.data(), head.size()) ||
      LooksLikeOdx(head.data(), head.size())) {
    std::string bytes = head.size() < kHeadSize ? std::move(head) : ReadFileBytes(path);
    head = std::string();
    if (LooksLikeZip(bytes.data(), bytes.size())) return ReadPdx(bytes.data(), bytes.size(), path);
    if (LooksLikeOdx(bytes.data(), bytes.size())) {
      return ReadOdxSources(OdxFolderSources(path, std::move(bytes)), 1);
    }
    return ParseEcuDoc(bytes.data(), bytes.size(), path);
  }
  // A large document file is read block by block: only the document is held in full. A read
  // that fails ends the text early, which the reader refuses; the whole file is then read again
  // to say so.
  const ZByteSupply supply = [&](char* buffer, std::size_t capacity) {
    if (head.empty()) return ReadSome(in, buffer, capacity);
    const std::size_t count = head.copy(buffer, capacity);
    head.erase(0, count);
    return count;
  };
  return ReadEcuDocText(supply, path, [&] { return ReadFileBytes(path); });
}

}  // namespace Pelka
