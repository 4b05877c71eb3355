// The document-side view of the communication parameters of one interface.
#pragma once

#include "TlvComParam.h"

#include <pelka/EcuDoc.h>

#include <deque>
#include <ostream>
#include <string_view>
#include <utility>
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
  using ZIndexEntry = std::pair<std::wstring_view, std::size_t>;

  void Collect(const wchar_t* interfaceQualifier);

  Pelka::ZEcuDoc* m_pEcuDoc;
  // A deque keeps its elements in place and allocates them in blocks, not one by one.
  std::deque<ZTlvComParam> m_views;
  std::vector<ZTlvComParam*> m_comParams;
  // The views a reading takes, sorted by qualifier; keys view the attributes' qualifiers.
  std::vector<ZIndexEntry> m_index;
};

}  // namespace NComParamMan
