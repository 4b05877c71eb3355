// Unit tests for Util/ComParamHelper.cpp
#include <Util/ComParamHelper.h>

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Pelka;
using NComParamMan::AddEnumTag;
using NComParamMan::CountLanguagesWithText;
using NComParamMan::SetTextInAllLanguages;

namespace {

constexpr ZLanguageId kEnglish = 7;
constexpr ZLanguageId kGerman = 3;

// A document with three languages, the default one first, the others with unordered ids.
class ComParamHelperTest : public ::testing::Test {
 protected:
  ComParamHelperTest()
      : m_enum(m_doc.AddAttribute<ZEnumDefaultAttr>(L"CP.AddrScheme", L"CP.ADDR")),
        m_text(m_enum.GetDescription()) {
    m_doc.AddLanguage(kEnglish, L"English");
    m_doc.AddLanguage(kGerman, L"German");
  }

  std::vector<ZLanguageId> AllLanguages() const {
    return {ZLanguage::defaultLangId, kEnglish, kGerman};
  }

  ZEcuDoc m_doc;
  ZEnumDefaultAttr& m_enum;
  ZTranslatable& m_text;
};

using ComParamHelperDeathTest = ComParamHelperTest;

}  // namespace

TEST_F(ComParamHelperTest, SetTextInAllLanguagesMarkingThemDefined) {
  SetTextInAllLanguages(m_text, L"Normal", true);
  for (ZLanguageId id : AllLanguages()) {
    EXPECT_STREQ(m_text.GetText(id), L"Normal") << id;
    EXPECT_TRUE(m_text.IsDefined(id)) << id;
  }
}

TEST_F(ComParamHelperTest, SetTextInAllLanguagesLeavesDefinedFlagsAlone) {
  m_text.SetDefined(true, kEnglish);
  SetTextInAllLanguages(m_text, L"Normal", false);
  for (ZLanguageId id : AllLanguages()) EXPECT_STREQ(m_text.GetText(id), L"Normal") << id;
  EXPECT_FALSE(m_text.IsDefined(ZLanguage::defaultLangId));
  EXPECT_TRUE(m_text.IsDefined(kEnglish));
  EXPECT_FALSE(m_text.IsDefined(kGerman));
}

TEST_F(ComParamHelperTest, CountLanguagesWithTextComparesExactly) {
  m_text.SetText(L"Normal", ZLanguage::defaultLangId, true);
  m_text.SetText(L"Normal", kEnglish, true);
  m_text.SetText(L"normal", kGerman, true);
  EXPECT_EQ(CountLanguagesWithText(m_text, L"Normal", true), 2);
  EXPECT_EQ(CountLanguagesWithText(m_text, L"normal", true), 1);
  EXPECT_EQ(CountLanguagesWithText(m_text, L"Norm", true), 0);
  EXPECT_EQ(CountLanguagesWithText(m_text, L"Normal ", true), 0);
}

TEST_F(ComParamHelperTest, CountLanguagesWithTextSkipsUndefinedOnlyWhenAsked) {
  m_text.SetText(L"Normal", ZLanguage::defaultLangId, true);
  m_text.SetText(L"Normal", kEnglish, false);
  EXPECT_EQ(CountLanguagesWithText(m_text, L"Normal", true), 1);
  EXPECT_EQ(CountLanguagesWithText(m_text, L"Normal", false), 2);
}

TEST_F(ComParamHelperTest, NullTextCountsLanguagesWithEmptyText) {
  m_text.SetText(L"Normal", kEnglish, false);
  EXPECT_EQ(CountLanguagesWithText(m_text, nullptr, false), 2);
  EXPECT_EQ(CountLanguagesWithText(m_text, nullptr, true), 0);
}

TEST_F(ComParamHelperTest, AddEnumTagGivesTheNewTagItsTextInEveryLanguage) {
  AddEnumTag(m_enum, 4, L"Extended");
  AddEnumTag(m_enum, 1, L"Normal");
  ZEnumTagTable& tags = m_enum.EnumTagTable();
  ASSERT_EQ(tags.Count(), 2u);
  EXPECT_EQ(tags.Begin()->GetId(), 1) << "ascending ids whatever the order of adding";
  const ZTranslatable& text = tags.GetEnumTagSymbolById(4).GetTagText();
  EXPECT_EQ(CountLanguagesWithText(text, L"Extended", true), 3);
}

TEST_F(ComParamHelperDeathTest, AddEnumTagOnATakenIdIsAHardAssertion) {
  AddEnumTag(m_enum, 2, L"Normal");
  EXPECT_DEATH(AddEnumTag(m_enum, 2, L"Extended"),
               "tgtEnumDefaultAttr\\.EnumTagTable\\(\\)\\.Find\\(\\(ZEnumTagId\\) tag\\) == "
               "tgtEnumDefaultAttr\\.EnumTagTable\\(\\)\\.End\\(\\).*ComParamHelper");
}

TEST_F(ComParamHelperDeathTest, EmptyLanguageOfTheDocumentFailsTheModelsAssertion) {
  m_doc.Languages().ItemAt(1) = ZSmarty<ZLanguage>();
  EXPECT_DEATH(CountLanguagesWithText(m_text, L"Normal", false), "m_pPointee != NULL");
}
