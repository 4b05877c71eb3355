#include "pelka/Attributable.h"

#include "Checked.h"
#include "pelka/EcuDoc.h"

#include <utility>

namespace Pelka {

namespace {

// The position an index by document position records for the attribute, or count when it has
// none. holderOf(position) names the default attribute at that position of the container:
// another document's attribute may have the same document position.
template <class THolderOf>
std::size_t IndexedPosition(const std::vector<std::size_t>& index, const ZDefaultAttr& key,
                            std::size_t count, THolderOf holderOf) noexcept {
  const std::size_t documentPosition = key.GetPosition();
  if (documentPosition >= index.size() || index[documentPosition] == 0) return count;
  const std::size_t position = index[documentPosition] - 1;
  return holderOf(position) == &key ? position : count;
}

// The index entry of the key, made room for first, so a failed insertion leaves no stale entry.
std::size_t& IndexEntry(std::vector<std::size_t>& index, const ZDefaultAttr& key) {
  const std::size_t documentPosition = key.GetPosition();
  if (documentPosition >= index.size()) index.resize(documentPosition + 1, 0);
  return index[documentPosition];
}

}  // namespace

// ---- ZDefaultAttrCollection

ZDefaultAttrCollection::ZDefaultAttrCollection() = default;
ZDefaultAttrCollection::~ZDefaultAttrCollection() = default;

std::size_t ZDefaultAttrCollection::PositionOf(const ZDefaultAttr& attribute) const noexcept {
  return IndexedPosition(m_positions, attribute, Count(),
                         [this](std::size_t position) { return m_attributes[position]; });
}

ZDefaultAttrCollection::Iterator ZDefaultAttrCollection::Find(
    const ZDefaultAttr& attribute) noexcept {
  return Iterator(this, PositionOf(attribute));
}

ZDefaultAttrCollection::ConstIterator ZDefaultAttrCollection::Find(
    const ZDefaultAttr& attribute) const noexcept {
  return ConstIterator(this, PositionOf(attribute));
}

ZDefaultAttr& ZDefaultAttrCollection::ItemAt(std::size_t position) {
  return *CheckedAt(m_attributes, position, "attribute");
}

const ZDefaultAttr& ZDefaultAttrCollection::ItemAt(std::size_t position) const {
  return *CheckedAt(m_attributes, position, "attribute");
}

void ZDefaultAttrCollection::Add(ZDefaultAttr& attribute) {
  std::size_t& entry = IndexEntry(m_positions, attribute);
  m_attributes.push_back(&attribute);
  entry = m_attributes.size();
}

// ---- ZOverrideAttrSet

ZOverrideAttrSet::ZOverrideAttrSet() = default;
ZOverrideAttrSet::~ZOverrideAttrSet() = default;

std::size_t ZOverrideAttrSet::PositionOf(const ZDefaultAttr& defaultAttr) const noexcept {
  return IndexedPosition(m_positions, defaultAttr, Count(), [this](std::size_t position) {
    return &m_overrides[position]->GetDefaultAttribute();
  });
}

ZOverrideAttrSet::Iterator ZOverrideAttrSet::Find(const ZDefaultAttr& defaultAttr) noexcept {
  return Iterator(this, PositionOf(defaultAttr));
}

ZOverrideAttrSet::ConstIterator ZOverrideAttrSet::Find(
    const ZDefaultAttr& defaultAttr) const noexcept {
  return ConstIterator(this, PositionOf(defaultAttr));
}

ZOverrideAttr& ZOverrideAttrSet::ItemAt(std::size_t position) {
  return *CheckedAt(m_overrides, position, "override");
}

const ZOverrideAttr& ZOverrideAttrSet::ItemAt(std::size_t position) const {
  return *CheckedAt(m_overrides, position, "override");
}

ZOverrideAttr& ZOverrideAttrSet::Adopt(std::unique_ptr<ZOverrideAttr> pOverride) {
  std::size_t& entry = IndexEntry(m_positions, pOverride->GetDefaultAttribute());
  m_overrides.push_back(std::move(pOverride));
  entry = m_overrides.size();
  return *m_overrides.back();
}

// ---- ZVirtualAttrView

ZVirtualAttrView::ZVirtualAttrView(ZAttributable& attributable) noexcept
    : m_pAttributable(&attributable) {}

std::size_t ZVirtualAttrView::Count() const noexcept {
  return m_pAttributable->GetOwnerDoc().AttributeCount();
}

ZAttribute& ZVirtualAttrView::ItemAt(std::size_t position) {
  // The attributes are the document's and never const; only this view's access is.
  return const_cast<ZAttribute&>(std::as_const(*this).ItemAt(position));
}

const ZAttribute& ZVirtualAttrView::ItemAt(std::size_t position) const {
  const ZDefaultAttr& defaultAttr = m_pAttributable->GetOwnerDoc().AttributeAt(position);
  const ZOverrideAttrSet& overrides = m_pAttributable->OverriddenAttributes();
  const ZOverrideAttrSet::ConstIterator found = overrides.Find(defaultAttr);
  return found == overrides.End() ? static_cast<const ZAttribute&>(defaultAttr) : *found;
}

// ---- ZAttributable, ZEcu

ZAttributable::ZAttributable(ZEcuDoc& ownerDoc)
    : m_pOwnerDoc(&ownerDoc), m_virtualAttributes(*this) {}

ZAttributable::~ZAttributable() = default;

ZEcu::ZEcu(ZEcuDoc& ownerDoc) : ZAttributable(ownerDoc) {}

ZEcu::~ZEcu() = default;

}  // namespace Pelka
