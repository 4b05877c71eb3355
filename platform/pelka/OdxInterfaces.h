// The interfaces of an ODX database and the value each of their parameters has: every layer
// with a protocol is one; its parameters are the comparams of its protocol stack's subsets,
// each with the nearest COMPARAM-REF along its PARENT-REF chain, else the subset's default.
#pragma once

#include "OdxIndex.h"
#include "OdxLayers.h"
#include "OdxPlan.h"
#include "OdxWarnings.h"
#include "pelka/OdxOrigin.h"

namespace Pelka {

// Fails with ZDocFileError at the element at fault; records layers, comparams and complex
// values in the origin.
ZOdxPlan PlanInterfaces(const ZOdxIndex& index, const ZOdxLayers& layers, ZOdxOrigin& origin,
                        ZOdxWarnings& warnings);

}  // namespace Pelka
