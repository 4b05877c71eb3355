// The document an ODX plan describes: one interface attribute per planned interface and one
// attribute per parameter, a value the layer sets itself as the override at the ECU, an
// inherited or default value as the attribute's default.
#pragma once

#include "OdxPlan.h"
#include "pelka/EcuDoc.h"
#include "pelka/OdxOrigin.h"

#include <memory>

namespace Pelka {

// Records every parameter's site in the origin, which the document then owns. Frees each
// interface's plan once it is built.
std::unique_ptr<ZEcuDoc> BuildOdxDocument(ZOdxPlan plan, std::unique_ptr<ZOdxOrigin> pOrigin);

}  // namespace Pelka
