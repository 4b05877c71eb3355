// A large XML text read piece by piece, each piece a document of its own, so that no parse
// tree of the whole text is ever held.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace Pelka {

// Where a text may be cut and what makes each piece whole: the text is cut after an end tag
// (cutAfter, "</item>") of an element whose ancestors' start tags are reopen ("<list><items>")
// and whose end tags are close ("</items></list>"). Every piece but the first starts with
// reopen, every piece but the last ends with close. A cut where other elements are open
// gives a piece that is not well-formed, so a reader that accepts every piece has read the
// text as it is.
struct ZXmlCut {
  std::string_view cutAfter;
  std::string_view reopen;
  std::string_view close;
};

// Fills the buffer with the next bytes of the text and returns how many; 0 at its end.
using ZByteSupply = std::function<std::size_t(char* buffer, std::size_t capacity)>;

// Reads the text from supply in blocks of blockSize and calls onPiece with every piece, in
// order: once at least a block is unread by the pieces, all of it up to its last cut.
void ForEachXmlPiece(const ZByteSupply& supply, const ZXmlCut& cut, std::size_t blockSize,
                     const std::function<void(std::string piece)>& onPiece);

}  // namespace Pelka
