#include "XmlPieces.h"

#include <utility>

namespace Pelka {

namespace {

class PieceMaker {
 public:
  PieceMaker(const ZXmlCut& cut, const std::function<void(std::string)>& onPiece)
      : m_cut(cut), m_onPiece(onPiece) {}

  // Passes on everything up to the last cut in the pending text; the text before searchFrom
  // holds none.
  void CutPending(std::size_t searchFrom) {
    const std::size_t found = std::string_view(m_pending).substr(searchFrom).rfind(m_cut.cutAfter);
    if (found == std::string_view::npos) return;
    const std::size_t end = searchFrom + found + m_cut.cutAfter.size();
    std::string piece = Opening();
    piece.append(m_pending, 0, end);
    piece += m_cut.close;
    m_pending.erase(0, end);
    m_onPiece(std::move(piece));
  }

  void Last() {
    std::string piece = Opening();
    piece += m_pending;
    m_pending = std::string();
    m_onPiece(std::move(piece));
  }

  std::string& Pending() { return m_pending; }

 private:
  std::string Opening() {
    std::string opening = m_first ? std::string() : std::string(m_cut.reopen);
    m_first = false;
    return opening;
  }

  const ZXmlCut& m_cut;
  const std::function<void(std::string)>& m_onPiece;
  std::string m_pending;
  bool m_first = true;
};

}  // namespace

void ForEachXmlPiece(const ZByteSupply& supply, const ZXmlCut& cut, std::size_t blockSize,
                     const std::function<void(std::string piece)>& onPiece) {
  PieceMaker maker(cut, onPiece);
  std::string& pending = maker.Pending();
  for (;;) {
    const std::size_t had = pending.size();
    pending.resize(had + blockSize);
    const std::size_t got = supply(pending.data() + had, blockSize);
    pending.resize(had + got);
    if (got == 0) break;
    // A cut may begin in the bytes before the new ones.
    const std::size_t overlap = cut.cutAfter.size() - 1;
    if (pending.size() >= blockSize) maker.CutPending(had > overlap ? had - overlap : 0);
  }
  maker.Last();
}

}  // namespace Pelka
