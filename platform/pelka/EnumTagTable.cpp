#include "pelka/EnumTagTable.h"

#include "Checked.h"
#include "pelka/ModelError.h"

#include <algorithm>
#include <string>

namespace Pelka {

ZEnumTagSymbol::ZEnumTagSymbol(ZEcuDoc& ecuDoc, ZEnumTagId id) : m_id(id), m_tagText(ecuDoc) {}

ZEnumTagTable::ZEnumTagTable(ZEcuDoc& ecuDoc) : m_pEcuDoc(&ecuDoc) {}

ZEnumTagTable::~ZEnumTagTable() = default;

std::size_t ZEnumTagTable::LowerBound(ZEnumTagId id) const noexcept {
  const auto below = [](const std::unique_ptr<ZEnumTagSymbol>& symbol, ZEnumTagId wanted) {
    return symbol->GetId() < wanted;
  };
  return static_cast<std::size_t>(std::lower_bound(m_symbols.begin(), m_symbols.end(), id, below) -
                                  m_symbols.begin());
}

std::size_t ZEnumTagTable::PositionOf(ZEnumTagId id) const noexcept {
  const std::size_t position = LowerBound(id);
  return position < Count() && m_symbols[position]->GetId() == id ? position : Count();
}

ZEnumTagTable::Iterator ZEnumTagTable::Find(ZEnumTagId id) noexcept {
  return Iterator(this, PositionOf(id));
}

ZEnumTagTable::ConstIterator ZEnumTagTable::Find(ZEnumTagId id) const noexcept {
  return ConstIterator(this, PositionOf(id));
}

std::size_t ZEnumTagTable::ExistingPositionOf(ZEnumTagId id) const {
  const std::size_t position = PositionOf(id);
  if (position == Count()) throw ZModelError("no tag with id " + std::to_string(id));
  return position;
}

ZEnumTagSymbol& ZEnumTagTable::GetEnumTagSymbolById(ZEnumTagId id) {
  return *m_symbols[ExistingPositionOf(id)];
}

const ZEnumTagSymbol& ZEnumTagTable::GetEnumTagSymbolById(ZEnumTagId id) const {
  return *m_symbols[ExistingPositionOf(id)];
}

ZEnumTagSymbol& ZEnumTagTable::AddNewTag(ZEnumTagId id) {
  const std::size_t position = LowerBound(id);
  if (position < Count() && m_symbols[position]->GetId() == id) {
    throw ZModelError("duplicate tag id " + std::to_string(id));
  }
  const auto inserted = m_symbols.insert(m_symbols.begin() + static_cast<std::ptrdiff_t>(position),
                                         std::make_unique<ZEnumTagSymbol>(*m_pEcuDoc, id));
  return **inserted;
}

ZEnumTagSymbol& ZEnumTagTable::ItemAt(std::size_t position) {
  return *CheckedAt(m_symbols, position, "tag");
}

const ZEnumTagSymbol& ZEnumTagTable::ItemAt(std::size_t position) const {
  return *CheckedAt(m_symbols, position, "tag");
}

}  // namespace Pelka
