// The document-side view of the communication parameters of one interface.
#pragma once

#include "TlvComParam.h"

#include <pelka/EcuDoc.h>

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace NComParamMan {

// One ZTlvComParam per communication-parameter attribute of the interface, in document order,
// indexed by qualifier. Built for one conversion; owns its parameter views.
class ZTlvComInterface {
 public:
  using Iterator = std::vector<ZTlvComParam*>::const_iterator;

  // Collects the views. Throws ZComParamException for a null document or a broken attribute.
  ZTlvComInterface(Pelka::ZEcuDoc* pEcuDoc, const wchar_t* interfaceQualifier);
  virtual ~ZTlvComInterface();
  ZTlvComInterface(const ZTlvComInterface&) = delete;
  ZTlvComInterface& operator=(const ZTlvComInterface&) = delete;

  // The views in document order.
  Iterator Begin() const;
  Iterator End() const;
  // The first view in document order with exactly that qualifier, or null.
  ZTlvComParam* FindByQualifier(const wchar_t* qualifier) const;
  // Every view's PrintOn, one per line, in document order.
  void PrintOn(std::wostream& stream) const;

 private:
  void Collect();
  void DeleteViews();

  Pelka::ZEcuDoc* m_pEcuDoc;
  std::wstring m_interfaceQualifier;
  std::vector<ZTlvComParam*> m_comParams;
  // Keys view the qualifiers the views own, so indexing copies no text.
  std::map<std::wstring_view, ZTlvComParam*> m_qualifier2comParam;
};

}  // namespace NComParamMan
