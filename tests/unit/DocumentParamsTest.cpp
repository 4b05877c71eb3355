// Unit tests for comparam/DocumentParams.cpp
#include <comparam/DocumentParams.h>

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Pelka;
using NComParamMan::GetDocumentParams;
using NComParamMan::GetDocumentSideName;
using NComParamMan::ZDocumentParam;

namespace {

// Qualifier, name and whether the library reads it, of each attribute of an interface.
struct Seen {
  std::wstring qualifier;
  std::wstring name;
  bool isRead;
  bool operator==(const Seen& other) const {
    return qualifier == other.qualifier && name == other.name && isRead == other.isRead;
  }
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
  return out << std::string(seen.qualifier.begin(), seen.qualifier.end())
             << (seen.isRead ? "" : " (not read)");
}

class DocumentParamsTest : public ::testing::Test {
 protected:
  DocumentParamsTest() {
    m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"CAN1", ZEcuDoc::interfaceCategory);
    m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"CAN2", ZEcuDoc::interfaceCategory);
  }

  ZUnsignedDefaultAttr& AddMember(const wchar_t* qualifier, const wchar_t* interfaceQualifier) {
    auto& attribute = m_doc.AddAttribute<ZUnsignedDefaultAttr>(qualifier, L"COM.TIMING");
    m_doc.AddInterfaceMember(interfaceQualifier, attribute);
    return attribute;
  }

  std::vector<Seen> SeenOf(const wchar_t* interfaceQualifier) {
    std::vector<Seen> seen;
    for (const ZDocumentParam& param : GetDocumentParams(m_doc, interfaceQualifier)) {
      seen.push_back({param.pAttribute->GetQualifier(), param.name, param.isRead});
    }
    return seen;
  }

  ZEcuDoc m_doc;
};

}  // namespace

TEST_F(DocumentParamsTest, TheFirstAttributeOfANameIsReadInEveryInterface) {
  AddMember(L"CP.P2Client", L"CAN1");
  AddMember(L"DIAG.P2Client", L"CAN1");
  ZUnsignedDefaultAttr& shared = AddMember(L"A1.P2Client", L"CAN2");
  m_doc.AddInterfaceMember(L"CAN1", shared);
  AddMember(L"CP.StMin", L"CAN1");
  AddMember(L"NoDot", L"CAN1");
  AddMember(L"AlsoNoDot", L"CAN1");
  EXPECT_EQ(SeenOf(L"CAN1"), (std::vector<Seen>{{L"CP.P2Client", L"P2Client", true},
                                                {L"DIAG.P2Client", L"P2Client", false},
                                                {L"A1.P2Client", L"P2Client", false},
                                                {L"CP.StMin", L"StMin", true},
                                                {L"NoDot", L"", true},
                                                {L"AlsoNoDot", L"", false}}));
  EXPECT_EQ(SeenOf(L"CAN2"), (std::vector<Seen>{{L"A1.P2Client", L"P2Client", true}}));
  for (const wchar_t* none : {L"CAN9", L"", static_cast<const wchar_t*>(nullptr)}) {
    EXPECT_TRUE(SeenOf(none).empty());
  }
}

TEST_F(DocumentParamsTest, AnOverriddenAttributeIsSeenAsTheEcuHoldsIt) {
  ZUnsignedDefaultAttr& p2 = AddMember(L"CP.P2Client", L"CAN1");
  p2.SetValue(50);
  static_cast<ZUnsignedOverrideAttr&>(p2.CreateOverride(m_doc.GetEcu())).SetValue(25);
  const std::vector<ZDocumentParam> params = GetDocumentParams(m_doc, L"CAN1");
  ASSERT_EQ(params.size(), 1u);
  EXPECT_TRUE(params[0].pAttribute->IsOverride());
  EXPECT_STREQ(params[0].pAttribute->GetValueText(), L"25");
}

TEST(DocumentSideName, IsTheTextAfterTheFirstDot) {
  EXPECT_STREQ(GetDocumentSideName(L"CP.P2Client"), L"P2Client");
  EXPECT_STREQ(GetDocumentSideName(L"A.B.C"), L"B.C");
  EXPECT_STREQ(GetDocumentSideName(L"X."), L"");
  EXPECT_STREQ(GetDocumentSideName(L"NoDot"), L"");
  EXPECT_STREQ(GetDocumentSideName(nullptr), L"");
}
