#pragma once

#include <comparam/Export.h>

namespace NComParamMan {

// The library's only exception; the reason is logged just before the throw.
class COMPARAM_API ZComParamException {
 public:
  explicit ZComParamException(int code) : m_code(code) {}
  int GetCode() const { return m_code; }

 private:
  int m_code;
};

}  // namespace NComParamMan
