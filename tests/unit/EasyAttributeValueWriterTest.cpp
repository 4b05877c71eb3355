// Unit tests for comparam/EasyAttributeValueWriter.cpp
#include "EasyAttributeValueWriter.h"

#include <buffers/Buffers.h>
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <string>

#include "DocumentFixture.h"

using namespace Pelka;

namespace {

constexpr int kWritten = ZEasyAttributeValueWriter::WR_Written;
constexpr int kNoMatchingTag = ZEasyAttributeValueWriter::WR_NoMatchingTag;
constexpr int kNotAtTarget = ZEasyAttributeValueWriter::WR_NotAtTarget;
constexpr int kParseError = ZEasyAttributeValueWriter::WR_ParseError;

// A document in two languages whose ECU is the target of every write.
class EasyAttributeValueWriterTest : public DocumentTest {
 protected:
  template <class TDefaultAttr>
  TDefaultAttr& Add(ZAttrPlacement placement = APHeldByEcu) {
    const std::wstring qualifier = L"CP.A" + std::to_wstring(m_doc.AttributeCount());
    return m_doc.AddAttribute<TDefaultAttr>(qualifier.c_str(), L"CP.TEST", placement);
  }

  int Write(ZDefaultAttr& attribute, const wchar_t* value) {
    return m_writer.Write(attribute, &m_doc.GetEcu(), value);
  }

  std::size_t OverrideCount() { return m_doc.GetEcu().OverriddenAttributes().Count(); }

  // A new enumeration with one tag per text, ids from 0, each text defined in every language.
  ZEnumDefaultAttr& AddEnum(std::initializer_list<const wchar_t*> texts,
                            ZAttrPlacement placement = APHeldByEcu) {
    ZEnumDefaultAttr& attribute = Add<ZEnumDefaultAttr>(placement);
    AddTags(attribute, texts);
    return attribute;
  }

  ZEasyAttributeValueWriter m_writer;
};

struct UnsignedCase {
  const wchar_t* text;
  unsigned stored;
};

struct SignedCase {
  const wchar_t* text;
  int stored;
};

struct FloatCase {
  const wchar_t* text;
  double stored;
};

// Switches the process locale for the scope and back; empty name when none was available.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale() : m_previous(std::setlocale(LC_ALL, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8",
                             "German_Germany.1252", "de-DE"}) {
      if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
        m_name = name;
        return;
      }
    }
    std::setlocale(LC_ALL, m_previous.c_str());
  }
  ~DecimalCommaLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
  DecimalCommaLocale(const DecimalCommaLocale&) = delete;
  DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

  const std::string& Name() const { return m_name; }

 private:
  std::string m_previous;
  std::string m_name;
};

}  // namespace

TEST_F(EasyAttributeValueWriterTest, UnsignedTextsThatAreEntirelyANumber) {
  const UnsignedCase cases[] = {
      {L"10", 10u},         {L"", 0u},
      {L" \t+42", 42u},     {L"007", 7u},
      {L"-1", 4294967295u}, {L"4294967295", 4294967295u},
      {L"-4294967295", 1u},
  };
  for (const UnsignedCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\"");
    ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>();
    attribute.SetValue(99);
    EXPECT_EQ(Write(attribute, c.text), kWritten);
    EXPECT_EQ(OverrideOf(attribute).GetValue(), c.stored);
    EXPECT_EQ(attribute.GetValue(), 99u) << "the default value stays";
  }
}

TEST_F(EasyAttributeValueWriterTest, UnsignedTextsWithAnythingElseAreRefusedUntouched) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>();
  const std::string before = Snapshot();
  for (const wchar_t* text : {L"10 ", L"12abc", L"abc", L"   ", L"-", L"1.5", L"4294967296",
                              L"-4294967296", L"99999999999999999999", L"0x1F", L"fF"}) {
    SCOPED_TRACE(::testing::Message() << "\"" << text << "\"");
    EXPECT_EQ(Write(attribute, text), kParseError);
    EXPECT_EQ(Snapshot(), before) << "no override is created";
  }
}

TEST_F(EasyAttributeValueWriterTest, ParseErrorKeepsTheExistingOverridesValue) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>();
  ASSERT_EQ(Write(attribute, L"5"), kWritten);
  EXPECT_EQ(Write(attribute, L"12abc"), kParseError);
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 5u);
}

TEST_F(EasyAttributeValueWriterTest, SignedTextsIgnoreWhatFollowsTheNumber) {
  const SignedCase cases[] = {
      {L"-5x", -5},
      {L"12abc", 12},
      {L" +7 apples", 7},
      {L"2147483647", INT_MAX},
      {L"-2147483648", INT_MIN},
      {L"abc", 0},
      {L"", 0},
  };
  for (const SignedCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\"");
    ZSignedDefaultAttr& attribute = Add<ZSignedDefaultAttr>();
    attribute.SetValue(99);
    EXPECT_EQ(Write(attribute, c.text), kWritten);
    EXPECT_EQ(OverrideOf(attribute).GetValue(), c.stored);
  }
}

TEST_F(EasyAttributeValueWriterTest, SignedNumbersBeyond32BitsAreRefusedUntouched) {
  ZSignedDefaultAttr& attribute = Add<ZSignedDefaultAttr>();
  const std::string before = Snapshot();
  for (const wchar_t* text :
       {L"2147483648", L"-2147483649", L"4294967295", L"99999999999999999999x"}) {
    SCOPED_TRACE(::testing::Message() << "\"" << text << "\"");
    EXPECT_EQ(Write(attribute, text), kParseError);
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(EasyAttributeValueWriterTest, FloatTextsReadAsAtofReadsThem) {
  const FloatCase cases[] = {
      {L"2.5", 2.5},       {L"abc", 0.0}, {L"", 0.0},          {L"1.5e3xyz", 1500.0},
      {L"  -0.25", -0.25}, {L"1,5", 1.0}, {L"3.5\u20ac", 3.5}, {L"\u4e2d7", 0.0},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\"");
    ZFloatDefaultAttr& attribute = Add<ZFloatDefaultAttr>();
    attribute.SetValue(99.0);
    EXPECT_EQ(Write(attribute, c.text), kWritten);
    EXPECT_EQ(OverrideOf(attribute).GetValue(), c.stored);
  }
}

TEST_F(EasyAttributeValueWriterTest, FloatTextThatCannotBeConvertedIsAParseErrorNotZero) {
  ZFloatDefaultAttr& attribute = Add<ZFloatDefaultAttr>();
  attribute.SetValue(99.0);
  const std::string before = Snapshot();
  NBuffers::SetBufferFailureForTesting(true);
  const int result = Write(attribute, L"2.5");
  NBuffers::SetBufferFailureForTesting(false);
  EXPECT_EQ(result, kParseError);
  EXPECT_EQ(Snapshot(), before) << "the document stays untouched";
}

TEST_F(EasyAttributeValueWriterTest, FloatTextsUseADecimalPointWhateverTheProcessLocale) {
  DecimalCommaLocale locale;
  if (locale.Name().empty()) GTEST_SKIP() << "no locale with a decimal comma is installed";
  ZFloatDefaultAttr& attribute = Add<ZFloatDefaultAttr>();
  EXPECT_EQ(Write(attribute, L"2.5"), kWritten);
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 2.5) << locale.Name();
  EXPECT_EQ(Write(attribute, L"2,5"), kWritten);
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 2.0) << locale.Name();
}

TEST_F(EasyAttributeValueWriterTest, TextGoesToTheDefaultLanguageMarkedDefined) {
  ZTextDefaultAttr& attribute = Add<ZTextDefaultAttr>();
  EXPECT_EQ(Write(attribute, L"Hallo \u00e4"), kWritten);
  const ZTranslatable& stored = OverrideOf(attribute).GetValue();
  EXPECT_STREQ(stored.GetText(ZLanguage::defaultLangId), L"Hallo \u00e4");
  EXPECT_TRUE(stored.IsDefined(ZLanguage::defaultLangId));
  EXPECT_STREQ(stored.GetText(kEnglish), L"");
  EXPECT_FALSE(stored.IsDefined(kEnglish));
}

TEST_F(EasyAttributeValueWriterTest, StringIsStoredAsItIsAndNullAsEmpty) {
  ZCommonStringDefaultAttr& attribute = Add<ZCommonStringDefaultAttr>();
  attribute.SetValue(L"default");
  EXPECT_EQ(Write(attribute, L" 12 abc "), kWritten);
  EXPECT_STREQ(OverrideOf(attribute).GetValue(), L" 12 abc ");
  EXPECT_EQ(Write(attribute, nullptr), kWritten);
  EXPECT_STREQ(OverrideOf(attribute).GetValue(), L"");
}

TEST_F(EasyAttributeValueWriterTest, EnumerationTakesTheLowestTagWithTheTextInADefinedLanguage) {
  ZEnumDefaultAttr& attribute = Add<ZEnumDefaultAttr>();
  ZEnumTagTable& tags = attribute.EnumTagTable();
  // Added out of order: the walk goes by ascending id.
  tags.AddNewTag(5).GetTagText().SetText(L"Same", kEnglish, true);
  tags.AddNewTag(3).GetTagText().SetText(L"Same", ZLanguage::defaultLangId, true);
  tags.AddNewTag(4).GetTagText().SetText(L"Extended", kEnglish, true);
  EXPECT_EQ(Write(attribute, L"Same"), kWritten);
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 3);
  EXPECT_EQ(Write(attribute, L"Extended"), kWritten);
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 4);
  EXPECT_EQ(attribute.GetValue(), 0) << "the default value stays";
}

TEST_F(EasyAttributeValueWriterTest, EnumerationTextOnlyInUndefinedLanguagesIsNoMatch) {
  ZEnumDefaultAttr& attribute = AddEnum({L"Normal"});
  attribute.EnumTagTable().AddNewTag(1).GetTagText().SetText(L"Hidden", kEnglish, false);
  const std::string before = Snapshot();
  EXPECT_EQ(Write(attribute, L"Hidden"), kNoMatchingTag);
  EXPECT_EQ(Write(attribute, L"normal"), kNoMatchingTag) << "case-sensitive";
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(EasyAttributeValueWriterTest, EnumerationWithoutTagsIsNoMatch) {
  ZEnumDefaultAttr& attribute = Add<ZEnumDefaultAttr>();
  EXPECT_EQ(Write(attribute, L""), kNoMatchingTag);
  EXPECT_FALSE(attribute.HasOverride());
}

TEST_F(EasyAttributeValueWriterTest, AttributesTheEcuOnlyInheritsAreNotAtTheTarget) {
  ZDefaultAttr* inherited[] = {
      &Add<ZUnsignedDefaultAttr>(APInheritedOnly),     &Add<ZSignedDefaultAttr>(APInheritedOnly),
      &Add<ZFloatDefaultAttr>(APInheritedOnly),        &Add<ZTextDefaultAttr>(APInheritedOnly),
      &Add<ZCommonStringDefaultAttr>(APInheritedOnly), &AddEnum({L"7"}, APInheritedOnly),
  };
  const std::string before = Snapshot();
  for (ZDefaultAttr* pAttribute : inherited) {
    SCOPED_TRACE(::testing::Message() << pAttribute->GetQualifier());
    EXPECT_EQ(Write(*pAttribute, L"7"), kNotAtTarget);
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(EasyAttributeValueWriterTest, NotAtTheTargetIsCheckedBeforeTheText) {
  EXPECT_EQ(Write(Add<ZUnsignedDefaultAttr>(APInheritedOnly), L"abc"), kNotAtTarget);
  // An enumeration first looks for the tag.
  EXPECT_EQ(Write(AddEnum({L"Normal"}, APInheritedOnly), L"Other"), kNoMatchingTag);
}

TEST_F(EasyAttributeValueWriterTest, NoTargetIsNotAtTheTarget) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>();
  EXPECT_EQ(m_writer.Write(attribute, nullptr, L"1"), kNotAtTarget);
  EXPECT_EQ(OverrideCount(), 0u);
}

TEST_F(EasyAttributeValueWriterTest, ExistingOverrideIsReused) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>();
  ASSERT_EQ(Write(attribute, L"1"), kWritten);
  ZUnsignedOverrideAttr* pFirst = &OverrideOf(attribute);
  EXPECT_EQ(Write(attribute, L"2"), kWritten);
  EXPECT_EQ(&OverrideOf(attribute), pFirst);
  EXPECT_EQ(pFirst->GetValue(), 2u);
  EXPECT_EQ(OverrideCount(), 1u);
}

TEST_F(EasyAttributeValueWriterTest, EachWriteStartsWithAFreshResult) {
  ZUnsignedDefaultAttr& attribute = Add<ZUnsignedDefaultAttr>();
  EXPECT_EQ(Write(attribute, L"x"), kParseError);
  EXPECT_EQ(Write(attribute, L"3"), kWritten);
  EXPECT_EQ(Write(Add<ZUnsignedDefaultAttr>(APInheritedOnly), L"3"), kNotAtTarget);
  EXPECT_EQ(Write(attribute, L"4"), kWritten);
  EXPECT_EQ(OverrideOf(attribute).GetValue(), 4u);
}
