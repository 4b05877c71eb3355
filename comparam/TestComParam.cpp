#include "TestComParam.h"

#include <comparam/StringComParam.h>
#include <comparam/UnsignedComParam.h>

#include <cstddef>
#include <cwchar>
#include <initializer_list>
#include <iterator>

namespace NComParamTest {

namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZStringComParam;
using NComParamMan::ZUnsignedComParam;
using NComParamMan::ZValidValueSet;

void Require(bool condition, const wchar_t* failureMessage) {
  if (!condition) throw ZTestError(failureMessage);
}

bool SameText(const wchar_t* left, const wchar_t* right) { return std::wcscmp(left, right) == 0; }

ZValidValueSet ValidValues(std::initializer_list<const wchar_t*> values) {
  ZValidValueSet set;
  for (const wchar_t* value : values) set.AddValidValue(value);
  return set;
}

// The standard test parameter: range 0 to 10, value 9.
ZUnsignedComParam StandardParam(bool isSimulated = false, bool mayBeModified = true) {
  return ZUnsignedComParam(L"testParamAlias", L"testParamDesc", isSimulated, mayBeModified,
                           L"testParamName", L"testParamPath", L"testParamQual", 0, 10, 9);
}

ZStringComParam RestrictedTextParam(const wchar_t* value) {
  return ZStringComParam(L"testParamAlias2", L"testParamDesc2", false, true, L"testParamName2",
                         L"testParamPath2", L"testParamQual2",
                         ValidValues({L"testVal", L"testVal1", L"testVal2"}), value);
}

using ZTextGetter = const wchar_t* (ZComParam::*)() const;
using ZTextSetter = void (ZComParam::*)(const wchar_t*);
using ZFlagGetter = bool (ZComParam::*)() const;
using ZFlagSetter = void (ZComParam::*)(bool);

void CheckTextProperty(ZTextGetter get, ZTextSetter set, const wchar_t* built,
                       const wchar_t* changed, const wchar_t* setFailure) {
  ZUnsignedComParam param = StandardParam();
  Require(SameText((param.*get)(), built), L"(1)Constructor");
  (param.*set)(changed);
  Require(SameText((param.*get)(), changed), setFailure);
}

void CheckFlagProperty(ZUnsignedComParam param, ZFlagGetter get, ZFlagSetter set, bool built) {
  Require((param.*get)() == built, L"(1)Constructor");
  (param.*set)(!built);
  Require((param.*get)() == !built, L"(2)Set failed");
}

void TestSetValue() {
  ZUnsignedComParam number = StandardParam();
  Require(number.GetValueAsUnsigned() == 9, L"(0)UInt Constructor");
  number.SetValue(3u);
  Require(number.GetValueAsUnsigned() == 3, L"(1)UInt SetValue(unsigned) failed");
  number.SetValue(L"10");
  Require(SameText(number.GetValue(), L"10"), L"(2)UInt SetValue(string)failed");
  ZStringComParam text = RestrictedTextParam(L"testVal");
  Require(SameText(text.GetValue(), L"testVal"), L"(3)String Constructor");
  text.SetValue(L"testVal1");
  Require(SameText(text.GetValue(), L"testVal1"), L"(4)String SetValue(string)failed");
}

// The failure text after the setter is "(1)Set failed" here, unlike the other properties.
void TestSetAlias() {
  CheckTextProperty(&ZComParam::GetAlias, &ZComParam::SetAlias, L"testParamAlias", L"newAlias",
                    L"(1)Set failed");
}

void TestSetDescription() {
  CheckTextProperty(&ZComParam::GetDescription, &ZComParam::SetDescription, L"testParamDesc",
                    L"newDesc", L"(2)Set failed");
}

void TestSetIsSimulated() {
  CheckFlagProperty(StandardParam(true), &ZComParam::GetIsSimulated, &ZComParam::SetIsSimulated,
                    true);
}

void TestSetMayBeModified() {
  CheckFlagProperty(StandardParam(true, false), &ZComParam::GetMayBeModified,
                    &ZComParam::SetMayBeModified, false);
}

void TestSetName() {
  CheckTextProperty(&ZComParam::GetName, &ZComParam::SetName, L"testParamName", L"newName",
                    L"(2)Set failed");
}

void TestSetQualifier() {
  CheckTextProperty(&ZComParam::GetQualifier, &ZComParam::SetQualifier, L"testParamQual",
                    L"newQualifier", L"(2)Set failed");
}

void TestSetStartRange() {
  Require(StandardParam().GetStartRangeAsUnsigned() == 0, L"(1)Constructor");
}

void TestSetStopRange() {
  Require(StandardParam().GetStopRangeAsUnsigned() == 10, L"(1)Constructor");
}

void TestValidRange() {
  Require(!StandardParam().SetValue(11u), L"(3)UInt SetValue(unsigned) range check failed");
}

void TestValidValues() {
  ZUnsignedComParam number(L"testParamAlias", L"testParamDesc", false, true, L"testParamName",
                           L"testParamPath", L"testParamQual", ValidValues({L"0", L"1", L"2"}), 9);
  Require(!number.SetValue(L"4"), L"(1) Unsigned SetValue(string) valid value restriction failed");
  Require(!RestrictedTextParam(L"9").SetValue(L"notAcceptable"),
          L"(2) String SetValue(string) valid value restriction failed");
}

struct ZSubTest {
  const wchar_t* name;
  void (*run)();
};

// The position is the sub-test id.
constexpr ZSubTest kSubTests[] = {
    {L"SetValue", TestSetValue},
    {L"SetAlias", TestSetAlias},
    {L"SetDescription", TestSetDescription},
    {L"SetIsSimulated", TestSetIsSimulated},
    {L"SetMayBeModified", TestSetMayBeModified},
    {L"SetName", TestSetName},
    {L"SetQualifier", TestSetQualifier},
    {L"TestSetStartRange", TestSetStartRange},
    {L"TestSetStopRange", TestSetStopRange},
    {L"TestValidRange", TestValidRange},
    {L"TestValidValues", TestValidValues},
};

constexpr unsigned int kSubTestCount = static_cast<unsigned int>(std::size(kSubTests));

}  // namespace

ZTestComParam::ZTestComParam() {
  m_name = L"ZComParam Test";
  for (unsigned int id = 0; id < kSubTestCount; ++id) AddSubTest(id, kSubTests[id].name);
}

bool ZTestComParam::DoTest(unsigned int subTestId) {
  if (subTestId >= kSubTestCount) return false;
  kSubTests[subTestId].run();
  return true;
}

}  // namespace NComParamTest
