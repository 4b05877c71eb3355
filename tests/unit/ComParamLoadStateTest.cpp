// Unit tests for comparam/ComParamLoadState.cpp
#include <comparam/ComParamLoadState.h>

#include <gtest/gtest.h>

#include <list>
#include <string>

#include "LogCapture.h"

using NComParamMan::ZComParamLoadState;
using NComParamMan::ZConfigStateReport;
using State = ZComParamLoadState::ZComParamState;

namespace {

const wchar_t kAllThirtyInOrder[] =
    L"AddrScheme, AddrSchemeFunc, AddressExtension, BaseAddress, Baudrate, Blocksize, "
    L"CanIdType, CanIdTypeFunc, DefaultTxPriority, EcuAddress, P2Client, P2ExClient, "
    L"P2ExServer, P2Server, P3ClientFunc, P3ClientPhys, ReqCanId, ReqCanIdFunc, ResCanId, "
    L"S3Client, S3Server, StMin, TesterAddress, TimeBr, TimeCs, TimeoutAr, TimeoutAs, "
    L"TimeoutBs, TimeoutCr, UudtResCanId, ";

std::list<std::wstring> AllThirty() {
  std::list<std::wstring> names;
  std::wstring rest = kAllThirtyInOrder;
  for (std::size_t comma; (comma = rest.find(L", ")) != std::wstring::npos;) {
    names.push_back(rest.substr(0, comma));
    rest.erase(0, comma + 2);
  }
  return names;
}

}  // namespace

// ---- ZComParamLoadState ----

TEST(ComParamLoadState, NewStateHasEmptyListsAndIsFound) {
  ZComParamLoadState s;
  EXPECT_STREQ(s.GetCsvFound(), L"");
  EXPECT_STREQ(s.GetCsvNotFound(), L"");
  EXPECT_STREQ(s.GetCsvDefaults(), L"");
  EXPECT_STREQ(s.GetCsvNotRelevant(), L"");
  EXPECT_EQ(s.GetOverallState(), ZComParamLoadState::CPS_Found);
  EXPECT_EQ(*s.GetComParamState(L"P2Client"), ZComParamLoadState::CPS_Undefined);
}

TEST(ComParamLoadState, TableHoldsExactlyTheThirtyQualifiersInCodeUnitOrder) {
  ZComParamLoadState s;
  EXPECT_TRUE(s.SetComParamState(AllThirty(), ZComParamLoadState::CPS_NotRelevant));
  EXPECT_STREQ(s.GetCsvNotRelevant(), kAllThirtyInOrder);
  EXPECT_EQ(AllThirty().size(), 30u);
  EXPECT_EQ(s.GetOverallState(), ZComParamLoadState::CPS_Found);
}

TEST(ComParamLoadState, ListsFollowTableOrderWithTrailingSeparator) {
  ZComParamLoadState s;
  EXPECT_TRUE(s.SetComParamState(std::wstring(L"P2Client"), ZComParamLoadState::CPS_DefaultUsed));
  EXPECT_TRUE(s.SetComParamState(std::wstring(L"Baudrate"), ZComParamLoadState::CPS_DefaultUsed));
  EXPECT_STREQ(s.GetCsvDefaults(), L"Baudrate, P2Client, ");
  EXPECT_STREQ(s.GetCsvDefaults(), L"Baudrate, P2Client, ");
  EXPECT_EQ(s.GetOverallState(), ZComParamLoadState::CPS_DefaultUsed);

  s.SetComParamState(std::wstring(L"StMin"), ZComParamLoadState::CPS_NotFound);
  EXPECT_EQ(s.GetOverallState(), ZComParamLoadState::CPS_NotFound);
  EXPECT_STREQ(s.GetCsvNotFound(), L"StMin, ");
  EXPECT_STREQ(s.GetCsvDefaults(), L"Baudrate, P2Client, ");

  s.SetComParamState(std::wstring(L"TimeBr"), ZComParamLoadState::CPS_Found);
  EXPECT_STREQ(s.GetCsvFound(), L"TimeBr, ");
}

TEST(ComParamLoadState, StateCanBeWrittenThroughThePointer) {
  ZComParamLoadState s;
  *s.GetComParamState(L"EcuAddress") = ZComParamLoadState::CPS_NotFound;
  EXPECT_STREQ(s.GetCsvNotFound(), L"EcuAddress, ");
}

TEST(ComParamLoadState, StateTexts) {
  ZComParamLoadState s;
  EXPECT_STREQ(s.GetComParamStateAsString(ZComParamLoadState::CPS_Found), L"found in tvd");
  EXPECT_STREQ(s.GetComParamStateAsString(ZComParamLoadState::CPS_NotFound), L"not found in tvd");
  EXPECT_STREQ(s.GetComParamStateAsString(ZComParamLoadState::CPS_DefaultUsed),
               L"default value used");
  EXPECT_STREQ(s.GetComParamStateAsString(ZComParamLoadState::CPS_NotRelevant), L"not relevant");
  EXPECT_STREQ(s.GetComParamStateAsString(ZComParamLoadState::CPS_Undefined), L"CPS_Undefined");
  EXPECT_STREQ(s.GetComParamStateAsString(static_cast<State>(7)), L"CPS_Undefined");
}

TEST(ComParamLoadState, UnknownQualifierFailsCheckFalse) {
  ZComParamLoadState s;
  for (const wchar_t* unknown : {L"P3Server", L"BusType", L"p2client", L""}) {
    ExpectInternalCheck(
        [&] { s.SetComParamState(std::wstring(unknown), ZComParamLoadState::CPS_Found); }, L"false",
        "ComParamLoadState.cpp");
    ExpectInternalCheck([&] { s.GetComParamState(unknown); }, L"false", "ComParamLoadState.cpp");
  }
  ExpectInternalCheck([&] { s.GetComParamState(nullptr); }, L"false", "ComParamLoadState.cpp");
  EXPECT_STREQ(s.GetCsvFound(), L"");
}

TEST(ComParamLoadState, ListFormStopsAtFirstUnknownQualifier) {
  ZComParamLoadState s;
  ExpectInternalCheck(
      [&] {
        s.SetComParamState(std::list<std::wstring>{L"P2Client", L"P3Server", L"StMin"},
                           ZComParamLoadState::CPS_NotFound);
      },
      L"false", "ComParamLoadState.cpp");
  EXPECT_EQ(*s.GetComParamState(L"P2Client"), ZComParamLoadState::CPS_NotFound);
  EXPECT_EQ(*s.GetComParamState(L"StMin"), ZComParamLoadState::CPS_Undefined);
}

TEST(ComParamLoadState, CopiesAreDeep) {
  ZComParamLoadState original;
  original.SetComParamState(std::wstring(L"S3Client"), ZComParamLoadState::CPS_Found);
  ZComParamLoadState copy(original);
  ZComParamLoadState assigned;
  assigned = original;
  copy.SetComParamState(std::wstring(L"S3Server"), ZComParamLoadState::CPS_Found);
  assigned.SetComParamState(std::wstring(L"S3Client"), ZComParamLoadState::CPS_NotFound);
  EXPECT_STREQ(original.GetCsvFound(), L"S3Client, ");
  EXPECT_STREQ(copy.GetCsvFound(), L"S3Client, S3Server, ");
  EXPECT_STREQ(assigned.GetCsvNotFound(), L"S3Client, ");

  ZComParamLoadState& same = original;
  original = same;
  EXPECT_STREQ(original.GetCsvFound(), L"S3Client, ");
}

// ---- ZConfigStateReport ----

TEST(ConfigStateReport, NewReportIsOkAndEmpty) {
  ZConfigStateReport r;
  EXPECT_TRUE(r.IsOk());
  EXPECT_STREQ(r.GetErrorMessage(), L"");
}

TEST(ConfigStateReport, MessagesAccumulateEachWithALineEnd) {
  ZConfigStateReport r;
  r.AppendErrorMsg(L"a");
  r.AppendErrorMsg(L"b");
  EXPECT_FALSE(r.IsOk());
  EXPECT_STREQ(r.GetErrorMessage(), L"a\nb\n");
  r.AppendErrorMsg(nullptr);
  EXPECT_STREQ(r.GetErrorMessage(), L"a\nb\n\n");
}

TEST(ConfigStateReport, EmptyMessageStillMakesTheReportNotOk) {
  ZConfigStateReport r;
  r.AppendErrorMsg(L"");
  EXPECT_FALSE(r.IsOk());
  EXPECT_STREQ(r.GetErrorMessage(), L"\n");
}

TEST(ConfigStateReport, CopiesCarryTextAndFlagAndAppendAfterIt) {
  ZConfigStateReport source;
  source.AppendErrorMsg(L"a");
  source.AppendErrorMsg(L"b");
  ZConfigStateReport copy(source);
  ZConfigStateReport assigned;
  assigned.AppendErrorMsg(L"old text that is longer");
  assigned = source;
  for (ZConfigStateReport* r : {&copy, &assigned}) {
    EXPECT_FALSE(r->IsOk());
    EXPECT_STREQ(r->GetErrorMessage(), L"a\nb\n");
    r->AppendErrorMsg(L"c");
    EXPECT_STREQ(r->GetErrorMessage(), L"a\nb\nc\n");
  }
  EXPECT_STREQ(source.GetErrorMessage(), L"a\nb\n");

  ZConfigStateReport ok;
  assigned = ok;
  EXPECT_TRUE(assigned.IsOk());
  EXPECT_STREQ(assigned.GetErrorMessage(), L"");

  ZConfigStateReport& same = source;
  source = same;
  EXPECT_STREQ(source.GetErrorMessage(), L"a\nb\n");
}
