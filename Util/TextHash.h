// The hash of the library's lookup tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace NComParamMan {

// FNV-1a over the code units. The standard hash reads the text byte by byte through a general
// mixing function, which cost more than the rest of a lookup of the short names the tables hold.
struct ZTextHash {
  std::size_t operator()(std::wstring_view text) const noexcept {
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t c : text) {
      hash ^= static_cast<std::uint64_t>(c);
      hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
  }
};

}  // namespace NComParamMan
