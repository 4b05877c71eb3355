#include "TlvComInterface.h"

#include <Util/Diagnostics.h>
#include <comparam/DocumentParams.h>

#include <algorithm>

namespace NComParamMan {

ZTlvComInterface::ZTlvComInterface(Pelka::ZEcuDoc* pEcuDoc, const wchar_t* interfaceQualifier)
    : m_pEcuDoc(pEcuDoc) {
  COMPARAM_CHECK(m_pEcuDoc, L"m_pEcuDoc");
  Collect(interfaceQualifier);
}

ZTlvComInterface::~ZTlvComInterface() = default;

void ZTlvComInterface::Collect(const wchar_t* interfaceQualifier) {
  const std::vector<ZDocumentParam> params = GetDocumentParams(*m_pEcuDoc, interfaceQualifier);
  m_comParams.reserve(params.size());
  m_index.reserve(params.size());
  for (const ZDocumentParam& param : params) {
    ZTlvComParam& view = m_views.emplace_back(param.pAttribute->GetDefaultAttribute());
    if (param.isRead) m_index.emplace_back(view.GetQualifier(), m_comParams.size());
    m_comParams.push_back(&view);
  }
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
