#include "pelka/ModelError.h"

#include "Checked.h"

namespace Pelka {

ZModelError::ZModelError(const std::string& problem) : std::logic_error(problem) {}

ZModelError::~ZModelError() = default;

void ThrowPositionOutOfRange(const char* what, std::size_t position) {
  throw ZModelError(std::string(what) + " position " + std::to_string(position) + " out of range");
}

}  // namespace Pelka
