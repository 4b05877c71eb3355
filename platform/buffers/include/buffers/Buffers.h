// Text buffer stand-in: the process-wide provider of narrow scratch buffers.
#pragma once

#include <buffers/Export.h>

#include <cstddef>

namespace NBuffers {

class BUFFERS_API IBuffers {
 public:
  virtual ~IBuffers();

  // A narrow scratch buffer of at least minimumSize bytes (one byte at least), or null when
  // none can be had. It belongs to the provider and is handed out again by the next call.
  virtual char* GetNarrowBuffer(std::size_t minimumSize) = 0;
};

// The one provider of the process; never null.
BUFFERS_API IBuffers* GetTextConvBuffers();

// Test seam: while failing is true, the provider hands out no buffer (null).
BUFFERS_API void SetBufferFailureForTesting(bool failing);

}  // namespace NBuffers
