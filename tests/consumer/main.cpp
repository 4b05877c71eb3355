// Uses only the installed headers and the ComParam::comparam target: the document model's
// headers and libraries must come with it.
#include <comparam/ComParamMan.h>
#include <logging/Logging.h>
#include <pelka/Pelka.h>

#include <cstring>
#include <iostream>

namespace {

const char kDocument[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ecudoc>
  <attributes>
    <attribute kind="string" qualifier="CAN_1" category="COM.INTERFACES" value="CAN 1"/>
    <attribute kind="unsigned" qualifier="CP.P2Timeout" category="CP.TIMING" value="50">
      <member interface="CAN_1"/>
    </attribute>
  </attributes>
</ecudoc>
)";

}  // namespace

int main() {
  Logging::Initialize([](const char*, unsigned long, unsigned long, int, const wchar_t*) {});
  NComParamMan::ZUnsignedComParam param(L"a", L"d", false, true, L"n", L"p", L"q", 0, 10, 9);
  bool ok = param.GetValueAsUnsigned() == 9 && !param.SetValue(11u);
  try {
    auto doc = Pelka::ParseEcuDoc(kDocument, std::strlen(kDocument), "consumer");
    NComParamMan::ZComParamManager manager(*doc);
    NComParamMan::ZComParamConfiguration config = manager.TolvanToNormalized(L"CAN_1");
    const NComParamMan::ZComParam* p2 = config.GetComParamCollection().FindByQualifier(L"P2Client");
    ok = ok && p2 != nullptr && p2->GetValueAsUnsigned() == 50;
  } catch (const Pelka::ZDocFileError& e) {
    std::cerr << e.what() << std::endl;
    ok = false;
  }
  Logging::Shutdown();
  std::cout << (ok ? "consumer ok" : "consumer FAILED") << std::endl;
  return ok ? 0 : 1;
}
