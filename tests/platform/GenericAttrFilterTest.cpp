// Unit tests for platform/attributes/GenericAttrFilter.cpp and AttributePredicate.cpp: the
// attributes of one interface, in document order.
#include <attributes/AttributePredicate.h>
#include <attributes/GenericAttrFilter.h>
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Pelka;
using NAttributes::ZAttributePredicate;
using NAttributes::ZAttributePredicate4Interface;
using NAttributes::ZGenericAttrFilter;

namespace {

// Every attribute the filter yields, by qualifier; an override is marked with "*".
std::vector<std::wstring> Matches(ZEcuDoc& doc, ZAttributePredicate& predicate) {
  ZGenericAttrFilter filter(doc.GetEcu().VirtualAttributes());
  std::vector<std::wstring> qualifiers;
  for (auto it = filter.Begin(predicate); it != filter.End(); it = filter.FindNext(it)) {
    qualifiers.push_back(std::wstring(it->GetQualifier()) + (it->IsOverride() ? L"*" : L""));
  }
  return qualifiers;
}

std::vector<std::wstring> InterfaceMatches(ZEcuDoc& doc, const wchar_t* interfaceQualifier) {
  ZAttributePredicate4Interface predicate(doc, interfaceQualifier);
  return Matches(doc, predicate);
}

// Holds for the attributes of one category; offers no index, so the filter tests every one.
class CategoryPredicate : public ZAttributePredicate {
 public:
  explicit CategoryPredicate(const wchar_t* category) : m_category(category) {}
  bool Holds(ZAttribute& attribute) const override {
    return m_category == attribute.GetCategory().GetQualifier();
  }

 private:
  std::wstring m_category;
};

// Counts the attributes another predicate is asked about.
class CountingPredicate : public ZAttributePredicate {
 public:
  explicit CountingPredicate(const ZAttributePredicate& inner) : m_inner(inner) {}
  bool Holds(ZAttribute& attribute) const override {
    ++asked;
    return m_inner.Holds(attribute);
  }
  const std::vector<std::size_t>* CandidatePositions(const ZVirtualAttrView& view) const override {
    return m_inner.CandidatePositions(view);
  }
  mutable int asked = 0;

 private:
  const ZAttributePredicate& m_inner;
};

class InterfaceFilter : public ::testing::Test {
 protected:
  InterfaceFilter() {
    for (const wchar_t* name : {L"CAN_1", L"CAN_2"}) {
      m_doc.AddAttribute<ZCommonStringDefaultAttr>(name, ZEcuDoc::interfaceCategory);
    }
    for (const wchar_t* name : {L"CP.A", L"CP.B", L"CP.C", L"CP.D"}) {
      m_doc.AddAttribute<ZUnsignedDefaultAttr>(name, L"CP.TIMING");
    }
    m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"DOC.E", L"CP.TIMING", APInheritedOnly);
    Member(L"CAN_1", L"DOC.E");
    Member(L"CAN_1", L"CP.C");
    Member(L"CAN_1", L"CP.A");
    Member(L"CAN_2", L"CP.C");
    Member(L"CAN_2", L"CP.D");
  }
  void Member(const wchar_t* interfaceQualifier, const wchar_t* qualifier) {
    m_doc.AddInterfaceMember(interfaceQualifier, *m_doc.FindAttribute(qualifier));
  }

  ZEcuDoc m_doc;
};

}  // namespace

TEST_F(InterfaceFilter, YieldsTheMembersInDocumentOrder) {
  EXPECT_EQ(InterfaceMatches(m_doc, L"CAN_1"),
            (std::vector<std::wstring>{L"CP.A", L"CP.C", L"DOC.E"}));
  EXPECT_EQ(InterfaceMatches(m_doc, L"CAN_2"), (std::vector<std::wstring>{L"CP.C", L"CP.D"}));
}

TEST_F(InterfaceFilter, YieldsTheOverrideWhereTheEcuHasOne) {
  m_doc.FindAttribute(L"CP.C")->CreateOverride(m_doc.GetEcu());
  EXPECT_EQ(InterfaceMatches(m_doc, L"CAN_2"), (std::vector<std::wstring>{L"CP.C*", L"CP.D"}));
}

TEST_F(InterfaceFilter, UnknownInterfaceOrQualifierOfAnotherCaseYieldsNothing) {
  EXPECT_TRUE(InterfaceMatches(m_doc, L"CAN_9").empty());
  EXPECT_TRUE(InterfaceMatches(m_doc, L"can_1").empty());
  EXPECT_TRUE(InterfaceMatches(m_doc, nullptr).empty());
}

TEST_F(InterfaceFilter, PredicateOfAnotherDocumentMatchesNothing) {
  ZEcuDoc other;
  other.AddAttribute<ZUnsignedDefaultAttr>(L"CP.A");
  ZAttributePredicate4Interface predicate(m_doc, L"CAN_1");
  EXPECT_TRUE(Matches(other, predicate).empty());
}

TEST_F(InterfaceFilter, FindNextStaysAtTheEnd) {
  ZGenericAttrFilter filter(m_doc.GetEcu().VirtualAttributes());
  EXPECT_EQ(filter.FindNext(filter.End()), filter.End()) << "before any Begin";
  ZAttributePredicate4Interface predicate(m_doc, L"CAN_2");
  auto last = filter.FindNext(filter.Begin(predicate));
  EXPECT_STREQ(last->GetQualifier(), L"CP.D");
  EXPECT_EQ(filter.FindNext(last), filter.End());
  EXPECT_EQ(filter.FindNext(filter.End()), filter.End());
}

TEST_F(InterfaceFilter, PredicateWithoutIndexIsAskedAboutEveryAttribute) {
  CategoryPredicate timing(L"CP.TIMING");
  CountingPredicate counting(timing);
  EXPECT_EQ(Matches(m_doc, counting).size(), 5u);
  EXPECT_EQ(counting.asked, 7);
}

// Reading one interface must not cost more because the document has many others.
TEST(InterfaceFilterScale, AsksOnlyAboutTheMembersOfTheInterface) {
  ZEcuDoc doc;
  const int interfaces = 1000;
  for (int index = 0; index < interfaces; ++index) {
    const std::wstring name = L"IF_" + std::to_wstring(index);
    doc.AddAttribute<ZCommonStringDefaultAttr>(name.c_str(), ZEcuDoc::interfaceCategory);
    for (const wchar_t* parameter : {L".P2", L".P3", L".S3"}) {
      const std::wstring qualifier = name + parameter;
      ZDefaultAttr& member = doc.AddAttribute<ZUnsignedDefaultAttr>(qualifier.c_str());
      doc.AddInterfaceMember(name.c_str(), member);
    }
  }
  for (const int index : {0, 499, 999}) {
    const std::wstring name = L"IF_" + std::to_wstring(index);
    ZAttributePredicate4Interface predicate(doc, name.c_str());
    CountingPredicate counting(predicate);
    EXPECT_EQ(Matches(doc, counting),
              (std::vector<std::wstring>{name + L".P2", name + L".P3", name + L".S3"}));
    EXPECT_EQ(counting.asked, 3);
  }
}
