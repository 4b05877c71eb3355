// The first sample document, compiled into the tool (the source is generated at build time), so
// the tool works on a machine that has nothing else.
#pragma once

#include <cstddef>

namespace NComParamTool {

extern const char embeddedSampleName[];  // the sample's file name, for messages
extern const unsigned char embeddedSampleData[];
extern const std::size_t embeddedSampleSize;

}  // namespace NComParamTool
