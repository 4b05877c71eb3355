#include "pelka/Smarty.h"

#include <cstdio>
#include <cstdlib>

namespace Pelka {

void CheckSmartyPointee(const void* pPointee) {
  if (pPointee != nullptr) return;
  // Reported from here so that expression, unit and line are those of the model's assertion.
  std::fprintf(stderr, "Assertion failed: m_pPointee != NULL (%s:%d)\n", __FILE__, __LINE__);
  std::fflush(stderr);
  std::abort();
}

}  // namespace Pelka
