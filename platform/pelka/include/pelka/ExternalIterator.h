// Iterator over a container that holds its elements through pointers.
#pragma once

#include <cstddef>
#include <iterator>

namespace Pelka {

// Walks the container with TIter and hands out the pointed-to TElem; inline only, so it
// adds nothing to the binary interface beyond its layout (one TIter).
template <class TIter, class TElem>
class ZExternalIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = TElem;
  using difference_type = std::ptrdiff_t;
  using pointer = TElem*;
  using reference = TElem&;

  ZExternalIterator() : m_position() {}
  explicit ZExternalIterator(TIter position) : m_position(position) {}

  TElem& operator*() const { return **m_position; }
  TElem* operator->() const { return &**m_position; }

  ZExternalIterator& operator++() {
    ++m_position;
    return *this;
  }
  ZExternalIterator operator++(int) {
    ZExternalIterator before(*this);
    ++m_position;
    return before;
  }

  // Equal when both designate the same position.
  bool operator==(const ZExternalIterator& other) const { return m_position == other.m_position; }
  bool operator!=(const ZExternalIterator& other) const { return m_position != other.m_position; }

 private:
  TIter m_position;
};

}  // namespace Pelka
