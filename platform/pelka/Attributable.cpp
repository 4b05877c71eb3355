#include "pelka/Attributable.h"

#include "Checked.h"
#include "pelka/EcuDoc.h"

#include <utility>

namespace Pelka {

namespace {

// Position of the key in an index of positions, or count when it has none.
std::size_t IndexedPosition(const std::unordered_map<const ZDefaultAttr*, std::size_t>& index,
                            const ZDefaultAttr& key, std::size_t count) noexcept {
  const auto found = index.find(&key);
  return found == index.end() ? count : found->second;
}

}  // namespace

// ---- ZDefaultAttrCollection

ZDefaultAttrCollection::ZDefaultAttrCollection() = default;
ZDefaultAttrCollection::~ZDefaultAttrCollection() = default;

std::size_t ZDefaultAttrCollection::PositionOf(const ZDefaultAttr& attribute) const noexcept {
  return IndexedPosition(m_positions, attribute, Count());
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
  m_positions.emplace(&attribute, m_attributes.size());
  m_attributes.push_back(&attribute);
}

// ---- ZOverrideAttrSet

ZOverrideAttrSet::ZOverrideAttrSet() = default;
ZOverrideAttrSet::~ZOverrideAttrSet() = default;

std::size_t ZOverrideAttrSet::PositionOf(const ZDefaultAttr& defaultAttr) const noexcept {
  return IndexedPosition(m_positions, defaultAttr, Count());
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
  m_positions.emplace(&pOverride->GetDefaultAttribute(), m_overrides.size());
  m_overrides.push_back(std::move(pOverride));
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
