// Reading the document format from a text that comes in blocks.
#pragma once

#include "XmlPieces.h"
#include "pelka/EcuDoc.h"

#include <functional>
#include <memory>
#include <string>

namespace Pelka {

// ParseEcuDoc on the text supply gives, without holding all of it at once; wholeText gives the
// whole text again for a text that must be read as one (to refuse it, for one).
std::unique_ptr<ZEcuDoc> ReadEcuDocText(const ZByteSupply& supply, const std::string& sourceName,
                                        const std::function<std::string()>& wholeText);

}  // namespace Pelka
