#include "attributes/GenericAttrFilter.h"

#include <algorithm>

namespace NAttributes {

ZGenericAttrFilter::ZGenericAttrFilter(Pelka::ZVirtualAttrView& view) noexcept : m_pView(&view) {}

ZGenericAttrFilter::Iterator ZGenericAttrFilter::Begin(ZAttributePredicate& predicate) {
  m_pPredicate = &predicate;
  m_pCandidates = predicate.CandidatePositions(*m_pView);
  return FindFrom(0);
}

ZGenericAttrFilter::Iterator ZGenericAttrFilter::End() const noexcept { return m_pView->End(); }

ZGenericAttrFilter::Iterator ZGenericAttrFilter::FindNext(Iterator position) const {
  if (m_pPredicate == nullptr || position == End()) return End();
  return FindFrom(position.GetPosition() + 1);
}

// The first match at or after position. With an index only its entries are tried, so the cost
// does not grow with the attributes that cannot match.
ZGenericAttrFilter::Iterator ZGenericAttrFilter::FindFrom(std::size_t position) const {
  const std::size_t count = m_pView->Count();
  if (m_pCandidates == nullptr) {
    for (; position < count; ++position) {
      if (m_pPredicate->Holds(m_pView->ItemAt(position))) return Iterator(m_pView, position);
    }
    return End();
  }
  auto candidate = std::lower_bound(m_pCandidates->begin(), m_pCandidates->end(), position);
  for (; candidate != m_pCandidates->end() && *candidate < count; ++candidate) {
    if (m_pPredicate->Holds(m_pView->ItemAt(*candidate))) return Iterator(m_pView, *candidate);
  }
  return End();
}

}  // namespace NAttributes
