// Unit tests for platform/pelka/Attribute.cpp, AttributeKinds.cpp, AttrUtilities.cpp and
// AttributeVisitor.cpp: defaults, overrides, value texts, kinds and double dispatch.
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Pelka;

namespace {

// One attribute of every kind, held by the ECU.
class AttributeKinds : public ::testing::Test {
 protected:
  ZEcuDoc m_doc;
  ZUnsignedDefaultAttr& m_unsigned = m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"A.U", L"C.Num");
  ZSignedDefaultAttr& m_signed = m_doc.AddAttribute<ZSignedDefaultAttr>(L"A.S");
  ZFloatDefaultAttr& m_float = m_doc.AddAttribute<ZFloatDefaultAttr>(L"A.F");
  ZTextDefaultAttr& m_text = m_doc.AddAttribute<ZTextDefaultAttr>(L"A.T");
  ZEnumDefaultAttr& m_enum = m_doc.AddAttribute<ZEnumDefaultAttr>(L"A.E");
  ZCommonStringDefaultAttr& m_string = m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"A.C");

  template <class TOverride>
  TOverride& OverrideOf(ZDefaultAttr& attribute) {
    return static_cast<TOverride&>(attribute.CreateOverride(m_doc.GetEcu()));
  }
};

}  // namespace

TEST_F(AttributeKinds, CreateOverrideAddsAnOverrideHoldingTheDefaultValue) {
  m_unsigned.SetValue(42);
  EXPECT_FALSE(m_unsigned.HasOverride());
  ZOverrideAttrSet& overrides = m_doc.GetEcu().OverriddenAttributes();
  EXPECT_EQ(overrides.Find(m_unsigned), overrides.End());

  ZOverrideAttr& created = m_unsigned.CreateOverride(m_doc.GetEcu());

  EXPECT_TRUE(m_unsigned.HasOverride());
  ASSERT_NE(overrides.Find(m_unsigned), overrides.End());
  EXPECT_EQ(&*overrides.Find(m_unsigned), &created);
  EXPECT_EQ(&created.GetDefaultAttribute(), &m_unsigned);
  EXPECT_EQ(&created.GetAttributable(), &m_doc.GetEcu());
  EXPECT_TRUE(created.IsOverride());
  EXPECT_FALSE(m_unsigned.IsOverride());
  EXPECT_EQ(static_cast<ZUnsignedOverrideAttr&>(created).GetValue(), 42u);
  EXPECT_EQ(&m_unsigned.CreateOverride(m_doc.GetEcu()), &created) << "one override per attribute";
  EXPECT_EQ(overrides.Count(), 1u);
}

TEST_F(AttributeKinds, OverridesAnswerDefinitionQueriesForTheirDefault) {
  m_unsigned.GetNames().SetText(L"Name", ZLanguage::defaultLangId, true);
  m_unsigned.GetDescription().SetText(L"Desc", ZLanguage::defaultLangId, true);
  m_unsigned.SetMayBeModified(false);
  ZOverrideAttr& over = m_unsigned.CreateOverride(m_doc.GetEcu());
  EXPECT_STREQ(over.GetQualifier(), L"A.U");
  EXPECT_STREQ(over.GetCategory().GetQualifier(), L"C.Num");
  EXPECT_STREQ(over.GetName(ZLanguage::defaultLangId), L"Name");
  EXPECT_STREQ(over.GetDescription().GetText(ZLanguage::defaultLangId), L"Desc");
  EXPECT_FALSE(over.MayBeModified());
  EXPECT_EQ(&over.GetOwnerDoc(), &m_doc);
  EXPECT_STREQ(m_signed.GetCategory().GetQualifier(), L"");
}

TEST_F(AttributeKinds, OverrideAtAnotherDocumentIsRefused) {
  ZEcuDoc other;
  EXPECT_THROW(m_unsigned.CreateOverride(other.GetEcu()), ZModelError);
  EXPECT_FALSE(m_unsigned.HasOverride());
}

TEST_F(AttributeKinds, ValueTextsOfNumbers) {
  m_unsigned.SetValue(4294967295u);
  EXPECT_STREQ(m_unsigned.GetValueText(), L"4294967295");
  m_signed.SetValue(-2147483647 - 1);
  EXPECT_STREQ(m_signed.GetValueText(), L"-2147483648");
  OverrideOf<ZSignedOverrideAttr>(m_signed).SetValue(7);
  EXPECT_STREQ(OverrideOf<ZSignedOverrideAttr>(m_signed).GetValueText(), L"7");
  EXPECT_STREQ(m_signed.GetValueText(), L"-2147483648") << "a default keeps its own value";
}

TEST_F(AttributeKinds, FloatTextIsTheShortestThatReadsBackWithWholeNumbersInFull) {
  const std::vector<std::pair<double, const wchar_t*>> cases = {
      {0.1, L"0.1"},         {5.0, L"5"},          {-0.0, L"-0"},
      {500000.0, L"500000"}, {-1e6, L"-1000000"},  {9007199254740992.0, L"9007199254740992"},
      {1e20, L"1e+20"},      {2.5e-7, L"2.5e-07"}, {1.0 / 3, L"0.3333333333333333"}};
  for (const auto& [value, text] : cases) {
    m_float.SetValue(value);
    EXPECT_STREQ(m_float.GetValueText(), text);
  }
  OverrideOf<ZFloatOverrideAttr>(m_float).SetValue(2.5);
  EXPECT_STREQ(OverrideOf<ZFloatOverrideAttr>(m_float).GetValueText(), L"2.5");
}

TEST_F(AttributeKinds, TextValuesReadInTheDefaultLanguage) {
  m_doc.AddLanguage(1031, L"Deutsch");
  m_text.SetText(L"Hallo", 1031, true);
  EXPECT_STREQ(m_text.GetValueText(), L"");
  m_text.SetText(L"Hello", ZLanguage::defaultLangId, false);
  EXPECT_STREQ(m_text.GetValueText(), L"Hello");
  ZTextOverrideAttr& over = OverrideOf<ZTextOverrideAttr>(m_text);
  EXPECT_STREQ(over.GetValue().GetText(1031), L"Hallo") << "starts as a copy of the default";
  over.SetText(L"Hi", ZLanguage::defaultLangId, true);
  EXPECT_STREQ(over.GetValueText(), L"Hi");
  EXPECT_TRUE(over.GetValue().IsDefined(ZLanguage::defaultLangId));
  EXPECT_STREQ(m_text.GetValueText(), L"Hello");

  m_string.SetValue(L"as it is \u00e9");
  EXPECT_STREQ(m_string.GetValueText(), L"as it is \u00e9");
  OverrideOf<ZCommonStringOverrideAttr>(m_string).SetValue(nullptr);
  EXPECT_STREQ(OverrideOf<ZCommonStringOverrideAttr>(m_string).GetValueText(), L"");
}

TEST_F(AttributeKinds, EnumValueTextIsItsTagTextAndEmptyWithoutTag) {
  EXPECT_STREQ(m_enum.GetValueText(), L"") << "a new enumeration names no tag";
  m_enum.EnumTagTable().AddNewTag(4).GetTagText().SetText(L"Four", ZLanguage::defaultLangId, true);
  m_enum.EnumTagTable().AddNewTag(9).GetTagText().SetText(L"Nine", ZLanguage::defaultLangId, true);
  m_enum.SetValue(9);
  EXPECT_STREQ(m_enum.GetValueText(), L"Nine");
  ZEnumOverrideAttr& over = OverrideOf<ZEnumOverrideAttr>(m_enum);
  over.SetValue(4);
  EXPECT_STREQ(over.GetValueText(), L"Four");
}

TEST_F(AttributeKinds, EnumValuesMustNameATagExceptTheNoTagZero) {
  m_enum.EnumTagTable().AddNewTag(1);
  EXPECT_THROW(m_enum.SetValue(2), ZModelError);
  m_enum.SetValue(0);  // no tag 0 yet: the "no tag" value
  ZEnumOverrideAttr& over = OverrideOf<ZEnumOverrideAttr>(m_enum);
  EXPECT_THROW(over.SetValue(3), ZModelError);
  m_enum.EnumTagTable().AddNewTag(0);
  over.SetValue(0);
  EXPECT_EQ(over.GetValue(), 0u);
}

TEST_F(AttributeKinds, TypeCheckerNamesTheKindOfDefaultsAndOverrides) {
  EXPECT_EQ(ZAttrTypeChecker::GetAttrType(m_unsigned), 0);
  EXPECT_EQ(ZAttrTypeChecker::GetAttrType(m_signed), 1);
  EXPECT_EQ(ZAttrTypeChecker::GetAttrType(m_float), ZAttrManager::ATFloat);
  EXPECT_EQ(ZAttrTypeChecker::GetAttrType(m_text), ZAttrManager::ATText);
  EXPECT_EQ(ZAttrTypeChecker::GetAttrType(m_enum), ZAttrManager::ATEnum);
  EXPECT_EQ(ZAttrTypeChecker::GetAttrType(m_string), ZAttrManager::ATString);
  EXPECT_EQ(ZAttrTypeChecker::GetAttrType(m_signed.CreateOverride(m_doc.GetEcu())),
            ZAttrManager::ATSigned);
}

TEST_F(AttributeKinds, ValueReaderReadsTheAttributesOwnValue) {
  m_unsigned.SetValue(10);
  m_signed.SetValue(-3);
  OverrideOf<ZUnsignedOverrideAttr>(m_unsigned).SetValue(20);
  OverrideOf<ZSignedOverrideAttr>(m_signed).SetValue(-30);
  EXPECT_EQ(ZAttrValueReader::GetUnsignedValue(m_unsigned), 10u);
  EXPECT_EQ(ZAttrValueReader::GetUnsignedValue(OverrideOf<ZUnsignedOverrideAttr>(m_unsigned)), 20u);
  EXPECT_EQ(ZAttrValueReader::GetSignedValue(m_signed), -3);
  EXPECT_EQ(ZAttrValueReader::GetSignedValue(OverrideOf<ZSignedOverrideAttr>(m_signed)), -30);
  EXPECT_THROW(ZAttrValueReader::GetUnsignedValue(m_signed), ZModelError);
  EXPECT_THROW(ZAttrValueReader::GetSignedValue(m_string), ZModelError);
}

namespace {

// Records which operation each dispatch reached.
class RecordingVisitor : public ZAttributeVisitor {
 public:
  std::vector<std::string> visits;

  void VisitUnsignedDefault(ZUnsignedDefaultAttr&) override { visits.push_back("UD"); }
  void VisitSignedDefault(ZSignedDefaultAttr&) override { visits.push_back("SD"); }
  void VisitFloatDefault(ZFloatDefaultAttr&) override { visits.push_back("FD"); }
  void VisitTextDefault(ZTextDefaultAttr&) override { visits.push_back("TD"); }
  void VisitEnumDefault(ZEnumDefaultAttr&) override { visits.push_back("ED"); }
  void VisitStringDefault(ZCommonStringDefaultAttr&) override { visits.push_back("CD"); }
  void VisitUnsignedOverride(ZUnsignedOverrideAttr&) override { visits.push_back("UO"); }
  void VisitSignedOverride(ZSignedOverrideAttr&) override { visits.push_back("SO"); }
  void VisitFloatOverride(ZFloatOverrideAttr&) override { visits.push_back("FO"); }
  void VisitTextOverride(ZTextOverrideAttr&) override { visits.push_back("TO"); }
  void VisitEnumOverride(ZEnumOverrideAttr&) override { visits.push_back("EO"); }
  void VisitStringOverride(ZCommonStringOverrideAttr&) override { visits.push_back("CO"); }
};

}  // namespace

TEST_F(AttributeKinds, DispatchReachesTheVisitOfEachKindAndHalf) {
  RecordingVisitor visitor;
  std::vector<ZDefaultAttr*> defaults = {&m_unsigned, &m_signed, &m_float,
                                         &m_text,     &m_enum,   &m_string};
  for (ZDefaultAttr* pAttribute : defaults) visitor.DispatchAttribute(*pAttribute);
  for (ZDefaultAttr* pAttribute : defaults) {
    visitor.DispatchAttribute(pAttribute->CreateOverride(m_doc.GetEcu()));
  }
  const std::vector<std::string> expected = {"UD", "SD", "FD", "TD", "ED", "CD",
                                             "UO", "SO", "FO", "TO", "EO", "CO"};
  EXPECT_EQ(visitor.visits, expected);
}
