// Unit tests for platform/pelka/Smarty.cpp: the smart pointer's hard assertion.
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <memory>

using namespace Pelka;

TEST(Smarty, SharesItsPointee) {
  ZSmarty<int> first(std::make_shared<int>(5));
  ZSmarty<int> second = first;
  *second = 6;
  EXPECT_EQ(*first, 6);
  EXPECT_FALSE(first.IsNull());
  EXPECT_TRUE(ZSmarty<int>().IsNull());
  EXPECT_EQ(ZSmarty<int>().Get(), nullptr);
}

TEST(SmartyDeathTest, DereferencingAnEmptyOneAbortsNamingExpressionAndUnit) {
  const ZSmarty<ZLanguage> empty;
  EXPECT_DEATH(static_cast<void>(*empty),
               "Assertion failed: m_pPointee != NULL \\(.*pelka.Smarty.cpp:");
  EXPECT_DEATH(static_cast<void>(empty->GetId()), "m_pPointee != NULL");
}

TEST(SmartyDeathTest, AnEmptyPointerPlantedInALanguageSetAbortsWhenRead) {
  ZEcuDoc doc;
  *doc.Languages().Begin() = ZSmarty<ZLanguage>();
  EXPECT_DEATH(static_cast<void>(static_cast<ZLanguageId>(**doc.Languages().Begin())),
               "m_pPointee != NULL");
}
