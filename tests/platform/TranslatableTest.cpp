// Unit tests for platform/pelka/Translatable.cpp and Language.cpp: texts per language and the
// document's languages.
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Pelka;

namespace {

class Translatable : public ::testing::Test {
 protected:
  Translatable() { m_doc.AddLanguage(1031, L"Deutsch"); }

  ZEcuDoc m_doc;
  ZTranslatable m_text{m_doc};
};

}  // namespace

TEST_F(Translatable, StartsEmptyAndUndefinedInEveryLanguage) {
  EXPECT_STREQ(m_text.GetText(ZLanguage::defaultLangId), L"");
  EXPECT_FALSE(m_text.IsDefined(1031));
  EXPECT_STREQ(m_text.GetText(4711), L"") << "reading an unknown language is harmless";
  EXPECT_EQ(&m_text.GetEcuDoc(), &m_doc);
}

TEST_F(Translatable, ASharedTextIsKeptOnceAndReplacedNotChanged) {
  const auto shared = std::make_shared<const std::wstring>(L"Zeitgrenze");
  ZTranslatable other{m_doc};
  m_text.SetSharedText(shared, 1031, true);
  other.SetSharedText(shared, 1031, false);
  EXPECT_EQ(m_text.GetText(1031), other.GetText(1031)) << "one text, held twice";
  EXPECT_TRUE(m_text.IsDefined(1031));
  EXPECT_FALSE(other.IsDefined(1031));
  other.SetText(L"Frist", 1031, false);
  EXPECT_STREQ(m_text.GetText(1031), L"Zeitgrenze") << "a new text does not change the shared one";
  m_text.SetSharedText(nullptr, 1031, false);
  EXPECT_STREQ(m_text.GetText(1031), L"");
  EXPECT_THROW(m_text.SetSharedText(shared, 4711, false), ZModelError);
}

TEST_F(Translatable, SetTextMarksDefinedOnlyWhenAskedAndNeverClearsTheFlag) {
  m_text.SetText(L"Hallo", 1031, false);
  EXPECT_STREQ(m_text.GetText(1031), L"Hallo");
  EXPECT_FALSE(m_text.IsDefined(1031));
  m_text.SetText(L"Hallo!", 1031, true);
  EXPECT_TRUE(m_text.IsDefined(1031));
  m_text.SetText(L"Servus", 1031, false);
  EXPECT_TRUE(m_text.IsDefined(1031));
  EXPECT_FALSE(m_text.IsDefined(ZLanguage::defaultLangId)) << "languages are independent";
  m_text.SetDefined(false, 1031);
  EXPECT_FALSE(m_text.IsDefined(1031));
  EXPECT_STREQ(m_text.GetText(1031), L"Servus") << "an undefined text is still kept";
  m_text.SetText(nullptr, 1031, false);
  EXPECT_STREQ(m_text.GetText(1031), L"");
}

TEST_F(Translatable, WritingALanguageTheDocumentLacksIsRefused) {
  try {
    m_text.SetText(L"Bonjour", 1036, true);
    FAIL() << "no error";
  } catch (const ZModelError& error) {
    EXPECT_STREQ(error.what(), "unknown language 1036");
  }
  EXPECT_THROW(m_text.SetDefined(true, 1036), ZModelError);
}

TEST(LanguageSet, KeepsTheOrderOfAddingAfterTheDefaultLanguage) {
  ZEcuDoc doc;
  doc.AddLanguage(1036, L"Fran\u00e7ais");
  ZLanguage& german = doc.AddLanguage(1031, L"Deutsch");
  EXPECT_EQ(german.GetId(), 1031u);
  std::vector<ZLanguageId> ids;
  ZLanguageSet& languages = doc.Languages();
  for (auto it = languages.Begin(); it != languages.End(); ++it) ids.push_back(**it);
  EXPECT_EQ(ids, (std::vector<ZLanguageId>{0, 1036, 1031}));
  EXPECT_STREQ((*languages.Find(1036))->GetName(), L"Fran\u00e7ais");
  EXPECT_EQ(languages.Find(7), languages.End());
  EXPECT_TRUE(languages.Contains(1031));
}

TEST(LanguageSet, ALanguageIdIsTakenOnce) {
  ZEcuDoc doc;
  try {
    doc.AddLanguage(ZLanguage::defaultLangId, L"Again");
    FAIL() << "no error";
  } catch (const ZModelError& error) {
    EXPECT_STREQ(error.what(), "duplicate language 0");
  }
  EXPECT_EQ(doc.Languages().Count(), 1u);
}
