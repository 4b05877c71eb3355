// Shared smart pointer of the document model; dereferencing an empty one is a hard assertion.
#pragma once

#include <pelka/Export.h>

#include <memory>
#include <utility>

namespace Pelka {

// Fails the assertion "m_pPointee != NULL" of unit pelka/Smarty (stderr, then abort) when
// pPointee is null; never compiled out.
PELKA_API void CheckSmartyPointee(const void* pPointee);

template <class T>
class ZSmarty {
 public:
  ZSmarty() noexcept = default;
  explicit ZSmarty(std::shared_ptr<T> pointee) noexcept : m_pPointee(std::move(pointee)) {}

  // The pointee; asserts that there is one.
  T& operator*() const {
    CheckSmartyPointee(m_pPointee.get());
    return *m_pPointee;
  }
  T* operator->() const { return &**this; }

  // The pointee or null, without asserting.
  T* Get() const noexcept { return m_pPointee.get(); }
  bool IsNull() const noexcept { return m_pPointee == nullptr; }

 private:
  std::shared_ptr<T> m_pPointee;
};

}  // namespace Pelka
