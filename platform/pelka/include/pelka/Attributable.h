// Holders of attributes: the attribute sets of an attributable, and the ECU.
#pragma once

#include <pelka/Attribute.h>
#include <pelka/Export.h>
#include <pelka/InternalIterator.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace Pelka {

class ZEcuDoc;

// The default attributes an attributable holds itself, in document order. Attributes it only
// inherits from the document are visible in its VirtualAttributes() but not here.
class PELKA_API ZDefaultAttrCollection {
 public:
  using Iterator = ZInternalIterator<ZDefaultAttrCollection, ZDefaultAttr>;
  using ConstIterator = ZInternalIterator<const ZDefaultAttrCollection, const ZDefaultAttr>;

  ZDefaultAttrCollection();
  ~ZDefaultAttrCollection();
  ZDefaultAttrCollection(const ZDefaultAttrCollection&) = delete;
  ZDefaultAttrCollection& operator=(const ZDefaultAttrCollection&) = delete;

  Iterator Begin() noexcept { return Iterator(this, 0); }
  Iterator End() noexcept { return Iterator(this, Count()); }
  ConstIterator Begin() const noexcept { return ConstIterator(this, 0); }
  ConstIterator End() const noexcept { return ConstIterator(this, Count()); }

  // The attribute's place here, or End() when it is not held here.
  Iterator Find(const ZDefaultAttr& attribute) noexcept;
  ConstIterator Find(const ZDefaultAttr& attribute) const noexcept;

  std::size_t Count() const noexcept { return m_attributes.size(); }
  ZDefaultAttr& ItemAt(std::size_t position);
  const ZDefaultAttr& ItemAt(std::size_t position) const;

 private:
  friend class ZEcuDoc;
  void Add(ZDefaultAttr& attribute);
  std::size_t PositionOf(const ZDefaultAttr& attribute) const noexcept;

  std::vector<ZDefaultAttr*> m_attributes;
  // By ZDefaultAttr::GetPosition(): the attribute's position here plus one, 0 when not held.
  // Indexing by document position finds an attribute without hashing, at every document size.
  std::vector<std::size_t> m_positions;
};

// The overrides at one attributable, at most one per default attribute, in order of creation.
// Owns them.
class PELKA_API ZOverrideAttrSet {
 public:
  using Iterator = ZInternalIterator<ZOverrideAttrSet, ZOverrideAttr>;
  using ConstIterator = ZInternalIterator<const ZOverrideAttrSet, const ZOverrideAttr>;

  ZOverrideAttrSet();
  ~ZOverrideAttrSet();
  ZOverrideAttrSet(const ZOverrideAttrSet&) = delete;
  ZOverrideAttrSet& operator=(const ZOverrideAttrSet&) = delete;

  Iterator Begin() noexcept { return Iterator(this, 0); }
  Iterator End() noexcept { return Iterator(this, Count()); }
  ConstIterator Begin() const noexcept { return ConstIterator(this, 0); }
  ConstIterator End() const noexcept { return ConstIterator(this, Count()); }

  // The override of that default attribute, or End().
  Iterator Find(const ZDefaultAttr& defaultAttr) noexcept;
  ConstIterator Find(const ZDefaultAttr& defaultAttr) const noexcept;

  std::size_t Count() const noexcept { return m_overrides.size(); }
  ZOverrideAttr& ItemAt(std::size_t position);
  const ZOverrideAttr& ItemAt(std::size_t position) const;

 private:
  friend class ZDefaultAttr;
  ZOverrideAttr& Adopt(std::unique_ptr<ZOverrideAttr> pOverride);
  std::size_t PositionOf(const ZDefaultAttr& defaultAttr) const noexcept;

  std::vector<std::unique_ptr<ZOverrideAttr>> m_overrides;
  // By ZDefaultAttr::GetPosition(): the override's position plus one, 0 when there is none.
  std::vector<std::size_t> m_positions;
};

class ZAttributable;

// Every attribute visible at an attributable, in document order: all attributes of the
// document, held or inherited, each as its override there where it has one, else as the default
// attribute. A live view: overrides created later show at once. The position of an attribute
// here is its ZDefaultAttr::GetPosition().
class PELKA_API ZVirtualAttrView {
 public:
  using Iterator = ZInternalIterator<ZVirtualAttrView, ZAttribute>;
  using ConstIterator = ZInternalIterator<const ZVirtualAttrView, const ZAttribute>;

  explicit ZVirtualAttrView(ZAttributable& attributable) noexcept;
  ZVirtualAttrView(const ZVirtualAttrView&) = delete;
  ZVirtualAttrView& operator=(const ZVirtualAttrView&) = delete;

  Iterator Begin() noexcept { return Iterator(this, 0); }
  Iterator End() noexcept { return Iterator(this, Count()); }
  ConstIterator Begin() const noexcept { return ConstIterator(this, 0); }
  ConstIterator End() const noexcept { return ConstIterator(this, Count()); }

  std::size_t Count() const noexcept;
  ZAttribute& ItemAt(std::size_t position);
  const ZAttribute& ItemAt(std::size_t position) const;

  ZAttributable& GetAttributable() const noexcept { return *m_pAttributable; }

 private:
  ZAttributable* m_pAttributable;
};

// A holder of attributes of one document.
class PELKA_API ZAttributable {
 public:
  virtual ~ZAttributable();
  ZAttributable(const ZAttributable&) = delete;
  ZAttributable& operator=(const ZAttributable&) = delete;

  ZDefaultAttrCollection& DefaultAttributes() noexcept { return m_defaultAttributes; }
  const ZDefaultAttrCollection& DefaultAttributes() const noexcept { return m_defaultAttributes; }
  ZOverrideAttrSet& OverriddenAttributes() noexcept { return m_overrides; }
  const ZOverrideAttrSet& OverriddenAttributes() const noexcept { return m_overrides; }
  ZVirtualAttrView& VirtualAttributes() noexcept { return m_virtualAttributes; }
  const ZVirtualAttrView& VirtualAttributes() const noexcept { return m_virtualAttributes; }

  ZEcuDoc& GetOwnerDoc() const noexcept { return *m_pOwnerDoc; }

 protected:
  explicit ZAttributable(ZEcuDoc& ownerDoc);

 private:
  ZEcuDoc* m_pOwnerDoc;
  ZDefaultAttrCollection m_defaultAttributes;
  ZOverrideAttrSet m_overrides;
  ZVirtualAttrView m_virtualAttributes;
};

// The ECU of a document.
class PELKA_API ZEcu : public ZAttributable {
 public:
  ~ZEcu() override;

 private:
  friend class ZEcuDoc;
  explicit ZEcu(ZEcuDoc& ownerDoc);
};

}  // namespace Pelka
