// The owning container of parameters and the configuration of one interface.
#pragma once

#include <comparam/ComParam.h>
#include <comparam/Export.h>

// The document model's iterator template is also the collection's iterator type.
#include <pelka/ExternalIterator.h>

#include <functional>
#include <list>
#include <map>
#include <string>

namespace NComParamMan {

// Parameters in insertion order, indexed by the qualifier each had when it was added.
class COMPARAM_API ZComParamCollection {
 public:
  using ZComParamList = std::list<ZComParam*>;
  using ZIterator = Pelka::ZExternalIterator<ZComParamList::const_iterator, ZComParam>;
  // std::less<> finds a text without copying it into a key; being empty as std::less<key> is,
  // it leaves the exported layout as it was.
  using ZQualifierIndex = std::map<std::wstring, ZComParam*, std::less<>>;

  // The list and index entries of emptied collections, for filling another without allocating
  // them anew. Never owns the parameters they name.
  class COMPARAM_API ZSpareEntries {
   public:
    ZSpareEntries();
    ZSpareEntries(const ZSpareEntries&) = delete;
    ZSpareEntries& operator=(const ZSpareEntries&) = delete;
    ~ZSpareEntries();

    // Moves the entry at position from list into the spares.
    void Keep(ZComParamList& list, ZComParamList::iterator position);

   private:
    friend class ZComParamCollection;
    ZComParamList m_listEntries;
    ZQualifierIndex m_indexEntries;
  };

  ZComParamCollection();
  // Deep copy: clones of the source's parameters, in the source's order.
  ZComParamCollection(const ZComParamCollection& other);
  ZComParamCollection& operator=(const ZComParamCollection& other);
  // Takes over other's parameters; other is left empty.
  ZComParamCollection(ZComParamCollection&& other) noexcept;
  ZComParamCollection& operator=(ZComParamCollection&& other) noexcept;
  ~ZComParamCollection();

  // True: the collection owns param. False when the qualifier is present or the collection
  // already holds this very object: nothing changes, and a refused new param stays the caller's.
  // A held parameter whose qualifier is changed stays filed under the one it had when added.
  bool AddComParam(ZComParam* param);
  // The parameter indexed under exactly that qualifier, or null; the collection keeps it.
  ZComParam* FindByQualifier(const wchar_t* qualifier) const;
  // Removes and destroys param when the collection holds this very object.
  void RemoveComParam(ZComParam& param);
  // Destroys every parameter.
  void Clear();
  // Hands every parameter over to the caller, in insertion order; the collection is left empty.
  ZComParamList ReleaseComParams();
  // As above; the collection's index entries go to spare.
  ZComParamList ReleaseComParams(ZSpareEntries& spare);
  // As AddComParam(param), taking the entries from spare while it has some.
  bool AddComParam(ZComParam* param, ZSpareEntries& spare);
  unsigned Count() const;
  // The parameter at position idx in insertion order; idx must be below Count().
  ZComParam& At(unsigned idx) const;
  ZIterator Begin() const;
  ZIterator End() const;

 private:
  void AddClonesOf(const ZComParamCollection& source);
  // AddComParam for a parameter that is not null; only one that mayBeHeld is looked for among
  // the parameters held. Entries come from pSpare while it has some.
  bool Insert(ZComParam* param, bool mayBeHeld, ZSpareEntries* pSpare);

  ZQualifierIndex m_normQual2comParam;
  ZComParamList m_comParamList;
};

// The normalized parameters of one document interface.
class COMPARAM_API ZComParamConfiguration {
 public:
  explicit ZComParamConfiguration(const wchar_t* interfaceQualifier);
  // Deep copies: every copy owns its own parameters.
  ZComParamConfiguration(const ZComParamConfiguration& other);
  ZComParamConfiguration& operator=(const ZComParamConfiguration& other);
  // Takes over other's parameters and qualifier; other is left without parameters.
  ZComParamConfiguration(ZComParamConfiguration&& other) noexcept;
  ZComParamConfiguration& operator=(ZComParamConfiguration&& other) noexcept;
  virtual ~ZComParamConfiguration();

  const wchar_t* GetInterfaceQualifier() const;
  // The configuration's own collection, not a copy.
  ZComParamCollection& GetComParamCollection();

  // Adds a catalogue clone of the normalized qualifier carrying the value (kept even when the
  // value is refused); null for an unknown or already present qualifier.
  ZComParam* AddComParam(const wchar_t* alias, const wchar_t* qualifier, const wchar_t* value,
                         bool mayBeModified, bool isSimulated);
  // As above with a number; a text parameter throws ZComParamException and is not added.
  ZComParam* AddComParam(const wchar_t* alias, const wchar_t* qualifier, unsigned value,
                         bool mayBeModified, bool isSimulated);

 private:
  ZComParamCollection m_comParamCollection;
  std::wstring m_interfaceQualifier;
};

}  // namespace NComParamMan
