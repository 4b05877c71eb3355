#include "buffers/Buffers.h"

#include <algorithm>
#include <vector>

namespace NBuffers {

namespace {

// One growing buffer for the whole process; each request may reuse the last one's bytes.
class TextConvBuffers : public IBuffers {
 public:
  char* GetNarrowBuffer(std::size_t minimumSize) override {
    if (m_failing) return nullptr;
    const std::size_t size = std::max<std::size_t>(minimumSize, 1);
    if (m_narrow.size() < size) m_narrow.resize(size);
    return m_narrow.data();
  }

  void SetFailing(bool failing) { m_failing = failing; }

 private:
  std::vector<char> m_narrow;
  bool m_failing = false;
};

TextConvBuffers& Provider() {
  static TextConvBuffers provider;
  return provider;
}

}  // namespace

IBuffers::~IBuffers() = default;

IBuffers* GetTextConvBuffers() { return &Provider(); }

void SetBufferFailureForTesting(bool failing) { Provider().SetFailing(failing); }

}  // namespace NBuffers
