// The document model's exception for a call it refuses.
#pragma once

#include <pelka/Export.h>

#include <stdexcept>
#include <string>

namespace Pelka {

// Thrown for a refused building call or a misuse (duplicate qualifier, unknown language, tag id
// taken, position out of range, value of the wrong kind). what() is UTF-8 text such as
// duplicate qualifier "CP.P2"; the file loader puts the file and line in front of it.
class PELKA_API ZModelError : public std::logic_error {
 public:
  explicit ZModelError(const std::string& problem);
  ~ZModelError() override;
};

}  // namespace Pelka
