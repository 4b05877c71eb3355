// Reading the document format from bytes the reader may keep.
#pragma once

#include "pelka/EcuDoc.h"

#include <memory>
#include <string>

namespace Pelka {

// ParseEcuDoc on bytes it takes over and parses where they lie: a file's bytes are then held
// once, not twice, while its document is built.
std::unique_ptr<ZEcuDoc> ParseEcuDocBytes(std::string bytes, const std::string& sourceName);

}  // namespace Pelka
