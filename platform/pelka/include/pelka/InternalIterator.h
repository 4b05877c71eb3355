// Position iterator of the document model's containers.
#pragma once

#include <cstddef>

namespace Pelka {

// Walks a container that hands out its items by position through ItemAt(position); the
// container stays the owner, the iterator only remembers where it is. Containers of the model
// only grow, mostly at their end: an iterator stays valid while its container lives, except in
// a tag table, where a new tag takes its place in id order and moves the tags after it.
template <class TContainer, class TItem>
class ZInternalIterator {
 public:
  ZInternalIterator() noexcept = default;
  ZInternalIterator(TContainer* pContainer, std::size_t position) noexcept
      : m_pContainer(pContainer), m_position(position) {}

  // Dereferencing the end position throws ZModelError.
  TItem& operator*() const { return m_pContainer->ItemAt(m_position); }
  TItem* operator->() const { return &**this; }

  ZInternalIterator& operator++() noexcept {
    ++m_position;
    return *this;
  }
  ZInternalIterator operator++(int) noexcept {
    ZInternalIterator before = *this;
    ++m_position;
    return before;
  }

  bool operator==(const ZInternalIterator& other) const noexcept {
    return m_pContainer == other.m_pContainer && m_position == other.m_position;
  }
  bool operator!=(const ZInternalIterator& other) const noexcept { return !(*this == other); }

  std::size_t GetPosition() const noexcept { return m_position; }
  TContainer* GetContainer() const noexcept { return m_pContainer; }

 private:
  TContainer* m_pContainer = nullptr;
  std::size_t m_position = 0;
};

}  // namespace Pelka
