#include "pelka/AttributeVisitor.h"

namespace Pelka {

ZAttributeVisitor::~ZAttributeVisitor() = default;

void ZAttributeVisitor::DispatchAttribute(ZAttribute& attribute) { attribute.Accept(*this); }

}  // namespace Pelka
