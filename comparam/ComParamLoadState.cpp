#include <comparam/ComParamLoadState.h>

#include "Vocabulary.h"

#include <Util/Diagnostics.h>

namespace NComParamMan {

namespace {

// The parameters whose load state the application tracks.
const wchar_t* const kTrackedQualifiers[] = {
    Vocab::kAddrScheme,   Vocab::kAddrSchemeFunc, Vocab::kAddressExtension,
    Vocab::kBaseAddress,  Vocab::kBaudrate,       Vocab::kBlocksize,
    Vocab::kCanIdType,    Vocab::kCanIdTypeFunc,  Vocab::kDefaultTxPriority,
    Vocab::kEcuAddress,   Vocab::kP2Client,       Vocab::kP2ExClient,
    Vocab::kP2ExServer,   Vocab::kP2Server,       Vocab::kP3ClientFunc,
    Vocab::kP3ClientPhys, Vocab::kReqCanId,       Vocab::kReqCanIdFunc,
    Vocab::kResCanId,     Vocab::kS3Client,       Vocab::kS3Server,
    Vocab::kStMin,        Vocab::kTesterAddress,  Vocab::kTimeBr,
    Vocab::kTimeCs,       Vocab::kTimeoutAr,      Vocab::kTimeoutAs,
    Vocab::kTimeoutBs,    Vocab::kTimeoutCr,      Vocab::kUudtResCanId,
};

const wchar_t* StateText(ZComParamLoadState::ZComParamState state) {
  switch (state) {
    case ZComParamLoadState::CPS_Found: return L"found in tvd";
    case ZComParamLoadState::CPS_NotFound: return L"not found in tvd";
    case ZComParamLoadState::CPS_DefaultUsed: return L"default value used";
    case ZComParamLoadState::CPS_NotRelevant: return L"not relevant";
    default: return L"CPS_Undefined";
  }
}

}  // namespace

// ---- ZComParamLoadState ----

ZComParamLoadState::ZComParamLoadState() {
  for (const wchar_t* qualifier : kTrackedQualifiers) m_states[qualifier] = CPS_Undefined;
}

ZComParamLoadState::ZComParamLoadState(const ZComParamLoadState& other) = default;
ZComParamLoadState& ZComParamLoadState::operator=(const ZComParamLoadState& other) = default;
ZComParamLoadState::~ZComParamLoadState() = default;

ZComParamLoadState::ZComParamState* ZComParamLoadState::GetComParamState(const wchar_t* qualifier) {
  const auto it = m_states.find(Diag::NonNull(qualifier));
  COMPARAM_CHECK(it != m_states.end(), L"false");
  return &it->second;
}

bool ZComParamLoadState::SetComParamState(const std::wstring& qualifier, ZComParamState state) {
  *GetComParamState(qualifier.c_str()) = state;
  return true;
}

bool ZComParamLoadState::SetComParamState(const std::list<std::wstring>& qualifiers,
                                          ZComParamState state) {
  for (const std::wstring& qualifier : qualifiers) SetComParamState(qualifier, state);
  return true;
}

const wchar_t* ZComParamLoadState::GetComParamStateAsString(ZComParamState state) const {
  m_stateText = StateText(state);
  return m_stateText.c_str();
}

void ZComParamLoadState::ListQualifiersIn(ZComParamState state, std::wstring& list) const {
  list.clear();
  for (const auto& entry : m_states) {
    if (entry.second == state) list.append(entry.first).append(L", ");
  }
}

const wchar_t* ZComParamLoadState::GetCsvFound() const {
  ListQualifiersIn(CPS_Found, m_csvFound);
  return m_csvFound.c_str();
}

const wchar_t* ZComParamLoadState::GetCsvNotFound() const {
  ListQualifiersIn(CPS_NotFound, m_csvNotFound);
  return m_csvNotFound.c_str();
}

const wchar_t* ZComParamLoadState::GetCsvDefaults() const {
  ListQualifiersIn(CPS_DefaultUsed, m_csvDefaults);
  return m_csvDefaults.c_str();
}

const wchar_t* ZComParamLoadState::GetCsvNotRelevant() const {
  ListQualifiersIn(CPS_NotRelevant, m_csvNotRelevant);
  return m_csvNotRelevant.c_str();
}

// Undecided and not relevant parameters do not count against the interface.
ZComParamLoadState::ZComParamState ZComParamLoadState::GetOverallState() const {
  if (*GetCsvNotFound() != L'\0') return CPS_NotFound;
  if (*GetCsvDefaults() != L'\0') return CPS_DefaultUsed;
  return CPS_Found;
}

// ---- ZConfigStateReport ----

ZConfigStateReport::ZConfigStateReport() : m_hasErrors(false) {}

ZConfigStateReport::ZConfigStateReport(const ZConfigStateReport& other)
    : m_hasErrors(other.m_hasErrors) {
  m_errorStream << other.m_errorStream.str();
}

ZConfigStateReport& ZConfigStateReport::operator=(const ZConfigStateReport& other) {
  if (this != &other) {
    // str(text) would leave the write position at the start; later appends
    // must go after the copied text.
    m_errorStream.str(std::wstring());
    m_errorStream << other.m_errorStream.str();
    m_hasErrors = other.m_hasErrors;
  }
  return *this;
}

ZConfigStateReport::~ZConfigStateReport() = default;

void ZConfigStateReport::AppendErrorMsg(const wchar_t* text) {
  m_hasErrors = true;
  m_errorStream << Diag::NonNull(text) << L'\n';
}

bool ZConfigStateReport::IsOk() const { return !m_hasErrors; }

const wchar_t* ZConfigStateReport::GetErrorMessage() const {
  m_errorMessage = m_errorStream.str();
  return m_errorMessage.c_str();
}

}  // namespace NComParamMan
