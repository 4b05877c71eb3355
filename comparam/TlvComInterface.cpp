#include "TlvComInterface.h"

#include "DocumentParamNames.h"

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

// The index is the document parameters' sorted names without the later namesakes: the first of
// each name is the one read. A view's qualifier is its parameter's name.
void ZTlvComInterface::Collect(const wchar_t* interfaceQualifier) {
  const std::vector<ZDocumentParam> params =
      GetDocumentParams(*m_pEcuDoc, interfaceQualifier, m_index);
  m_comParams.reserve(params.size());
  for (const ZDocumentParam& param : params) {
    m_comParams.push_back(&m_views.emplace_back(*param.pAttribute));
  }
  const auto laterNamesake = [&params](const ZIndexEntry& entry) {
    return !params[entry.second].isRead;
  };
  m_index.erase(std::remove_if(m_index.begin(), m_index.end(), laterNamesake), m_index.end());
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
