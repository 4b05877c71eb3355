// Double dispatch over the twelve attribute classes.
#pragma once

#include <pelka/AttributeKinds.h>
#include <pelka/Export.h>

namespace Pelka {

class PELKA_API ZAttributeVisitor {
 public:
  virtual ~ZAttributeVisitor();

  virtual void VisitUnsignedDefault(ZUnsignedDefaultAttr& attribute) = 0;
  virtual void VisitSignedDefault(ZSignedDefaultAttr& attribute) = 0;
  virtual void VisitFloatDefault(ZFloatDefaultAttr& attribute) = 0;
  virtual void VisitTextDefault(ZTextDefaultAttr& attribute) = 0;
  virtual void VisitEnumDefault(ZEnumDefaultAttr& attribute) = 0;
  virtual void VisitStringDefault(ZCommonStringDefaultAttr& attribute) = 0;
  virtual void VisitUnsignedOverride(ZUnsignedOverrideAttr& attribute) = 0;
  virtual void VisitSignedOverride(ZSignedOverrideAttr& attribute) = 0;
  virtual void VisitFloatOverride(ZFloatOverrideAttr& attribute) = 0;
  virtual void VisitTextOverride(ZTextOverrideAttr& attribute) = 0;
  virtual void VisitEnumOverride(ZEnumOverrideAttr& attribute) = 0;
  virtual void VisitStringOverride(ZCommonStringOverrideAttr& attribute) = 0;

  // Calls the Visit* operation of the attribute's kind and half (attribute.Accept(*this)).
  virtual void DispatchAttribute(ZAttribute& attribute);
};

}  // namespace Pelka
