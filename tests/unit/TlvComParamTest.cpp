// Unit tests for comparam/TlvComParam.cpp
#include "TlvComParam.h"

#include <Util/ComParamHelper.h>

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "DocumentFixture.h"
#include "LogCapture.h"

using namespace Pelka;
using NComParamMan::ZTlvComParam;

namespace {

class TlvComParamTest : public DocumentTest {
 protected:
  template <class TDefaultAttr>
  TDefaultAttr& Add(const wchar_t* qualifier, ZAttrPlacement placement = APHeldByEcu) {
    return m_doc.AddAttribute<TDefaultAttr>(qualifier, L"CP.TIMING", placement);
  }

  // An enumeration with one tag per text, ids from 0, each defined in every language.
  ZEnumDefaultAttr& AddEnum(const wchar_t* qualifier, std::initializer_list<const wchar_t*> texts,
                            ZAttrPlacement placement = APHeldByEcu) {
    ZEnumDefaultAttr& attribute = Add<ZEnumDefaultAttr>(qualifier, placement);
    AddTags(attribute, texts);
    return attribute;
  }

  // An enumeration with the tags first to last, without texts.
  ZEnumDefaultAttr& AddEnumWithIds(unsigned first, unsigned last) {
    ZEnumDefaultAttr& attribute = Add<ZEnumDefaultAttr>(L"CP.Wide");
    for (unsigned id = first; id <= last; ++id) {
      attribute.EnumTagTable().AddNewTag(static_cast<ZEnumTagId>(id));
    }
    return attribute;
  }
};

void ExpectOneLogLine(const LogCapture& log, const std::wstring& text) {
  ASSERT_EQ(log.Lines().size(), 1u);
  const LoggedLine& line = log.Lines()[0];
  EXPECT_EQ(line.text, text);
  EXPECT_EQ(line.level, Logging::LevelError);
  EXPECT_EQ(line.category, 256u);
  EXPECT_EQ(BaseName(line.file), "TlvComParam.cpp");
}

}  // namespace

// --- The attribute's description ---------------------------------------------------------

TEST_F(TlvComParamTest, PrintOnWritesNameQualifierAndCategoryAfterTheirFirstDot) {
  ZDefaultAttr& attribute = m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"A.Q1", L"B.C1");
  attribute.GetNames().SetText(L"N1", ZLanguage::defaultLangId, true);
  std::wostringstream out;
  ZTlvComParam(attribute).PrintOn(out);
  EXPECT_EQ(out.str(), L"[n:N1,q:Q1,c:C1]");
}

TEST_F(TlvComParamTest, QualifiersAreCutAfterTheFirstDotOnly) {
  ZTlvComParam nested(m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"A.B.C", L"COM.X.Y"));
  EXPECT_STREQ(nested.GetQualifier(), L"B.C");
  EXPECT_STREQ(nested.GetCategoryQualifier(), L"X.Y");

  ZTlvComParam dotless(m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"NoDot", L""));
  EXPECT_STREQ(dotless.GetQualifier(), L"");
  EXPECT_STREQ(dotless.GetCategoryQualifier(), L"");

  ZTlvComParam trailingDot(m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"A.", L"B."));
  EXPECT_STREQ(trailingDot.GetQualifier(), L"");
  EXPECT_STREQ(trailingDot.GetCategoryQualifier(), L"");
}

TEST_F(TlvComParamTest, NameAndDescriptionComeFromTheDefaultLanguage) {
  ZDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>(L"CP.P2");
  attribute.GetNames().SetText(L"P2 time", ZLanguage::defaultLangId, true);
  attribute.GetNames().SetText(L"P2 English", kEnglish, true);
  attribute.GetDescription().SetText(L"Server response time", ZLanguage::defaultLangId, true);
  attribute.GetDescription().SetText(L"English text", kEnglish, true);
  attribute.SetMayBeModified(false);
  ZTlvComParam view(attribute);
  EXPECT_STREQ(view.GetName(), L"P2 time");
  EXPECT_STREQ(view.GetDescription(), L"Server response time");
  EXPECT_FALSE(view.GetMayBeModified());
}

// --- Reading the value -------------------------------------------------------------------

TEST_F(TlvComParamTest, UnsignedValueIsWrittenInDecimalFromTheOverride) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>(L"CP.ReqCanId");
  attribute.SetValue(5);
  EXPECT_STREQ(ZTlvComParam(attribute).GetValue(), L"5");
  static_cast<ZUnsignedOverrideAttr&>(attribute.CreateOverride(m_doc.GetEcu()))
      .SetValue(4294967295u);
  EXPECT_STREQ(ZTlvComParam(attribute).GetValue(), L"4294967295");
}

// Built from the attribute as the ECU sees it, a view reads and writes what one built from the
// default attribute does.
TEST_F(TlvComParamTest, ViewOfTheEcusAttributeEqualsViewOfTheDefault) {
  ZUnsignedDefaultAttr& plain = Add<ZUnsignedDefaultAttr>(L"CP.P2");
  plain.SetValue(5);
  ZUnsignedDefaultAttr& overridden = Add<ZUnsignedDefaultAttr>(L"CP.S3");
  overridden.SetValue(6);
  ZOverrideAttr& override = overridden.CreateOverride(m_doc.GetEcu());
  static_cast<ZUnsignedOverrideAttr&>(override).SetValue(4000);
  struct Case {
    ZDefaultAttr& defaultAttr;
    ZAttribute& ecuAttribute;
    const wchar_t* value;
  };
  for (const Case& c : {Case{plain, plain, L"5"}, Case{overridden, override, L"4000"}}) {
    SCOPED_TRACE(testing::Message() << c.defaultAttr.GetQualifier());
    ZTlvComParam fromDefault(c.defaultAttr);
    ZTlvComParam fromEcu(c.ecuAttribute);
    EXPECT_STREQ(fromEcu.GetValue(), c.value);
    EXPECT_STREQ(fromEcu.GetQualifier(), fromDefault.GetQualifier());
    std::wostringstream fromDefaultText;
    std::wostringstream fromEcuText;
    fromDefault.PrintOn(fromDefaultText);
    fromEcu.PrintOn(fromEcuText);
    EXPECT_EQ(fromEcuText.str(), fromDefaultText.str());
    EXPECT_TRUE(fromEcu.SetValue(L"77", false));
    EXPECT_STREQ(ZTlvComParam(c.defaultAttr).GetValue(), L"77");
  }
  // The write went to the override; the default keeps its value.
  EXPECT_EQ(ZAttrValueReader::GetUnsignedValue(overridden), 6u);
}

TEST_F(TlvComParamTest, OtherKindsGiveTheModelsValueText) {
  ZSignedDefaultAttr& number = Add<ZSignedDefaultAttr>(L"CP.Offset");
  static_cast<ZSignedOverrideAttr&>(number.CreateOverride(m_doc.GetEcu())).SetValue(-5);
  ZCommonStringDefaultAttr& text = Add<ZCommonStringDefaultAttr>(L"CP.Label");
  text.SetValue(L"abc");
  ZEnumDefaultAttr& scheme = AddEnum(L"CP.AddrScheme", {L"Normal", L"Extended"});
  scheme.SetValue(1);
  EXPECT_STREQ(ZTlvComParam(number).GetValue(), L"-5");
  EXPECT_STREQ(ZTlvComParam(text).GetValue(), L"abc");
  EXPECT_STREQ(ZTlvComParam(scheme).GetValue(), L"Extended");
}

TEST_F(TlvComParamTest, OverrideCreatedAfterConstructionIsNotTakenIn) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>(L"CP.P2");
  attribute.SetValue(5);
  ZTlvComParam view(attribute);
  EXPECT_TRUE(view.SetValue(L"25", false));
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 25u);
  EXPECT_STREQ(view.GetValue(), L"5");
}

// --- Setting the value -------------------------------------------------------------------

TEST_F(TlvComParamTest, SettingTheCurrentValueLeavesTheDocumentUntouched) {
  Add<ZUnsignedDefaultAttr>(L"CP.P2").SetValue(7);
  AddEnum(L"CP.AddrScheme", {L"Normal"});
  const std::string before = Snapshot();
  EXPECT_TRUE(ZTlvComParam(*m_doc.FindAttribute(L"CP.P2")).SetValue(L"7", false));
  EXPECT_TRUE(ZTlvComParam(*m_doc.FindAttribute(L"CP.AddrScheme")).SetValue(L"Normal", false));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(TlvComParamTest, UnsignedNumberFollowedByLettersIsAParseError) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>(L"CP.P2");
  const std::string before = Snapshot();
  LogCapture log;
  EXPECT_FALSE(ZTlvComParam(attribute).SetValue(L"12abc", false));
  ExpectOneLogLine(log, L"ZTlvComParam::SetValue: Parse error\n");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(TlvComParamTest, SignedNumberFollowedByLettersStoresTheNumber) {
  ZSignedDefaultAttr& attribute = Add<ZSignedDefaultAttr>(L"CP.Offset");
  EXPECT_TRUE(ZTlvComParam(attribute).SetValue(L"12abc", false));
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 12);
}

TEST_F(TlvComParamTest, EmptyTextStoresZeroInAnUnsignedAttribute) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>(L"CP.P2");
  attribute.SetValue(50);
  EXPECT_TRUE(ZTlvComParam(attribute).SetValue(L"", false));
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 0u);
}

TEST_F(TlvComParamTest, NullTextReadsAsEmpty) {
  ZCommonStringDefaultAttr& attribute = Add<ZCommonStringDefaultAttr>(L"CP.Label");
  attribute.SetValue(L"abc");
  EXPECT_TRUE(ZTlvComParam(attribute).SetValue(nullptr, false));
  EXPECT_STREQ(OverrideOf(attribute).GetValue(), L"");
}

TEST_F(TlvComParamTest, ValueOfAnOverriddenAttributeGoesIntoItsOverrideParsedByItsKind) {
  ZSignedDefaultAttr& number = Add<ZSignedDefaultAttr>(L"CP.Offset");
  ZEnumDefaultAttr& scheme = AddEnum(L"CP.AddrScheme", {L"Normal", L"Extended"});
  ZOverrideAttr* pNumberOverride = &number.CreateOverride(m_doc.GetEcu());
  ZOverrideAttr* pSchemeOverride = &scheme.CreateOverride(m_doc.GetEcu());
  ZTlvComParam numberView(number);
  ZTlvComParam schemeView(scheme);

  EXPECT_TRUE(numberView.SetValue(L"-12 ms", false));
  EXPECT_TRUE(schemeView.SetValue(L"Extended", false));
  EXPECT_EQ(&OverrideOf(number), pNumberOverride);
  EXPECT_EQ(&OverrideOf(scheme), pSchemeOverride);
  EXPECT_STREQ(numberView.GetValue(), L"-12");
  EXPECT_STREQ(schemeView.GetValue(), L"Extended");
  EXPECT_EQ(m_doc.GetEcu().OverriddenAttributes().Count(), 2u);
}

TEST_F(TlvComParamTest, AttributeTheEcuOnlyInheritsIsABadAttribute) {
  ZFloatDefaultAttr& attribute = Add<ZFloatDefaultAttr>(L"CP.Factor", APInheritedOnly);
  LogCapture log;
  EXPECT_FALSE(ZTlvComParam(attribute).SetValue(L"2.5", false));
  ExpectOneLogLine(log, L"ZTlvComParam::SetValue: Bad attribute\n");
  EXPECT_FALSE(attribute.HasOverride());
}

// --- Missing enumeration tags ------------------------------------------------------------

TEST_F(TlvComParamTest, MissingTagWithoutAddingFailsSilently) {
  ZEnumDefaultAttr& attribute = AddEnum(L"CP.AddrScheme", {L"Normal"});
  const std::string before = Snapshot();
  LogCapture log;
  EXPECT_FALSE(ZTlvComParam(attribute).SetValue(L"Mixed", false));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(TlvComParamTest, MissingTagIsAddedAfterTheLastWithTheTextInEveryLanguage) {
  ZEnumDefaultAttr& attribute = AddEnum(L"CP.AddrScheme", {L"A", L"B", L"C", L"D"});
  EXPECT_TRUE(ZTlvComParam(attribute).SetValue(L"Mixed", true));
  ZEnumTagTable& tags = attribute.EnumTagTable();
  ASSERT_EQ(tags.Count(), 5u);
  const ZTranslatable& text = tags.GetEnumTagSymbolById(4).GetTagText();
  for (ZLanguageId id : {ZLanguage::defaultLangId, kEnglish}) {
    EXPECT_STREQ(text.GetText(id), L"Mixed") << id;
    EXPECT_TRUE(text.IsDefined(id)) << id;
  }
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 4);
}

TEST_F(TlvComParamTest, TakenCountIdGivesTheNextFreeIdAbove) {
  ZEnumDefaultAttr& attribute = Add<ZEnumDefaultAttr>(L"CP.AddrScheme");
  for (ZEnumTagId id : {0, 2, 3, 5, 6}) NComParamMan::AddEnumTag(attribute, id, L"Old");
  EXPECT_TRUE(ZTlvComParam(attribute).SetValue(L"Mixed", true));
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 7);
  EXPECT_STREQ(attribute.EnumTagTable().GetEnumTagSymbolById(7).GetTagText().GetText(kEnglish),
               L"Mixed");
}

TEST_F(TlvComParamTest, FreeIdIsSoughtFromTheTopRoundToTheBottom) {
  ZEnumDefaultAttr& attribute = AddEnumWithIds(1, 65535);
  attribute.SetValue(65535);
  EXPECT_TRUE(ZTlvComParam(attribute).SetValue(L"Mixed", true));
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 0);
}

TEST_F(TlvComParamTest, NoFreeIdRefusesTheValueWithALogLine) {
  ZEnumDefaultAttr& attribute = AddEnumWithIds(0, 65535);
  LogCapture log;
  EXPECT_FALSE(ZTlvComParam(attribute).SetValue(L"Mixed", true));
  ExpectOneLogLine(log, L"ZTlvComParam::SetValue: No free enumeration tag id for Mixed\n");
  EXPECT_EQ(attribute.EnumTagTable().Count(), 65536u);
  EXPECT_FALSE(attribute.HasOverride());
}

TEST_F(TlvComParamTest, NoTagIsAddedToAnAttributeTheEcuOnlyInherits) {
  ZEnumDefaultAttr& attribute = AddEnum(L"CP.AddrScheme", {L"Normal"}, APInheritedOnly);
  LogCapture log;
  EXPECT_FALSE(ZTlvComParam(attribute).SetValue(L"Mixed", true));
  ExpectOneLogLine(log, L"ZTlvComParam::SetValue: Bad attribute\n");
  EXPECT_EQ(attribute.EnumTagTable().Count(), 1u) << "a failed write leaves the shared tags alone";
}
