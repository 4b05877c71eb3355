// Unit tests for comparam/ComParam.cpp
#include <comparam/ComParam.h>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <sstream>
#include <string>

#include "LogCapture.h"

using NComParamMan::ZComParam;
using NComParamMan::ZValidValueSet;

namespace {

// The smallest concrete parameter: it permits exactly the texts of its set (any
// text while the set is empty) and opens the protected helpers to the tests.
class ProbeParam : public ZComParam {
 public:
  using ZComParam::Initialize;
  using ZComParam::RetrieveUnsigned;
  using ZComParam::ZComParam;

  ZComParam* Clone() const override { return new ProbeParam(*this); }
  unsigned GetValueAsUnsigned() const override { return 0; }
  unsigned GetStartRangeAsUnsigned() const override { return 0; }
  unsigned GetStopRangeAsUnsigned() const override { return 0; }
  bool SetValue(unsigned) override { return false; }
  using ZComParam::SetValue;
  bool IsValidValue(const wchar_t* value) const override {
    return m_validValues.IsEmpty() || m_validValues.Contains(value);
  }

 protected:
  void SetStartRange(unsigned) override {}
  void SetStartRange(const wchar_t*) override {}
  void SetStopRange(unsigned) override {}
  void SetStopRange(const wchar_t*) override {}
};

ZValidValueSet Set(std::initializer_list<const wchar_t*> values) {
  ZValidValueSet set;
  for (const wchar_t* v : values) set.AddValidValue(v);
  return set;
}

ProbeParam MakeValueParam(const wchar_t* value) {
  return ProbeParam(L"alias", L"desc", false, true, L"name", L"path", L"qual", L"1", L"9",
                    ZComParam::CPTUnsigned, value);
}

}  // namespace

// ---- ZValidValueSet ----

TEST(ValidValueSet, NewSetIsEmptyAndContainsNothing) {
  ZValidValueSet set;
  EXPECT_TRUE(set.IsEmpty());
  EXPECT_FALSE(set.Contains(L""));
}

TEST(ValidValueSet, AddingTwiceKeepsOneAndContainsIsCaseSensitive) {
  ZValidValueSet set = Set({L"Normal", L"Normal"});
  EXPECT_FALSE(set.IsEmpty());
  EXPECT_TRUE(set.Contains(L"Normal"));
  EXPECT_FALSE(set.Contains(L"normal"));
  EXPECT_FALSE(set.Contains(L"Normal "));
}

TEST(ValidValueSet, ListsEveryValueOnceInCodeUnitOrder) {
  ZValidValueSet set = Set({L"Normal", L"Extended", L"Normal", L"NormalFixed", L"Mixed"});
  EXPECT_EQ(set.GetValues(),
            (std::set<std::wstring>{L"Extended", L"Mixed", L"Normal", L"NormalFixed"}));
  EXPECT_EQ(*set.GetValues().begin(), L"Extended");
}

TEST(ValidValueSet, CopiesAreIndependent) {
  ZValidValueSet original = Set({L"a"});
  ZValidValueSet copy(original);
  copy.AddValidValue(L"b");
  ZValidValueSet assigned;
  assigned = original;
  assigned.AddValidValue(L"c");
  EXPECT_TRUE(copy.Contains(L"a"));
  EXPECT_TRUE(assigned.Contains(L"a"));
  EXPECT_FALSE(original.Contains(L"b"));
  EXPECT_FALSE(original.Contains(L"c"));
}

TEST(ValidValueSet, SelfAssignmentKeepsElements) {
  ZValidValueSet set = Set({L"x"});
  ZValidValueSet& same = set;
  set = same;
  EXPECT_TRUE(set.Contains(L"x"));
}

TEST(ValidValueSet, NullTextReadsAsEmptyText) {
  ZValidValueSet set;
  EXPECT_FALSE(set.Contains(nullptr));
  set.AddValidValue(nullptr);
  EXPECT_TRUE(set.Contains(L""));
  EXPECT_TRUE(set.Contains(nullptr));
}

// ---- Construction ----

TEST(ComParam, DefaultStateIsInvalidTextWithBothFlagsSet) {
  ProbeParam p;
  EXPECT_FALSE(p.HasValidValue());
  EXPECT_TRUE(p.GetIsSimulated());
  EXPECT_TRUE(p.GetMayBeModified());
  EXPECT_EQ(p.GetValueType(), ZComParam::CPTString);
  for (const wchar_t* text :
       {p.GetAlias(), p.GetDescription(), p.GetName(), p.GetPath(), p.GetQualifier(), p.GetValue(),
        p.GetStartRange(), p.GetStopRange()}) {
    EXPECT_STREQ(text, L"");
  }
}

TEST(ComParam, ValueConstructorStoresEveryArgumentUntested) {
  ProbeParam p = MakeValueParam(L"v");
  EXPECT_STREQ(p.GetAlias(), L"alias");
  EXPECT_STREQ(p.GetDescription(), L"desc");
  EXPECT_FALSE(p.GetIsSimulated());
  EXPECT_TRUE(p.GetMayBeModified());
  EXPECT_STREQ(p.GetName(), L"name");
  EXPECT_STREQ(p.GetPath(), L"path");
  EXPECT_STREQ(p.GetQualifier(), L"qual");
  EXPECT_STREQ(p.GetStartRange(), L"1");
  EXPECT_STREQ(p.GetStopRange(), L"9");
  EXPECT_EQ(p.GetValueType(), ZComParam::CPTUnsigned);
  EXPECT_STREQ(p.GetValue(), L"v");
  // Nothing has been checked yet: the concrete kinds decide the flag.
  EXPECT_FALSE(p.HasValidValue());
}

TEST(ComParam, ValidValueConstructorSetsRangeTextsToZeroAndCopiesTheSet) {
  ZValidValueSet set = Set({L"A"});
  ProbeParam p(L"a", L"d", true, false, L"n", L"p", L"q", set, ZComParam::CPTString, L"B");
  set.AddValidValue(L"C");
  EXPECT_STREQ(p.GetStartRange(), L"0");
  EXPECT_STREQ(p.GetStopRange(), L"0");
  EXPECT_STREQ(p.GetValue(), L"B");
  EXPECT_TRUE(p.IsValidValue(L"A"));
  EXPECT_FALSE(p.IsValidValue(L"C"));
}

TEST(ComParam, NullTextsReadAsEmpty) {
  ProbeParam p(nullptr, nullptr, false, false, nullptr, nullptr, nullptr, nullptr, nullptr,
               ZComParam::CPTString, nullptr);
  EXPECT_STREQ(p.GetAlias(), L"");
  EXPECT_STREQ(p.GetQualifier(), L"");
  EXPECT_STREQ(p.GetStopRange(), L"");
  EXPECT_STREQ(p.GetValue(), L"");
  p.SetAlias(nullptr);
  p.SetDescription(nullptr);
  p.SetName(nullptr);
  p.SetPath(nullptr);
  p.SetQualifier(nullptr);
  EXPECT_STREQ(p.GetDescription(), L"");
  EXPECT_TRUE(p.SetValue(static_cast<const wchar_t*>(nullptr)));
  EXPECT_STREQ(p.GetValue(), L"");
}

TEST(ComParam, SettersStoreTextUnchanged) {
  ProbeParam p;
  p.SetAlias(L" A ");
  p.SetDescription(L"\u00e9t\u00e9");
  p.SetName(L"N");
  p.SetPath(L"a/b");
  p.SetQualifier(L"Q");
  p.SetIsSimulated(false);
  p.SetMayBeModified(false);
  EXPECT_STREQ(p.GetAlias(), L" A ");
  EXPECT_STREQ(p.GetDescription(), L"\u00e9t\u00e9");
  EXPECT_STREQ(p.GetName(), L"N");
  EXPECT_STREQ(p.GetPath(), L"a/b");
  EXPECT_STREQ(p.GetQualifier(), L"Q");
  EXPECT_FALSE(p.GetIsSimulated());
  EXPECT_FALSE(p.GetMayBeModified());
}

TEST(ComParam, InitializeOverwritesFieldsButKeepsSetAndFlag) {
  ProbeParam p(L"a", L"d", true, true, L"n", L"p", L"q", Set({L"ok"}), ZComParam::CPTString, L"ok");
  ASSERT_TRUE(p.SetValue(L"ok"));
  p.Initialize(L"a2", L"d2", false, false, L"n2", L"p2", L"q2", L"3", L"4", ZComParam::CPTUnsigned,
               L"v2");
  EXPECT_STREQ(p.GetAlias(), L"a2");
  EXPECT_STREQ(p.GetQualifier(), L"q2");
  EXPECT_FALSE(p.GetMayBeModified());
  EXPECT_STREQ(p.GetStartRange(), L"3");
  EXPECT_STREQ(p.GetStopRange(), L"4");
  EXPECT_EQ(p.GetValueType(), ZComParam::CPTUnsigned);
  EXPECT_STREQ(p.GetValue(), L"v2");
  EXPECT_TRUE(p.HasValidValue());
  EXPECT_FALSE(p.IsValidValue(L"v2"));
}

// ---- SetValue ----

TEST(ComParamSetValue, AcceptedValueReplacesTextAndClearsFlagSilently) {
  LogCapture log;
  ProbeParam p = MakeValueParam(L"old");
  EXPECT_TRUE(p.SetValue(L"new"));
  EXPECT_STREQ(p.GetValue(), L"new");
  EXPECT_TRUE(p.HasValidValue());
  EXPECT_TRUE(log.Lines().empty());
}

TEST(ComParamSetValue, RefusedValueKeepsTextSetsFlagAndLogsAtLevelZero) {
  ProbeParam p(L"a", L"d", false, true, L"n", L"p", L"AddrScheme", Set({L"Normal"}),
               ZComParam::CPTString, L"");
  ASSERT_TRUE(p.SetValue(L"Normal"));
  LogCapture log;
  EXPECT_FALSE(p.SetValue(L"normal"));
  EXPECT_STREQ(p.GetValue(), L"Normal");
  EXPECT_FALSE(p.HasValidValue());
  ASSERT_EQ(log.Lines().size(), 1u);
  const LoggedLine& line = log.Lines()[0];
  EXPECT_EQ(line.text,
            L"Setting COM parameter 'AddrScheme' to value 'normal' failed. Invalid value!\n");
  EXPECT_EQ(line.level, Logging::LevelError);
  EXPECT_EQ(line.category, 256u);
  EXPECT_EQ(BaseName(line.file), "ComParam.cpp");
}

TEST(ComParamSetValue, AcceptedValueAfterRefusalClearsFlagAgain) {
  ProbeParam p(L"a", L"d", false, true, L"n", L"p", L"q", Set({L"x"}), ZComParam::CPTString, L"");
  EXPECT_FALSE(p.SetValue(L"y"));
  EXPECT_TRUE(p.SetValue(L"x"));
  EXPECT_TRUE(p.HasValidValue());
}

TEST(ComParamSetValue, RefusalWithoutLoggingStillSetsFlag) {
  ASSERT_FALSE(Logging::LoggingIsInitialized());
  ProbeParam p(L"a", L"d", false, true, L"n", L"p", L"q", Set({L"x"}), ZComParam::CPTString, L"");
  EXPECT_FALSE(p.SetValue(L"y"));
  EXPECT_FALSE(p.HasValidValue());
}

// ---- Copies ----

TEST(ComParamCopy, CopyAndAssignmentCarryEveryFieldAndStayIndependent) {
  ProbeParam original(L"a", L"d", false, true, L"n", L"p", L"q", Set({L"x"}), ZComParam::CPTString,
                      L"");
  ASSERT_FALSE(original.SetValue(L"y"));

  ProbeParam copy(original);
  ProbeParam assigned;
  assigned = original;
  for (const ProbeParam* p : {&copy, &assigned}) {
    EXPECT_STREQ(p->GetAlias(), L"a");
    EXPECT_STREQ(p->GetStartRange(), L"0");
    EXPECT_FALSE(p->GetIsSimulated());
    EXPECT_FALSE(p->HasValidValue());
    EXPECT_TRUE(p->IsValidValue(L"x"));
    EXPECT_FALSE(p->IsValidValue(L"y"));
  }
  copy.SetAlias(L"changed");
  EXPECT_TRUE(copy.SetValue(L"x"));
  EXPECT_STREQ(original.GetAlias(), L"a");
  EXPECT_STREQ(original.GetValue(), L"");
  EXPECT_FALSE(original.HasValidValue());
}

// ---- RetrieveUnsigned ----

struct Reading {
  const wchar_t* text;
  bool ok;
  unsigned number;
};

// Without it gtest would dump the struct's bytes, padding included.
void PrintTo(const Reading& r, std::ostream* os) {
  *os << (r.ok ? "reads " : "overflows to ") << r.number;
}

class RetrieveUnsignedTest : public ::testing::TestWithParam<Reading> {};

TEST_P(RetrieveUnsignedTest, ReadsAs32BitBase10) {
  const Reading& r = GetParam();
  unsigned out = 12345;
  EXPECT_EQ(ProbeParam::RetrieveUnsigned(r.text, out), r.ok);
  EXPECT_EQ(out, r.number);
}

INSTANTIATE_TEST_SUITE_P(
    ComParam, RetrieveUnsignedTest,
    ::testing::Values(
        Reading{L"0", true, 0}, Reading{L"5", true, 5}, Reading{L"4294967295", true, UINT_MAX},
        Reading{L"00000000004294967295", true, UINT_MAX}, Reading{L"4294967296", false, UINT_MAX},
        Reading{L"99999999999999999999999999", false, UINT_MAX}, Reading{L"12abc", true, 12},
        Reading{L"1 2", true, 1}, Reading{L"0x10", true, 0}, Reading{L"", true, 0},
        Reading{nullptr, true, 0}, Reading{L"abc", true, 0}, Reading{L" \t\n\r\v\f42", true, 42},
        Reading{L"+7", true, 7}, Reading{L"-", true, 0}, Reading{L"- 5", true, 0},
        Reading{L"+-5", true, 0}, Reading{L"-1", true, UINT_MAX}, Reading{L"-0", true, 0},
        Reading{L"-4294967295", true, 1}, Reading{L"-4294967296", false, UINT_MAX},
        // Only ASCII digits count: ARABIC-INDIC DIGIT THREE and FULLWIDTH DIGIT ONE.
        Reading{L"\u0663", true, 0}, Reading{L"\uff11", true, 0}));

TEST(ComParam, RetrieveUnsignedDependsOnTheTextAlone) {
  unsigned out = 0;
  EXPECT_FALSE(ProbeParam::RetrieveUnsigned(L"4294967296", out));
  EXPECT_TRUE(ProbeParam::RetrieveUnsigned(L"5", out));
  EXPECT_EQ(out, 5u);
}

// ---- PrintOn ----

TEST(ComParamPrintOn, WritesTheTenLineBlock) {
  ProbeParam p(L"MyAlias", L"", false, true, L"My Name", L"some/path", L"P2Client", L"1", L"2",
               ZComParam::CPTString, L"25");
  std::wostringstream out;
  p.PrintOn(out);
  EXPECT_EQ(out.str(),
            L"ComParam\n"
            L"{\n"
            L"\tAlias         'MyAlias'\n"
            L"\tName          'My Name'\n"
            L"\tNormQualifier 'P2Client'\n"
            L"\tDescription   ''\n"
            L"\tValue         '25'\n"
            L"\tIsSimulated   '0'\n"
            L"\tMayBeModified '1'\n"
            L"}\n");
}

TEST(ComParamPrintOn, FlagsFollowTheStreamsOwnBoolFormat) {
  ProbeParam p;
  std::wostringstream out;
  out << std::boolalpha;
  p.PrintOn(out);
  EXPECT_NE(out.str().find(L"\tIsSimulated   'true'\n"), std::wstring::npos);
  EXPECT_NE(out.str().find(L"\tMayBeModified 'true'\n"), std::wstring::npos);
}
