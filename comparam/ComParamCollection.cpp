#include <comparam/ComParamCollection.h>

#include "CollectionWarnings.h"
#include "ComParamFactory.h"

#include <Util/Diagnostics.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string_view>

namespace NComParamMan {

namespace {

// The steps both forms of ZComParamConfiguration::AddComParam share; offerValue sets the value,
// whose acceptance does not matter. A clone that is not added is destroyed, also on a throw.
template <class OfferValue>
ZComParam* AddCatalogueClone(ZComParamCollection& collection, const wchar_t* alias,
                             const wchar_t* qualifier, OfferValue offerValue, bool mayBeModified,
                             bool isSimulated) {
  std::unique_ptr<ZComParam> clone(ZComParamFactory::GetInstance()->CreateComParam(qualifier));
  if (!clone) return nullptr;
  clone->SetAlias(alias);
  offerValue(*clone);
  clone->SetIsSimulated(isSimulated);
  clone->SetMayBeModified(mayBeModified);
  if (!collection.AddComParam(clone.get())) return nullptr;
  return clone.release();
}

}  // namespace

void LogDuplicateQualifier(std::wstring_view qualifier) {
  COMPARAM_LOG(Logging::LevelWarning,
               L"ComParamMan: Trying to insert already existent communication parameter '"
                   << qualifier << L"' into ComParamCollection");
}

ZComParamCollection::ZComParamCollection() = default;

// Delegating: once the target constructor has run, a throw in the body still runs the
// destructor, which destroys the clones added so far.
ZComParamCollection::ZComParamCollection(const ZComParamCollection& other) : ZComParamCollection() {
  AddClonesOf(other);
}

ZComParamCollection& ZComParamCollection::operator=(const ZComParamCollection& other) {
  if (this != &other) {
    Clear();
    AddClonesOf(other);
  }
  return *this;
}

// Swapped, not moved: the source must be left holding nothing, or both would destroy the
// parameters.
ZComParamCollection::ZComParamCollection(ZComParamCollection&& other) noexcept {
  m_normQual2comParam.swap(other.m_normQual2comParam);
  m_comParamList.swap(other.m_comParamList);
}

ZComParamCollection& ZComParamCollection::operator=(ZComParamCollection&& other) noexcept {
  if (this != &other) {
    Clear();
    m_normQual2comParam.swap(other.m_normQual2comParam);
    m_comParamList.swap(other.m_comParamList);
  }
  return *this;
}

ZComParamCollection::~ZComParamCollection() { Clear(); }

namespace {

// A spare index entry renamed to qualifier; empty when there are none. Its text keeps its room,
// so a collection filled again and again soon has room for every qualifier.
ZComParamCollection::ZQualifierIndex::node_type TakeIndexEntry(
    ZComParamCollection::ZQualifierIndex& spares, std::wstring_view qualifier) {
  if (spares.empty()) return {};
  auto entry = spares.extract(spares.begin());
  entry.key().assign(qualifier);
  return entry;
}

}  // namespace

bool ZComParamCollection::AddComParam(ZComParam* param) {
  return param && Insert(param, true, nullptr);
}

bool ZComParamCollection::AddComParam(ZComParam* param, ZSpareEntries& spare) {
  return param && Insert(param, true, &spare);
}

bool ZComParamCollection::Insert(ZComParam* param, bool mayBeHeld, ZSpareEntries* pSpare) {
  const std::wstring_view qualifier = param->GetQualifier();
  const auto place = m_normQual2comParam.lower_bound(qualifier);
  if (place != m_normQual2comParam.end() && place->first == qualifier) {
    LogDuplicateQualifier(qualifier);
    return false;
  }
  // Renamed after adding, a held parameter is filed under its old qualifier; a second entry
  // would destroy it twice.
  if (mayBeHeld &&
      std::find(m_comParamList.begin(), m_comParamList.end(), param) != m_comParamList.end()) {
    COMPARAM_LOG(Logging::LevelWarning, L"ComParamMan: Trying to insert communication parameter '"
                                            << qualifier
                                            << L"' that the ComParamCollection already holds");
    return false;
  }
  if (pSpare) {
    auto indexEntry = TakeIndexEntry(pSpare->m_indexEntries, qualifier);
    if (indexEntry) {
      // Only the list may still allocate; once it holds param nothing can throw.
      if (pSpare->m_listEntries.empty()) {
        m_comParamList.push_back(param);
      } else {
        pSpare->m_listEntries.front() = param;
        m_comParamList.splice(m_comParamList.end(), pSpare->m_listEntries,
                              pSpare->m_listEntries.begin());
      }
      indexEntry.mapped() = param;
      m_normQual2comParam.insert(place, std::move(indexEntry));
      return true;
    }
  }
  m_comParamList.push_back(param);
  try {
    m_normQual2comParam.emplace_hint(place, qualifier, param);
  } catch (...) {
    m_comParamList.pop_back();  // the caller keeps param, as for a refusal
    throw;
  }
  return true;
}

ZComParam* ZComParamCollection::FindByQualifier(const wchar_t* qualifier) const {
  const auto found = m_normQual2comParam.find(std::wstring_view(Diag::NonNull(qualifier)));
  return found == m_normQual2comParam.end() ? nullptr : found->second;
}

void ZComParamCollection::RemoveComParam(ZComParam& param) {
  // A parameter the collection does not hold is not the collection's to destroy.
  const auto listed = std::find(m_comParamList.begin(), m_comParamList.end(), &param);
  if (listed == m_comParamList.end()) return;
  m_comParamList.erase(listed);
  // Found by identity: its key may no longer be its qualifier (SetQualifier after adding).
  const auto indexed = std::find_if(m_normQual2comParam.begin(), m_normQual2comParam.end(),
                                    [&param](const auto& entry) { return entry.second == &param; });
  if (indexed != m_normQual2comParam.end()) m_normQual2comParam.erase(indexed);
  delete &param;
}

void ZComParamCollection::Clear() {
  for (ZComParam* param : m_comParamList) delete param;
  m_comParamList.clear();
  m_normQual2comParam.clear();
}

ZComParamCollection::ZComParamList ZComParamCollection::ReleaseComParams(ZSpareEntries& spare) {
  if (spare.m_indexEntries.empty()) {
    spare.m_indexEntries.swap(m_normQual2comParam);
  } else {
    spare.m_indexEntries.merge(m_normQual2comParam);  // namesakes of spares stay behind
  }
  return ReleaseComParams();
}

ZComParamCollection::ZComParamList ZComParamCollection::ReleaseComParams() {
  m_normQual2comParam.clear();
  ZComParamList released;
  released.swap(m_comParamList);
  return released;
}

unsigned ZComParamCollection::Count() const {
  return static_cast<unsigned>(m_normQual2comParam.size());
}

ZComParam& ZComParamCollection::At(unsigned idx) const {
  COMPARAM_CHECK(idx < Count(), L"idx<Count()");
  return **std::next(m_comParamList.begin(), idx);
}

ZComParamCollection::ZIterator ZComParamCollection::Begin() const {
  return ZIterator(m_comParamList.begin());
}

ZComParamCollection::ZIterator ZComParamCollection::End() const {
  return ZIterator(m_comParamList.end());
}

void ZComParamCollection::AddClonesOf(const ZComParamCollection& source) {
  for (const ZComParam* param : source.m_comParamList) {
    // Refused when two source parameters were given the same qualifier after being added.
    std::unique_ptr<ZComParam> clone(param->Clone());
    // A new clone cannot be held already: no search among the parameters.
    if (Insert(clone.get(), false, nullptr)) clone.release();
  }
}

ZComParamCollection::ZSpareEntries::ZSpareEntries() = default;

ZComParamCollection::ZSpareEntries::~ZSpareEntries() = default;

void ZComParamCollection::ZSpareEntries::Keep(ZComParamList& list,
                                              ZComParamList::iterator position) {
  m_listEntries.splice(m_listEntries.end(), list, position);
}

ZComParamConfiguration::ZComParamConfiguration(const wchar_t* interfaceQualifier)
    : m_interfaceQualifier(Diag::NonNull(interfaceQualifier)) {}

ZComParamConfiguration::ZComParamConfiguration(const ZComParamConfiguration& other) = default;

ZComParamConfiguration& ZComParamConfiguration::operator=(const ZComParamConfiguration& other) =
    default;

ZComParamConfiguration::ZComParamConfiguration(ZComParamConfiguration&& other) noexcept = default;

ZComParamConfiguration& ZComParamConfiguration::operator=(ZComParamConfiguration&& other) noexcept =
    default;

ZComParamConfiguration::~ZComParamConfiguration() = default;

const wchar_t* ZComParamConfiguration::GetInterfaceQualifier() const {
  return m_interfaceQualifier.c_str();
}

ZComParamCollection& ZComParamConfiguration::GetComParamCollection() {
  return m_comParamCollection;
}

ZComParam* ZComParamConfiguration::AddComParam(const wchar_t* alias, const wchar_t* qualifier,
                                               const wchar_t* value, bool mayBeModified,
                                               bool isSimulated) {
  return AddCatalogueClone(
      m_comParamCollection, alias, qualifier, [value](ZComParam& param) { param.SetValue(value); },
      mayBeModified, isSimulated);
}

ZComParam* ZComParamConfiguration::AddComParam(const wchar_t* alias, const wchar_t* qualifier,
                                               unsigned value, bool mayBeModified,
                                               bool isSimulated) {
  return AddCatalogueClone(
      m_comParamCollection, alias, qualifier, [value](ZComParam& param) { param.SetValue(value); },
      mayBeModified, isSimulated);
}

}  // namespace NComParamMan
