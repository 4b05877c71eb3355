// Generated ODX databases of any size for the benchmarks and the peak-memory tool, built from the
// real somersault data (../shared/realworld/odx/somersault).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace NComParamBench {

// The somersault folder beside the project, as the build knows it.
std::string SomersaultFolder();

// "ev_0000", "ev_0001", ...: the SHORT-NAME of the generated ECU variant at that index.
std::string OdxVariantName(std::size_t index);

// Writes bench.odx-d into folder, with the somersault spec and subsets beside it: the somersault
// protocol and base variant, and variantCount ECU variants below the base variant. Each variant
// carries a copy of the base variant's services, requests, responses and data objects under IDs
// of its own, as a variant that defines its own diagnostics does, and COMPARAM-REFs like the
// somersault ECU variants' with CAN ids of its own. Returns the bytes of all the files written;
// throws std::runtime_error when the somersault data is not as expected.
std::uintmax_t WriteOdxDatabase(std::size_t variantCount, const std::string& somersaultFolder,
                                const std::string& folder);

}  // namespace NComParamBench
