// Unit tests for platform/pelka/EcuDoc.cpp and Attributable.cpp: the document, the ECU's
// attribute sets, inherited attributes and interface members.
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Pelka;

namespace {

std::vector<std::wstring> Qualifiers(ZVirtualAttrView& view) {
  std::vector<std::wstring> qualifiers;
  for (auto it = view.Begin(); it != view.End(); ++it) {
    qualifiers.push_back(std::wstring(it->GetQualifier()) + (it->IsOverride() ? L"*" : L""));
  }
  return qualifiers;
}

std::string ModelError(const std::function<void()>& action) {
  try {
    action();
  } catch (const ZModelError& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

TEST(EcuDoc, NewDocumentHasAnEcuAndOnlyTheDefaultLanguage) {
  ZEcuDoc doc;
  EXPECT_EQ(&doc.GetEcu().GetOwnerDoc(), &doc);
  EXPECT_EQ(doc.AttributeCount(), 0u);
  EXPECT_EQ(doc.GetEcu().VirtualAttributes().Begin(), doc.GetEcu().VirtualAttributes().End());
  ASSERT_EQ(doc.Languages().Count(), 1u);
  const ZLanguage& language = *doc.Languages().ItemAt(0);
  EXPECT_EQ(static_cast<ZLanguageId>(language), ZLanguage::defaultLangId);
  EXPECT_STREQ(language.GetName(), L"Default");
}

TEST(EcuDoc, QualifiersAreUniqueAndNotEmpty) {
  ZEcuDoc doc;
  doc.AddAttribute<ZUnsignedDefaultAttr>(L"CP.P2");
  EXPECT_EQ(ModelError([&] { doc.AddAttribute<ZTextDefaultAttr>(L"CP.P2"); }),
            "duplicate qualifier \"CP.P2\"");
  EXPECT_EQ(ModelError([&] { doc.AddAttribute(ZAttrManager::ATSigned, nullptr); }),
            "empty qualifier");
  EXPECT_EQ(doc.AttributeCount(), 1u);
  EXPECT_EQ(doc.FindAttribute(L"CP.P2"), &doc.AttributeAt(0));
  EXPECT_EQ(doc.FindAttribute(L"cp.p2"), nullptr) << "exact comparison";
}

TEST(EcuDoc, PositionsOutsideAContainerAreRefused) {
  ZEcuDoc doc;
  EXPECT_EQ(ModelError([&] { doc.AttributeAt(0); }), "attribute position 0 out of range");
  EXPECT_THROW(*doc.GetEcu().VirtualAttributes().End(), ZModelError);
  EXPECT_THROW(*doc.Languages().End(), ZModelError);
}

class EcuAttributes : public ::testing::Test {
 protected:
  ZEcuDoc m_doc;
  ZDefaultAttr& m_first = m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"A.First");
  ZDefaultAttr& m_shared =
      m_doc.AddAttribute<ZSignedDefaultAttr>(L"D.Shared", L"", APInheritedOnly);
  ZDefaultAttr& m_third = m_doc.AddAttribute<ZTextDefaultAttr>(L"A.Third");
};

TEST_F(EcuAttributes, TheEcuHoldsOnlyItsOwnAttributes) {
  ZDefaultAttrCollection& held = m_doc.GetEcu().DefaultAttributes();
  ASSERT_EQ(held.Count(), 2u);
  EXPECT_EQ(&held.ItemAt(0), &m_first);
  EXPECT_EQ(&held.ItemAt(1), &m_third);
  EXPECT_EQ(held.Find(m_third).GetPosition(), 1u);
  EXPECT_EQ(held.Find(m_shared), held.End());
}

TEST_F(EcuAttributes, VirtualAttributesShowEveryAttributeInDocumentOrder) {
  ZVirtualAttrView& view = m_doc.GetEcu().VirtualAttributes();
  EXPECT_EQ(Qualifiers(view), (std::vector<std::wstring>{L"A.First", L"D.Shared", L"A.Third"}));
  m_third.CreateOverride(m_doc.GetEcu());
  m_shared.CreateOverride(m_doc.GetEcu());
  EXPECT_EQ(Qualifiers(view), (std::vector<std::wstring>{L"A.First", L"D.Shared*", L"A.Third*"}))
      << "overrides show in place, whatever the order they were made in";
  EXPECT_EQ(&(*view.Begin()).GetDefaultAttribute(), &m_first);
  EXPECT_EQ(m_third.GetPosition(), 2u);
}

class Interfaces : public ::testing::Test {
 protected:
  ZEcuDoc m_doc;
  ZDefaultAttr& m_can1 = m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"CAN_1", L"COM.INTERFACES");
  ZDefaultAttr& m_a = m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"CP.A");
  ZDefaultAttr& m_b = m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"CP.B");
  ZDefaultAttr& m_c = m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"CP.C", L"COM.OTHER");
};

TEST_F(Interfaces, AnInterfaceIsAnAttributeOfTheInterfaceCategory) {
  EXPECT_EQ(m_doc.FindInterface(L"CAN_1"), &m_can1);
  EXPECT_EQ(m_doc.FindInterface(L"CP.C"), nullptr);
  EXPECT_EQ(m_doc.FindInterface(L"CAN_9"), nullptr);
  EXPECT_EQ(ModelError([&] { m_doc.AddInterfaceMember(L"CP.C", m_a); }), "no interface \"CP.C\"");
}

TEST_F(Interfaces, AreListedInDocumentOrder) {
  m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"LIN_1", L"com.interfaces");  // other case
  m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"CAN_2", L"COM.INTERFACES", APInheritedOnly);
  EXPECT_EQ(m_doc.InterfaceQualifiers(), (std::vector<std::wstring>{L"CAN_1", L"CAN_2"}));
  EXPECT_TRUE(ZEcuDoc().InterfaceQualifiers().empty());
}

TEST_F(Interfaces, MembersKeepDocumentOrderWhateverTheOrderOfAdding) {
  m_doc.AddInterfaceMember(L"CAN_1", m_c);
  m_doc.AddInterfaceMember(L"CAN_1", m_a);
  m_doc.AddInterfaceMember(L"CAN_1", m_c);
  EXPECT_EQ(m_doc.InterfaceMemberPositions(L"CAN_1"), (std::vector<std::size_t>{1, 3}));
  EXPECT_TRUE(m_doc.IsInterfaceMember(L"CAN_1", m_a));
  EXPECT_FALSE(m_doc.IsInterfaceMember(L"CAN_1", m_b));
  EXPECT_TRUE(m_doc.InterfaceMemberPositions(L"CAN_9").empty());
}

TEST_F(Interfaces, MembersOfAnotherDocumentAreRefused) {
  ZEcuDoc other;
  ZDefaultAttr& stranger = other.AddAttribute<ZUnsignedDefaultAttr>(L"CP.A");
  EXPECT_EQ(ModelError([&] { m_doc.AddInterfaceMember(L"CAN_1", stranger); }),
            "member of another document");
  EXPECT_FALSE(m_doc.IsInterfaceMember(L"CAN_1", stranger));
}

// The ECU's sets index attributes by document position, which another document repeats.
TEST(EcuDoc, AnAttributeOfAnotherDocumentIsNotFoundAtItsPosition) {
  ZEcuDoc doc;
  ZEcuDoc other;
  ZDefaultAttr& own = doc.AddAttribute<ZUnsignedDefaultAttr>(L"CP.A");
  ZDefaultAttr& stranger = other.AddAttribute<ZUnsignedDefaultAttr>(L"CP.A");
  ZOverrideAttr& ownOverride = own.CreateOverride(doc.GetEcu());
  stranger.CreateOverride(other.GetEcu());
  ASSERT_EQ(own.GetPosition(), stranger.GetPosition());

  ZOverrideAttrSet& overrides = doc.GetEcu().OverriddenAttributes();
  EXPECT_EQ(&*overrides.Find(own), &ownOverride);
  EXPECT_EQ(overrides.Find(stranger), overrides.End());
  ZDefaultAttrCollection& held = doc.GetEcu().DefaultAttributes();
  EXPECT_EQ(&*held.Find(own), &own);
  EXPECT_EQ(held.Find(stranger), held.End());
  EXPECT_EQ(other.GetEcu().DefaultAttributes().Find(own), other.GetEcu().DefaultAttributes().End());
}
