// Numbers as the document stand-in reads them from text, and what each kind must be, for
// messages.
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace Pelka {

template <class T>
struct NumberKind;
template <>
struct NumberKind<unsigned> {
  static constexpr const char* description = "a 32-bit unsigned number";
};
template <>
struct NumberKind<int> {
  static constexpr const char* description = "a 32-bit signed number";
};
template <>
struct NumberKind<unsigned short> {
  static constexpr const char* description = "a tag id (0 to 65535)";
};
template <>
struct NumberKind<double> {
  static constexpr const char* description = "a floating-point number";
};

// The whole text as a number of type T, in the classic "C" form; false when it is not one.
template <class T>
bool ParseWhole(std::string_view text, T& value) {
  const char* const end = text.data() + text.size();
  const std::from_chars_result result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && !text.empty();
}

}  // namespace Pelka
