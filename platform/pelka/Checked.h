// Position checks shared by the model's containers.
#pragma once

#include <cstddef>

namespace Pelka {

// Throws ZModelError "<what> position <position> out of range".
[[noreturn]] void ThrowPositionOutOfRange(const char* what, std::size_t position);

// items[position], or ZModelError when there is no such position.
template <class TItems>
auto& CheckedAt(TItems& items, std::size_t position, const char* what) {
  if (position >= items.size()) ThrowPositionOutOfRange(what, position);
  return items[position];
}

}  // namespace Pelka
