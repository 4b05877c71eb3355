// Shared helpers of the fuzz targets: reading typed values from the fuzz bytes, and the check
// that stops a run. Assertions of the library may be compiled out; these never are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond, what)                                                   \
  do {                                                                           \
    if (!(cond)) {                                                               \
      std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__, \
                   std::string(what).c_str());                                   \
      std::abort();                                                              \
    }                                                                            \
  } while (false)

namespace Fuzz {

// Consumes the fuzz bytes front to back; once they run out every read yields zero or empty.
class ZInput {
 public:
  ZInput(const std::uint8_t* data, std::size_t size) : m_pData(data), m_size(size) {}

  bool Empty() const { return m_size == 0; }

  std::uint8_t Byte() {
    if (m_size == 0) return 0;
    --m_size;
    return *m_pData++;
  }

  unsigned Unsigned() {
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | Byte();
    return value;
  }

  // A number below bound (bound > 0).
  std::size_t Below(std::size_t bound) { return Byte() % bound; }

  // A wide text ended by a zero byte or the input's end. Each byte is one character, so digits,
  // signs and blanks come cheaply; the byte 0xff takes the next two bytes as one UTF-16 code
  // unit, for the characters beyond Latin-1.
  std::wstring Text() {
    std::wstring text;
    while (m_size > 0) {
      const std::uint8_t byte = Byte();
      if (byte == 0) break;
      if (byte != 0xff) {
        text += static_cast<wchar_t>(byte);
        continue;
      }
      const unsigned unit = (static_cast<unsigned>(Byte()) << 8) | Byte();
      if (unit != 0) text += static_cast<wchar_t>(unit);
    }
    return text;
  }

 private:
  const std::uint8_t* m_pData;
  std::size_t m_size;
};

}  // namespace Fuzz
