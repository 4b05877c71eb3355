#include "attributes/AttributePredicate.h"

namespace NAttributes {

ZAttributePredicate::~ZAttributePredicate() = default;

const std::vector<std::size_t>* ZAttributePredicate::CandidatePositions(
    const Pelka::ZVirtualAttrView& /*view*/) const {
  return nullptr;
}

ZAttributePredicate4Interface::ZAttributePredicate4Interface(Pelka::ZEcuDoc& ecuDoc,
                                                             const wchar_t* interfaceQualifier)
    : m_pEcuDoc(&ecuDoc), m_interfaceQualifier(interfaceQualifier ? interfaceQualifier : L"") {}

ZAttributePredicate4Interface::~ZAttributePredicate4Interface() = default;

bool ZAttributePredicate4Interface::Holds(Pelka::ZAttribute& attribute) const {
  return m_pEcuDoc->IsInterfaceMember(m_interfaceQualifier.c_str(),
                                      attribute.GetDefaultAttribute());
}

const std::vector<std::size_t>* ZAttributePredicate4Interface::CandidatePositions(
    const Pelka::ZVirtualAttrView& view) const {
  if (&view.GetAttributable().GetOwnerDoc() != m_pEcuDoc) return nullptr;
  return &m_pEcuDoc->InterfaceMemberPositions(m_interfaceQualifier.c_str());
}

}  // namespace NAttributes
