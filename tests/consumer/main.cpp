// Uses only the installed headers and the ComParam::comparam target.
#include <comparam/ComParamMan.h>
#include <logging/Logging.h>

#include <iostream>

int main() {
  Logging::Initialize([](const char*, unsigned long, unsigned long, int, const wchar_t*) {});
  NComParamMan::ZUnsignedComParam param(L"a", L"d", false, true, L"n", L"p", L"q", 0, 10, 9);
  const bool ok = param.GetValueAsUnsigned() == 9 && !param.SetValue(11u);
  Logging::Shutdown();
  std::cout << (ok ? "consumer ok" : "consumer FAILED") << std::endl;
  return ok ? 0 : 1;
}
