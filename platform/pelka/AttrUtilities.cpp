#include "pelka/AttrUtilities.h"

#include "TextUtil.h"
#include "pelka/AttributeKinds.h"
#include "pelka/ModelError.h"

namespace Pelka {

namespace {

// The attribute as its default or override class of the wanted kind.
template <class TDefault, class TAttribute>
auto ValueOf(TAttribute& attribute) {
  if (ZAttrTypeChecker::GetAttrType(attribute) != TDefault::attrType) {
    throw ZModelError("attribute " + Quoted(attribute.GetQualifier()) + " is of another kind");
  }
  return attribute.IsOverride()
             ? static_cast<const typename TDefault::OverrideType&>(attribute).GetValue()
             : static_cast<const TDefault&>(attribute).GetValue();
}

}  // namespace

ZAttrManager::ZAttrType ZAttrTypeChecker::GetAttrType(const ZAttribute& attribute) noexcept {
  return attribute.GetDefaultAttribute().m_type;
}

unsigned ZAttrValueReader::GetUnsignedValue(const ZAttribute& attribute) {
  return ValueOf<ZUnsignedDefaultAttr>(attribute);
}

int ZAttrValueReader::GetSignedValue(const ZAttribute& attribute) {
  return ValueOf<ZSignedDefaultAttr>(attribute);
}

}  // namespace Pelka
