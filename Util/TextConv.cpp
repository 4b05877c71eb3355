#include "TextConv.h"

#include "Diagnostics.h"

#include <buffers/Buffers.h>
#include <os/WinApi.h>

#include <cstddef>

namespace NComParamMan {

NBuffers::IBuffers* mpBuffers = nullptr;

namespace {
constexpr unsigned kWesternCodePage = 1252;
}  // namespace

void AttachTextConvBuffers() { mpBuffers = NBuffers::GetTextConvBuffers(); }

int ConvertToNarrow(unsigned codePage, const wchar_t* pWideString, int wideLength, char*& pBuffer,
                    int bufferSize) {
  COMPARAM_HARD_ASSERT(pWideString, L"pWideString");
  COMPARAM_HARD_ASSERT(mpBuffers, L"mpBuffers");
  pBuffer = nullptr;
  // WideCharToMultiByte reads a size of 0 as a question for the size needed and writes nothing.
  if (bufferSize <= 0) return 0;
  char* pScratch = mpBuffers->GetNarrowBuffer(static_cast<std::size_t>(bufferSize));
  if (!pScratch) return 0;
  const int written = WideCharToMultiByte(codePage, 0, pWideString, wideLength, pScratch,
                                          bufferSize, nullptr, nullptr);
  if (written > 0) pBuffer = pScratch;
  return written;
}

std::string ToNarrowString(const std::wstring& wideString) {
  const int length = static_cast<int>(wideString.size());
  char* pBuffer = nullptr;
  const int written =
      ConvertToNarrow(kWesternCodePage, wideString.c_str(), length, pBuffer, length);
  // The provider reuses its buffer for the next conversion, so the bytes are copied now.
  return written > 0 ? std::string(pBuffer, static_cast<std::size_t>(written)) : std::string();
}

}  // namespace NComParamMan
