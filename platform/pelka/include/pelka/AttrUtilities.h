// Kind and value queries that work on any attribute.
#pragma once

#include <pelka/Attribute.h>
#include <pelka/Export.h>

namespace Pelka {

class PELKA_API ZAttrTypeChecker {
 public:
  // The value kind of the attribute (of its default attribute for an override).
  static ZAttrManager::ZAttrType GetAttrType(const ZAttribute& attribute) noexcept;
};

// The attribute's own value: an override's value when given an override, else the default value.
// Both throw ZModelError for an attribute of another kind.
class PELKA_API ZAttrValueReader {
 public:
  static unsigned GetUnsignedValue(const ZAttribute& attribute);
  static int GetSignedValue(const ZAttribute& attribute);
};

}  // namespace Pelka
