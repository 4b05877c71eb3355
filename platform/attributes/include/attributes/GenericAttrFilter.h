// The attributes of a view that satisfy a predicate.
#pragma once

#include <attributes/AttributePredicate.h>
#include <attributes/Export.h>
#include <pelka/Attributable.h>

#include <cstddef>
#include <vector>

namespace NAttributes {

// Walks a view, in view order, stopping only at attributes for which the predicate of the last
// Begin holds. Usage:
//   for (auto it = filter.Begin(predicate); it != filter.End(); it = filter.FindNext(it)) ...
// The filter keeps references to the view and the predicate; both must outlive its use.
class ATTRIBUTES_API ZGenericAttrFilter {
 public:
  using Iterator = Pelka::ZVirtualAttrView::Iterator;

  explicit ZGenericAttrFilter(Pelka::ZVirtualAttrView& view) noexcept;

  // The first attribute of the view for which the predicate holds, or End().
  Iterator Begin(ZAttributePredicate& predicate);
  Iterator End() const noexcept;
  // The next match after position, or End(); End() before any Begin and after End().
  Iterator FindNext(Iterator position) const;

 private:
  Iterator FindFrom(std::size_t position) const;

  Pelka::ZVirtualAttrView* m_pView;
  ZAttributePredicate* m_pPredicate = nullptr;
  const std::vector<std::size_t>* m_pCandidates = nullptr;
};

}  // namespace NAttributes
