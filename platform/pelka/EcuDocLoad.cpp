// Opening a document file: its content, not its name, says which reader it needs.
#include "EcuDocReader.h"
#include "OdxSources.h"
#include "PdxArchive.h"
#include "pelka/EcuDocFile.h"
#include "pelka/OdxFile.h"

#include <string>
#include <utility>

namespace Pelka {

std::unique_ptr<ZEcuDoc> LoadEcuDoc(const std::string& path) {
  std::string bytes = ReadFileBytes(path);
  if (LooksLikeZip(bytes.data(), bytes.size())) return ReadPdx(bytes.data(), bytes.size(), path);
  if (LooksLikeOdx(bytes.data(), bytes.size())) {
    return ReadOdxSources(OdxFolderSources(path, std::move(bytes)), 1);
  }
  return ParseEcuDocBytes(std::move(bytes), path);
}

}  // namespace Pelka
