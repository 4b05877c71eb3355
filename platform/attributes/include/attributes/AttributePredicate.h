// Conditions on attributes, for ZGenericAttrFilter.
#pragma once

#include <attributes/Export.h>
#include <pelka/Attributable.h>
#include <pelka/Attribute.h>
#include <pelka/EcuDoc.h>

#include <cstddef>
#include <string>
#include <vector>

namespace NAttributes {

class ATTRIBUTES_API ZAttributePredicate {
 public:
  virtual ~ZAttributePredicate();

  // True when the attribute (a default attribute or an override) satisfies the condition.
  virtual bool Holds(Pelka::ZAttribute& attribute) const = 0;

  // An index a filter may use instead of testing every attribute of the view: the ascending
  // view positions outside which the predicate never holds, or null (the default) when it
  // may hold anywhere. Valid while the view's document lives.
  virtual const std::vector<std::size_t>* CandidatePositions(
      const Pelka::ZVirtualAttrView& view) const;
};

// Holds for the communication parameters of one interface: the attributes the document records
// as members of the interface whose qualifier is given (ZEcuDoc::AddInterfaceMember), and for
// nothing when the document has no such interface. The interface is the attribute with the
// category qualifier "COM.INTERFACES" and that qualifier. Uses the document's membership index,
// so finding the members costs the same whatever the number of interfaces.
class ATTRIBUTES_API ZAttributePredicate4Interface : public ZAttributePredicate {
 public:
  // Keeps a reference to the document and a copy of the qualifier (null reads as "").
  ZAttributePredicate4Interface(Pelka::ZEcuDoc& ecuDoc, const wchar_t* interfaceQualifier);
  ~ZAttributePredicate4Interface() override;

  bool Holds(Pelka::ZAttribute& attribute) const override;
  // The members' positions when the view belongs to the predicate's document, else null.
  const std::vector<std::size_t>* CandidatePositions(
      const Pelka::ZVirtualAttrView& view) const override;

 private:
  Pelka::ZEcuDoc* m_pEcuDoc;
  std::wstring m_interfaceQualifier;
};

}  // namespace NAttributes
