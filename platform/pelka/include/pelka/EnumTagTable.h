// Tags of an enumeration attribute.
#pragma once

#include <pelka/Export.h>
#include <pelka/InternalIterator.h>
#include <pelka/Translatable.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace Pelka {

using ZEnumTagId = unsigned short;

class PELKA_API ZEnumTagSymbol {
 public:
  ZEnumTagSymbol(ZEcuDoc& ecuDoc, ZEnumTagId id);

  ZEnumTagId GetId() const noexcept { return m_id; }
  ZTranslatable& GetTagText() noexcept { return m_tagText; }
  const ZTranslatable& GetTagText() const noexcept { return m_tagText; }

 private:
  ZEnumTagId m_id;
  ZTranslatable m_tagText;
};

// Map from tag id to symbol, iterated in ascending id whatever the order of adding.
class PELKA_API ZEnumTagTable {
 public:
  using Iterator = ZInternalIterator<ZEnumTagTable, ZEnumTagSymbol>;
  using ConstIterator = ZInternalIterator<const ZEnumTagTable, const ZEnumTagSymbol>;

  explicit ZEnumTagTable(ZEcuDoc& ecuDoc);
  ~ZEnumTagTable();
  ZEnumTagTable(const ZEnumTagTable&) = delete;
  ZEnumTagTable& operator=(const ZEnumTagTable&) = delete;

  Iterator Begin() noexcept { return Iterator(this, 0); }
  Iterator End() noexcept { return Iterator(this, Count()); }
  ConstIterator Begin() const noexcept { return ConstIterator(this, 0); }
  ConstIterator End() const noexcept { return ConstIterator(this, Count()); }

  // The tag with that id, or End().
  Iterator Find(ZEnumTagId id) noexcept;
  ConstIterator Find(ZEnumTagId id) const noexcept;

  std::size_t Count() const noexcept { return m_symbols.size(); }

  // Throws ZModelError when no tag has that id.
  ZEnumTagSymbol& GetEnumTagSymbolById(ZEnumTagId id);
  const ZEnumTagSymbol& GetEnumTagSymbolById(ZEnumTagId id) const;

  // Creates the tag with no text in any language; throws ZModelError when the id is taken.
  ZEnumTagSymbol& AddNewTag(ZEnumTagId id);

  // Position in ascending id order.
  ZEnumTagSymbol& ItemAt(std::size_t position);
  const ZEnumTagSymbol& ItemAt(std::size_t position) const;

 private:
  std::size_t LowerBound(ZEnumTagId id) const noexcept;
  std::size_t PositionOf(ZEnumTagId id) const noexcept;
  std::size_t ExistingPositionOf(ZEnumTagId id) const;

  ZEcuDoc* m_pEcuDoc;
  std::vector<std::unique_ptr<ZEnumTagSymbol>> m_symbols;  // ascending id
};

}  // namespace Pelka
