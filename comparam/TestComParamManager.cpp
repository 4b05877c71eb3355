#include "TestComParamManager.h"

#include "Vocabulary.h"

#include <Util/Diagnostics.h>

#include <comparam/ComParamManager.h>

#include <pelka/Attributable.h>
#include <pelka/EcuDoc.h>

#include <cstddef>
#include <cwchar>
#include <iterator>
#include <set>
#include <string>

namespace NComParamTest {

namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZComParamCollection;
using NComParamMan::ZComParamConfiguration;
using NComParamMan::ZComParamManager;
namespace Vocab = NComParamMan::Vocab;

constexpr const wchar_t* kInterfaceCategory = L"COM.INTERFACES";
constexpr const wchar_t* kZero = L"0";

bool SameText(const wchar_t* left, const wchar_t* right) { return std::wcscmp(left, right) == 0; }

// What sub-test 1 writes into a parameter.
const wchar_t* ModifiedValueOf(const ZComParam& param) {
  return SameText(param.GetQualifier(), Vocab::kAddrScheme) ? Vocab::kExtended : kZero;
}

// Sub-test 0: the conversion alone.
bool ConvertInterface(ZComParamManager& manager, const wchar_t* interfaceQualifier) {
  manager.TolvanToNormalized(interfaceQualifier);
  return true;
}

// Sub-test 1: writes modified values, reads them back, then restores the values as read.
// Only values read as valid are modified: the restoring write-back skips parameters without a
// valid value, so modifying one of those would destroy the document's value for good.
bool ModifyInterface(ZComParamManager& manager, const wchar_t* interfaceQualifier) {
  ZComParamConfiguration modified = manager.TolvanToNormalized(interfaceQualifier);
  ZComParamConfiguration original = manager.TolvanToNormalized(interfaceQualifier);
  std::set<std::wstring> modifiedQualifiers;
  const ZComParamCollection& toModify = modified.GetComParamCollection();
  for (auto it = toModify.Begin(); it != toModify.End(); ++it) {
    // Both reads are alike, so this flag is the one of the value as read.
    if (!it->HasValidValue()) continue;
    modifiedQualifiers.insert(it->GetQualifier());
    it->SetValue(ModifiedValueOf(*it));
  }
  manager.NormalizedToTolvan(modified);
  ZComParamConfiguration reread = manager.TolvanToNormalized(interfaceQualifier);
  const ZComParamCollection& written = reread.GetComParamCollection();
  for (auto it = written.Begin(); it != written.End(); ++it) {
    if (modifiedQualifiers.count(it->GetQualifier()) == 0) continue;
    const wchar_t* expected = ModifiedValueOf(*it);
    if (SameText(it->GetValue(), expected)) continue;
    COMPARAM_LOG(Logging::LevelError, L"ComParam '" << it->GetAlias()
                                                    << L"' was not correctly set to '" << expected
                                                    << L"'");
  }
  manager.NormalizedToTolvan(original);
  return true;
}

struct ZCombinationCase {
  const wchar_t* addrScheme;
  const wchar_t* canIdType;
  bool valid;
};

// Case n is at position n-1.
constexpr ZCombinationCase kCombinationCases[] = {
    {Vocab::kNormal, Vocab::k11Bit, true},       {Vocab::kNormal, Vocab::k29Bit, true},
    {Vocab::kNormal, Vocab::kJ1939, false},      {Vocab::kExtended, Vocab::k11Bit, true},
    {Vocab::kExtended, Vocab::k29Bit, true},     {Vocab::kExtended, Vocab::kJ1939, false},
    {Vocab::kMixed, Vocab::k11Bit, true},        {Vocab::kMixed, Vocab::k29Bit, false},
    {Vocab::kMixed, Vocab::kJ1939, true},        {Vocab::kNormalFixed, Vocab::k11Bit, false},
    {Vocab::kNormalFixed, Vocab::k29Bit, false}, {Vocab::kNormalFixed, Vocab::kJ1939, true},
};

// Sub-test 2: the validity rules over every combination; false after the first wrong verdict.
bool CheckInterface(ZComParamManager& manager, const wchar_t* interfaceQualifier) {
  ZComParamConfiguration configuration = manager.TolvanToNormalized(interfaceQualifier);
  const ZComParamCollection& params = configuration.GetComParamCollection();
  ZComParam* pAddrScheme = params.FindByQualifier(Vocab::kAddrScheme);
  ZComParam* pCanIdType = params.FindByQualifier(Vocab::kCanIdType);
  if (!pAddrScheme || !pCanIdType) return true;
  for (std::size_t n = 1; n <= std::size(kCombinationCases); ++n) {
    const ZCombinationCase& combination = kCombinationCases[n - 1];
    pAddrScheme->SetValue(combination.addrScheme);
    pCanIdType->SetValue(combination.canIdType);
    if (manager.CheckValidity(configuration).IsOk() != combination.valid) {
      COMPARAM_LOG(Logging::LevelError, L"(" << n << L") failed");
      return false;
    }
  }
  return true;
}

// One interface's part of a sub-test; false ends the sub-test.
using ZInterfaceTest = bool (*)(ZComParamManager& manager, const wchar_t* interfaceQualifier);

struct ZSubTest {
  const wchar_t* name;
  ZInterfaceTest perInterface;
};

// The position is the sub-test id.
constexpr ZSubTest kSubTests[] = {
    {L"FromTvdToComParamConfig", ConvertInterface},
    {L"ModifyComParams", ModifyInterface},
    {L"CheckValidity", CheckInterface},
};

constexpr unsigned int kSubTestCount = static_cast<unsigned int>(std::size(kSubTests));

void ForEachInterface(Pelka::ZEcuDoc& ecuDoc, ZComParamManager& manager, ZInterfaceTest test) {
  const Pelka::ZVirtualAttrView& attributes = ecuDoc.GetEcu().VirtualAttributes();
  for (auto it = attributes.Begin(); it != attributes.End(); ++it) {
    if (!SameText(it->GetCategory().GetQualifier(), kInterfaceCategory)) continue;
    const std::wstring interfaceQualifier = it->GetQualifier();
    COMPARAM_LOG(Logging::LevelProgress, L"Interface" << interfaceQualifier << L" found");
    if (!test(manager, interfaceQualifier.c_str())) return;
  }
}

}  // namespace

ZTestComParamManager::ZTestComParamManager(Pelka::ZEcuDoc& ecuDoc) : m_pEcuDoc(&ecuDoc) {
  m_name = L"ZComParamManager Test";
  for (unsigned int id = 0; id < kSubTestCount; ++id) AddSubTest(id, kSubTests[id].name);
}

ZTestComParamManager::~ZTestComParamManager() = default;

bool ZTestComParamManager::Setup() {
  m_pComParamManager = std::make_unique<ZComParamManager>(*m_pEcuDoc);
  return true;
}

bool ZTestComParamManager::DoTest(unsigned int subTestId) {
  if (subTestId >= kSubTestCount) return false;
  COMPARAM_CHECK(m_pComParamManager, L"m_pComParamManager");
  ForEachInterface(*m_pEcuDoc, *m_pComParamManager, kSubTests[subTestId].perInterface);
  return true;
}

bool ZTestComParamManager::TearDown() {
  m_pComParamManager.reset();
  return true;
}

}  // namespace NComParamTest
