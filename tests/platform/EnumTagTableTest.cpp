// Unit tests for platform/pelka/EnumTagTable.cpp: tags by id, in ascending order.
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <vector>

using namespace Pelka;

namespace {

class EnumTags : public ::testing::Test {
 protected:
  ZEcuDoc m_doc;
  ZEnumTagTable& m_table = m_doc.AddAttribute<ZEnumDefaultAttr>(L"CP.E").EnumTagTable();

  std::vector<ZEnumTagId> Ids() {
    std::vector<ZEnumTagId> ids;
    for (auto it = m_table.Begin(); it != m_table.End(); ++it) ids.push_back(it->GetId());
    return ids;
  }
};

}  // namespace

TEST_F(EnumTags, IterateInAscendingIdWhateverTheOrderOfAdding) {
  for (ZEnumTagId id : {7, 65535, 0, 3}) m_table.AddNewTag(id);
  EXPECT_EQ(Ids(), (std::vector<ZEnumTagId>{0, 3, 7, 65535}));
  EXPECT_EQ(m_table.Count(), 4u);
}

TEST_F(EnumTags, AddNewTagReturnsAnEmptySymbolFoundByItsId) {
  ZEnumTagSymbol& symbol = m_table.AddNewTag(5);
  EXPECT_EQ(symbol.GetId(), 5u);
  EXPECT_STREQ(symbol.GetTagText().GetText(ZLanguage::defaultLangId), L"");
  EXPECT_FALSE(symbol.GetTagText().IsDefined(ZLanguage::defaultLangId));
  EXPECT_EQ(&symbol.GetTagText().GetEcuDoc(), &m_doc);
  EXPECT_EQ(&m_table.GetEnumTagSymbolById(5), &symbol);
  EXPECT_EQ(&*m_table.Find(5), &symbol);
  EXPECT_EQ(m_table.Find(4), m_table.End());
}

TEST_F(EnumTags, TakenAndMissingIdsAreRefused) {
  m_table.AddNewTag(1);
  try {
    m_table.AddNewTag(1);
    FAIL() << "no error";
  } catch (const ZModelError& error) {
    EXPECT_STREQ(error.what(), "duplicate tag id 1");
  }
  try {
    m_table.GetEnumTagSymbolById(2);
    FAIL() << "no error";
  } catch (const ZModelError& error) {
    EXPECT_STREQ(error.what(), "no tag with id 2");
  }
  EXPECT_EQ(m_table.Count(), 1u);
}
