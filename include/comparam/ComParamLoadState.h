// How each parameter fared when an interface was read, and the report of a validity check.
#pragma once

#include <comparam/Export.h>

#include <list>
#include <map>
#include <sstream>
#include <string>

namespace NComParamMan {

// Load state of a fixed table of normalized qualifiers; the text queries
// overwrite their own cached text on every call.
class COMPARAM_API ZComParamLoadState {
 public:
  enum ZComParamState {
    CPS_Found = 0,
    CPS_NotFound = 1,
    CPS_DefaultUsed = 2,
    CPS_NotRelevant = 3,
    CPS_Undefined = 4
  };

  // Every qualifier of the table starts as CPS_Undefined.
  ZComParamLoadState();
  ZComParamLoadState(const ZComParamLoadState& other);
  ZComParamLoadState& operator=(const ZComParamLoadState& other);
  ~ZComParamLoadState();

  // The stored state, writable through the pointer; throws for a qualifier outside the table.
  ZComParamState* GetComParamState(const wchar_t* qualifier);
  // Throws for a qualifier outside the table.
  bool SetComParamState(const std::wstring& qualifier, ZComParamState state);
  // In list order; the first qualifier outside the table throws, earlier ones stay changed.
  bool SetComParamState(const std::list<std::wstring>& qualifiers, ZComParamState state);

  const wchar_t* GetComParamStateAsString(ZComParamState state) const;
  // "Q1, Q2, " in table order; empty when no qualifier is in that state.
  const wchar_t* GetCsvFound() const;
  const wchar_t* GetCsvNotFound() const;
  const wchar_t* GetCsvDefaults() const;
  const wchar_t* GetCsvNotRelevant() const;
  // CPS_NotFound if any, else CPS_DefaultUsed if any, else CPS_Found.
  ZComParamState GetOverallState() const;

 private:
  void ListQualifiersIn(ZComParamState state, std::wstring& list) const;

  mutable std::wstring m_csvDefaults;
  mutable std::wstring m_csvFound;
  mutable std::wstring m_csvNotFound;
  mutable std::wstring m_csvNotRelevant;
  mutable std::wstring m_stateText;
  std::map<std::wstring, ZComParamState> m_states;
};

// Result of a validity check: ok until the first message is appended.
class COMPARAM_API ZConfigStateReport {
 public:
  ZConfigStateReport();
  ZConfigStateReport(const ZConfigStateReport& other);
  ZConfigStateReport& operator=(const ZConfigStateReport& other);
  ~ZConfigStateReport();

  // Appends the text and a line end; the report is not ok from then on.
  void AppendErrorMsg(const wchar_t* text);
  bool IsOk() const;
  // All appended messages in order, each ended by its line end.
  const wchar_t* GetErrorMessage() const;

 private:
  std::wostringstream m_errorStream;
  mutable std::wstring m_errorMessage;
  bool m_hasErrors;
};

}  // namespace NComParamMan
