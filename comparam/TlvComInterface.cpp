#include "TlvComInterface.h"

#include <Util/Diagnostics.h>

#include <attributes/AttributePredicate.h>
#include <attributes/GenericAttrFilter.h>

#include <algorithm>

namespace NComParamMan {

ZTlvComInterface::ZTlvComInterface(Pelka::ZEcuDoc* pEcuDoc, const wchar_t* interfaceQualifier)
    : m_pEcuDoc(pEcuDoc), m_interfaceQualifier(Diag::NonNull(interfaceQualifier)) {
  COMPARAM_CHECK(m_pEcuDoc, L"m_pEcuDoc");
  Collect();
  Index();
}

ZTlvComInterface::~ZTlvComInterface() = default;

void ZTlvComInterface::Collect() {
  Pelka::ZAttributable& ecu = m_pEcuDoc->GetEcu();
  NAttributes::ZGenericAttrFilter filter(ecu.VirtualAttributes());
  NAttributes::ZAttributePredicate4Interface predicate(*m_pEcuDoc, m_interfaceQualifier.c_str());
  for (auto it = filter.Begin(predicate); it != filter.End(); it = filter.FindNext(it)) {
    m_views.emplace_back(it->GetDefaultAttribute());
  }
  m_comParams.reserve(m_views.size());
  for (ZTlvComParam& view : m_views) m_comParams.push_back(&view);
}

void ZTlvComInterface::Index() {
  m_index.reserve(m_comParams.size());
  for (std::size_t position = 0; position < m_comParams.size(); ++position) {
    m_index.emplace_back(m_comParams[position]->GetQualifier(), position);
  }
  // The first view in document order keeps a qualifier that several attributes share.
  std::sort(m_index.begin(), m_index.end());
}

ZTlvComInterface::Iterator ZTlvComInterface::Begin() const { return m_comParams.begin(); }

ZTlvComInterface::Iterator ZTlvComInterface::End() const { return m_comParams.end(); }

ZTlvComParam* ZTlvComInterface::FindByQualifier(const wchar_t* qualifier) const {
  const std::wstring_view key(Diag::NonNull(qualifier));
  const auto found = std::lower_bound(m_index.begin(), m_index.end(), ZIndexEntry(key, 0));
  return found != m_index.end() && found->first == key ? m_comParams[found->second] : nullptr;
}

void ZTlvComInterface::PrintOn(std::wostream& stream) const {
  for (const ZTlvComParam* pView : m_comParams) {
    pView->PrintOn(stream);
    stream << std::endl;
  }
}

}  // namespace NComParamMan
