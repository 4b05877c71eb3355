// Wide-to-narrow text conversion through the text buffer library's scratch buffers.
#pragma once

#include <string>

namespace NBuffers {
class IBuffers;
}

namespace NComParamMan {

// The scratch-buffer provider; set whenever the process or a thread attaches to the library.
extern NBuffers::IBuffers* mpBuffers;

// Stores the text buffer library's provider in mpBuffers.
void AttachTextConvBuffers();

// Converts wideLength characters into a scratch buffer of bufferSize bytes that pBuffer then
// points to; returns the bytes written, 0 (and pBuffer null) when nothing could be converted.
int ConvertToNarrow(unsigned codePage, const wchar_t* pWideString, int wideLength, char*& pBuffer,
                    int bufferSize);

// The text in code page 1252, copied out of the scratch buffer; empty when nothing was written.
std::string ToNarrowString(const std::wstring& wideString);

}  // namespace NComParamMan
