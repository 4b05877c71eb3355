#include "TlvComInterface.h"

#include <Util/Diagnostics.h>
#include <comparam/DocumentParams.h>

#include <memory>

namespace NComParamMan {

ZTlvComInterface::ZTlvComInterface(Pelka::ZEcuDoc* pEcuDoc, const wchar_t* interfaceQualifier)
    : m_pEcuDoc(pEcuDoc), m_interfaceQualifier(Diag::NonNull(interfaceQualifier)) {
  COMPARAM_CHECK(m_pEcuDoc, L"m_pEcuDoc");
  try {
    Collect();
  } catch (...) {
    // The destructor does not run for a constructor that throws.
    DeleteViews();
    throw;
  }
}

ZTlvComInterface::~ZTlvComInterface() { DeleteViews(); }

void ZTlvComInterface::Collect() {
  for (const ZDocumentParam& param : GetDocumentParams(*m_pEcuDoc, m_interfaceQualifier.c_str())) {
    auto pNewView = std::make_unique<ZTlvComParam>(param.pAttribute->GetDefaultAttribute());
    m_comParams.push_back(pNewView.get());
    ZTlvComParam* pView = pNewView.release();
    if (param.isRead) m_qualifier2comParam.emplace(pView->GetQualifier(), pView);
  }
}

void ZTlvComInterface::DeleteViews() {
  for (ZTlvComParam* pView : m_comParams) delete pView;
  m_qualifier2comParam.clear();
  m_comParams.clear();
}

ZTlvComInterface::Iterator ZTlvComInterface::Begin() const { return m_comParams.begin(); }

ZTlvComInterface::Iterator ZTlvComInterface::End() const { return m_comParams.end(); }

ZTlvComParam* ZTlvComInterface::FindByQualifier(const wchar_t* qualifier) const {
  const auto found = m_qualifier2comParam.find(std::wstring_view(Diag::NonNull(qualifier)));
  return found != m_qualifier2comParam.end() ? found->second : nullptr;
}

void ZTlvComInterface::PrintOn(std::wostream& stream) const {
  for (const ZTlvComParam* pView : m_comParams) {
    pView->PrintOn(stream);
    stream << std::endl;
  }
}

}  // namespace NComParamMan
