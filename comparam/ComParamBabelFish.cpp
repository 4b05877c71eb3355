#include "ComParamBabelFish.h"

#include "Vocabulary.h"

#include <Util/Diagnostics.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <type_traits>

namespace NComParamMan {

namespace {

using namespace Vocab;

// Registered under their upper-case names only; the catalogue has no prototype for them.
constexpr const wchar_t* kFillerByteHandlingKey = L"FILLERBYTEHANDLING";
constexpr const wchar_t* kCanFrameFillerByteKey = L"CANFRAMEFILLERBYTE";
// Documents use it for both timeouts; the later registration (TimeoutAr) wins the lookup.
constexpr const wchar_t* kTimeoutAx = L"TIMEOUT_AX";

constexpr std::size_t kMaxQualifierAliases = 10;
constexpr std::size_t kMaxValueAliases = 5;

// Unused trailing entries are null, so every alias array ends with a null entry.
struct ZQualifierAliasRow {
  const wchar_t* normQualifier;
  const wchar_t* aliases[kMaxQualifierAliases + 1];
};

struct ZValueAliasRow {
  const wchar_t* normValue;
  const wchar_t* aliases[kMaxValueAliases + 1];
};

// Registered in this order; the order within a row is the order of preference.
constexpr ZQualifierAliasRow kQualifierAliases[] = {
    {kAddrScheme,
     {kAddrScheme, L"ADDRESSINGSCHEME", L"addrSchema", L"AddressingScheme", L"CanAddrScheme"}},
    {kCanIdType, {kCanIdType, L"CanId"}},
    {kBusType, {kBusType}},
    {kTransportProtocolType, {kTransportProtocolType}},
    {kAddrSchemeFunc, {kAddrSchemeFunc, L"AddressingSchemeFunc"}},
    {kCanIdTypeFunc, {kCanIdTypeFunc}},
    {kReqCanId,
     {L"ReqCanIdPhys", L"PHYSICALREQUESTCANID", kReqCanId, L"idPhysReq", L"USDT_REQ",
      L"CP_REQUEST_CANIDENTIFIER", L"ReqCanIdAllTgts", L"ECU_Diagnostic_Reception_ID", L"PhysReqId",
      L"idRequest"}},
    {kResCanId,
     {kResCanId, L"PhysicalResponseCANID", L"idPhysRes", L"USDT_RES", L"CP_RESPONSE_CANIDENTIFIER",
      L"PHYSICALRESPONSECANID", L"ECU_Diagnostic_Transmission_ID", L"PhysResId", L"idResponse"}},
    {kReqCanIdFunc,
     {kReqCanIdFunc, L"FunctionalRequestCANID", L"ALL_NODE_USDT_REQ",
      L"CP_FUNCTIONAL_REQUEST_CANIDENTIFIER", L"Functional_Diagnostic_Reception_ID", L"FuncCanId"}},
    {kUudtResCanId, {kUudtResCanId, L"UUDT_RES"}},
    {kEcuAddress,
     {kEcuAddress, L"EcuAddr", L"EcuPhysAddr", L"PhysEcuAddr", L"PhysEcuAddress", L"ecuAddr",
      L"EcuPhysicalAddress"}},
    {kTesterAddress, {kTesterAddress, L"TesterAddr", L"TesterPhysAddr"}},
    {kDefaultTesterAddress, {kDefaultTesterAddress, L"DefaultTesterAddr"}},
    {kBroadcastAddress,
     {kBroadcastAddress, L"broadcastAddr", L"BroadcastAddr", L"FuncAddress", L"FuncAddr",
      L"DIAG_ADDR"}},
    {kBaseAddress, {kBaseAddress}},
    {kAddressExtension, {kAddressExtension}},
    {kDefaultTxPriority, {kDefaultTxPriority, L"EcuTxPriority"}},
    {kDefaultTxPriorityFunc, {kDefaultTxPriorityFunc}},
    {kS3Client,
     {kS3Client, L"S3", L"P3Time", L"TIME_P3C", L"CP_R1_SUG", L"CP_P3_TIME_NEXTREQ_PHYS",
      L"CP_S3_TP_PHYS_TIMER", L"S3_Tester", L"S3Timeout"}},
    {kP2Client,
     {L"P2Timeout", kP2Client, L"TIMEOUT_P2CE", L"CP_P2_TIMEOUT", L"TTmoRxSlow", L"TtmoRxSlow",
      L"RESPONSETIMEOUT"}},
    {kP2ExClient,
     {L"P2ExTimeout", L"P2Star", L"P2StarClient", kP2ExClient, L"TIMEOUT_P2CE_ENH",
      L"TIMEOUT_P2CEENH", L"CP_P2_EXT_TIMEOUT_7F_78", L"RC78RESPONSETIMEOUT"}},
    {kS3Server, {kS3Server, L"S3_ECU"}},
    {kP2Server, {kP2Server, L"TIME_P2CE", L"P2_max", L"CP_P2_CAN_MAX"}},
    {kP2ExServer, {kP2ExServer, L"P2StarServer", L"TIME_P2CE_ENH", L"P2Ex_max"}},
    {kP3ClientPhys, {kP3ClientPhys, L"P3Client"}},
    {kP3ClientFunc, {kP3ClientFunc}},
    {kP3Server, {kP3Server}},
    {kStMin,
     {kStMin, L"CP_STMIN_SUG", L"STMin", kStMinDisplayName, L"Stmin", L"SEPARATIONTIMERESPONSE"}},
    {kBlocksize, {kBlocksize, L"BlockSize", L"CP_BLOCKSIZE_SUG", L"BLOCKSIZERESPONSE"}},
    {kTimeoutAs, {kTimeoutAs, L"As", L"timeoutAs", kTimeoutAx, L"N_As", L"TimeoutAsTester"}},
    {kTimeoutAr, {kTimeoutAr, L"Ar", L"timeoutAr", kTimeoutAx, L"N_Ar", L"TimeoutArTester"}},
    {kTimeoutBs, {kTimeoutBs, L"Bs", L"timeoutBs", L"TIMEOUT_BS", L"N_Bs", L"TimeoutBsTester"}},
    {kTimeBr, {kTimeBr, L"Br", L"timeBr", L"TIME_BR"}},
    {kTimeCs, {kTimeCs, L"Cs", L"timeCs", L"TIME_CS"}},
    {kTimeoutCr, {kTimeoutCr, L"Cr", L"timeoutCr", L"TIMEOUT_CR", L"N_Cr", L"TimeoutCrTester"}},
    {kMaxLengthTpMessage, {kMaxLengthTpMessage}},
    {kBaudrate, {kBaudrate, L"baudrate", L"CP_BAUDRATE", L"BusSpeed"}},
    {kFillerByteHandlingKey, {kFillerByteHandlingKey}},
    {kCanFrameFillerByteKey, {kCanFrameFillerByteKey}},
};

// The physical and the functional parameter of a pair share their value aliases.
constexpr ZValueAliasRow kAddrSchemeValueAliases[] = {
    {kNormal, {kNormal, L"normal"}},
    {kExtended, {kExtended, L"extended"}},
    {kNormalFixed, {kNormalFixed, L"normalfixed", L"normalFixed", L"Normal Fixed Addressing"}},
    {kMixed, {kMixed, L"mixed"}},
};

constexpr ZValueAliasRow kCanIdTypeValueAliases[] = {
    {k11Bit, {L"11-bit", k11Bit, L"11 bit", L"11 Bit", kNormal}},
    {k29Bit, {L"29-bit", k29Bit, L"29 bit", L"29 Bit", kExtended}},
    {kJ1939, {kJ1939}},
};

template <class Row, std::size_t N>
constexpr bool EveryRowEndsWithNull(const Row (&rows)[N]) {
  constexpr std::size_t last = std::extent_v<decltype(Row::aliases)> - 1;
  for (const Row& row : rows) {
    if (row.aliases[last]) return false;
  }
  return true;
}
static_assert(EveryRowEndsWithNull(kQualifierAliases) &&
                  EveryRowEndsWithNull(kAddrSchemeValueAliases) &&
                  EveryRowEndsWithNull(kCanIdTypeValueAliases),
              "an alias row needs room for its ending null entry");

struct ZValueAliasTable {
  const wchar_t* normQualifier;
  const ZValueAliasRow* rows;
  std::size_t rowCount;
};

constexpr ZValueAliasTable kValueAliases[] = {
    {kAddrScheme, kAddrSchemeValueAliases, std::size(kAddrSchemeValueAliases)},
    {kAddrSchemeFunc, kAddrSchemeValueAliases, std::size(kAddrSchemeValueAliases)},
    {kCanIdType, kCanIdTypeValueAliases, std::size(kCanIdTypeValueAliases)},
    {kCanIdTypeFunc, kCanIdTypeValueAliases, std::size(kCanIdTypeValueAliases)},
};

// Fixed ASCII mapping: every alias is ASCII, and the application's locale must not change keys.
std::wstring ToUpper(const wchar_t* text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper;
}

// Enters the upper-case form, then the alias as written, and lists them in that order.
template <class Enter>
ZComParamBabelFish::ZAliasList EnterAliases(const wchar_t* const* aliases, Enter enter) {
  ZComParamBabelFish::ZAliasList list;
  for (const wchar_t* const* alias = aliases; alias && *alias; ++alias) {
    list.push_back(ToUpper(*alias));
    enter(list.back());
    list.push_back(*alias);
    enter(list.back());
  }
  return list;
}

template <class Map, class Key>
const typename Map::mapped_type& FindOr(const Map& map, const Key& key,
                                        const typename Map::mapped_type& notFound) {
  const auto found = map.find(key);
  return found == map.end() ? notFound : found->second;
}

template <class Index, class Key>
const std::wstring& FindIndexedOr(const Index& index, const Key& key,
                                  const std::wstring& notFound) {
  const auto found = index.find(key);
  return found == index.end() ? notFound : *found->second;
}

std::pair<std::wstring_view, std::wstring_view> TextPair(const wchar_t* first,
                                                         const wchar_t* second) {
  return {Diag::NonNull(first), Diag::NonNull(second)};
}

}  // namespace

std::size_t ZComParamBabelFish::ZTextViewPairHash::operator()(const ZTextViewPair& texts) const {
  const ZTextHash hash;
  return hash(texts.first) * 31 + hash(texts.second);
}

ZComParamBabelFish::ZTables::ZTables(const ZTables& other)
    : m_normQual2aliases(other.m_normQual2aliases),
      m_alias2normQual(other.m_alias2normQual),
      m_normValue2aliases(other.m_normValue2aliases),
      m_valueAlias2normValue(other.m_valueAlias2normValue),
      m_valueAliasedQualifiers(other.m_valueAliasedQualifiers) {
  for (const auto& entry : m_alias2normQual) Index(entry);
  for (const auto& entry : m_valueAlias2normValue) Index(entry);
}

void ZComParamBabelFish::ZTables::Index(
    const std::pair<const std::wstring, std::wstring>& aliasEntry) {
  m_alias2normQualIndex[aliasEntry.first] = &aliasEntry.second;
}

void ZComParamBabelFish::ZTables::Index(
    const std::pair<const ZTextPair, std::wstring>& valueAliasEntry) {
  m_valueAlias2normValueIndex[{valueAliasEntry.first.first, valueAliasEntry.first.second}] =
      &valueAliasEntry.second;
}

// Every normalization pass builds a translator; the tables are built once and shared instead.
ZComParamBabelFish::ZComParamBabelFish() : m_pTables(BuiltInTables()) {}

ZComParamBabelFish::~ZComParamBabelFish() = default;

const std::shared_ptr<ZComParamBabelFish::ZTables>& ZComParamBabelFish::BuiltInTables() {
  static const std::shared_ptr<ZTables> builtIn = [] {
    auto pTables = std::make_shared<ZTables>();
    for (const ZValueAliasTable& table : kValueAliases) {
      for (std::size_t i = 0; i < table.rowCount; ++i) {
        AddValueAliasesTo(*pTables, table.normQualifier, table.rows[i].normValue,
                          table.rows[i].aliases);
      }
    }
    for (const ZQualifierAliasRow& row : kQualifierAliases) {
      AddAliasesTo(*pTables, row.normQualifier, row.aliases);
    }
    return pTables;
  }();
  return builtIn;
}

ZComParamBabelFish::ZTables& ZComParamBabelFish::OwnTables() {
  // The built-in tables always have the static reference too, so they are never changed.
  if (m_pTables.use_count() > 1) m_pTables = std::make_shared<ZTables>(*m_pTables);
  return *m_pTables;
}

void ZComParamBabelFish::AddAliases(const wchar_t* normQualifier, const wchar_t* const* aliases) {
  AddAliasesTo(OwnTables(), normQualifier, aliases);
}

void ZComParamBabelFish::AddValueAliases(const wchar_t* normQualifier, const wchar_t* normValue,
                                         const wchar_t* const* valueAliases) {
  AddValueAliasesTo(OwnTables(), normQualifier, normValue, valueAliases);
}

void ZComParamBabelFish::AddAliasesTo(ZTables& tables, const wchar_t* normQualifier,
                                      const wchar_t* const* aliases) {
  const std::wstring target = Diag::NonNull(normQualifier);
  tables.m_normQual2aliases[target] = EnterAliases(aliases, [&](const std::wstring& alias) {
    const auto entry = tables.m_alias2normQual.insert_or_assign(alias, target).first;
    tables.Index(*entry);
  });
}

void ZComParamBabelFish::AddValueAliasesTo(ZTables& tables, const wchar_t* normQualifier,
                                           const wchar_t* normValue,
                                           const wchar_t* const* valueAliases) {
  const std::wstring qualifier = Diag::NonNull(normQualifier);
  const std::wstring target = Diag::NonNull(normValue);
  std::vector<std::wstring>& aliased = tables.m_valueAliasedQualifiers;
  if (std::find(aliased.begin(), aliased.end(), qualifier) == aliased.end()) {
    aliased.push_back(qualifier);
  }
  tables.m_normValue2aliases[{qualifier, target}] =
      EnterAliases(valueAliases, [&](const std::wstring& alias) {
        const auto entry =
            tables.m_valueAlias2normValue.insert_or_assign(ZTextPair(qualifier, alias), target)
                .first;
        tables.Index(*entry);
      });
}

const std::wstring& ZComParamBabelFish::GetNormalizedQualifier(const wchar_t* alias) const {
  return FindIndexedOr(m_pTables->m_alias2normQualIndex, std::wstring_view(Diag::NonNull(alias)),
                       m_emptyString);
}

const std::wstring& ZComParamBabelFish::GetNormalizedValue(const wchar_t* normQualifier,
                                                           const wchar_t* valueAlias) const {
  const std::vector<std::wstring>& aliased = m_pTables->m_valueAliasedQualifiers;
  const std::wstring_view qualifier(Diag::NonNull(normQualifier));
  const auto isQualifier = [qualifier](const std::wstring& text) { return text == qualifier; };
  if (std::none_of(aliased.begin(), aliased.end(), isQualifier)) return m_emptyString;
  return FindIndexedOr(m_pTables->m_valueAlias2normValueIndex, TextPair(normQualifier, valueAlias),
                       m_emptyString);
}

const ZComParamBabelFish::ZAliasList& ZComParamBabelFish::GetAliases(
    const wchar_t* normQualifier) const {
  return FindOr(m_pTables->m_normQual2aliases, std::wstring_view(Diag::NonNull(normQualifier)),
                m_emptyAliasList);
}

const ZComParamBabelFish::ZAliasList& ZComParamBabelFish::GetValueAliases(
    const wchar_t* normQualifier, const wchar_t* normValue) const {
  return FindOr(m_pTables->m_normValue2aliases, TextPair(normQualifier, normValue),
                m_emptyAliasList);
}

}  // namespace NComParamMan
