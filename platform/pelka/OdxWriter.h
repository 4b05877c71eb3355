// Saving a document read from ODX: its sources are read again, the changed values written into
// their text, the result read back, and only the changed file or container member is written.
#pragma once

#include "pelka/EcuDoc.h"

#include <string>

namespace Pelka {

// SaveEcuDoc of a document that has an ODX origin. Throws ZDocFileError "PATH: problem".
void SaveOdxDocument(const ZEcuDoc& doc, const std::string& path);

}  // namespace Pelka
