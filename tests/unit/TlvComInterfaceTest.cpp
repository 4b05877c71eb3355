// Unit tests for comparam/TlvComInterface.cpp
#include "TlvComInterface.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "LogCapture.h"

using namespace Pelka;
using NComParamMan::ZTlvComInterface;
using NComParamMan::ZTlvComParam;

namespace {

// A document with the interfaces CAN1 and CAN2 and attributes that belong to one, both or none.
class TlvComInterfaceTest : public ::testing::Test {
 protected:
  TlvComInterfaceTest() {
    m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"CAN1", ZEcuDoc::interfaceCategory);
    m_doc.AddAttribute<ZCommonStringDefaultAttr>(L"CAN2", ZEcuDoc::interfaceCategory);
  }

  // A parameter of the interface, named after its qualifier so that views are told apart.
  ZUnsignedDefaultAttr& AddMember(const wchar_t* qualifier, const wchar_t* category,
                                  const wchar_t* interfaceQualifier = L"CAN1",
                                  ZAttrPlacement placement = APHeldByEcu) {
    auto& attribute = m_doc.AddAttribute<ZUnsignedDefaultAttr>(qualifier, category, placement);
    attribute.GetNames().SetText(qualifier, ZLanguage::defaultLangId, true);
    m_doc.AddInterfaceMember(interfaceQualifier, attribute);
    return attribute;
  }

  static std::vector<std::wstring> Printed(const ZTlvComInterface& view) {
    std::vector<std::wstring> lines;
    for (auto it = view.Begin(); it != view.End(); ++it) {
      std::wostringstream out;
      (*it)->PrintOn(out);
      lines.push_back(out.str());
    }
    return lines;
  }

  static std::wstring PrintOn(const ZTlvComInterface& view) {
    std::wostringstream out;
    view.PrintOn(out);
    return out.str();
  }

  ZEcuDoc m_doc;
};

using Lines = std::vector<std::wstring>;

}  // namespace

TEST_F(TlvComInterfaceTest, CollectsTheInterfacesParametersInDocumentOrder) {
  AddMember(L"CP.P2", L"COM.TIMING");
  ZUnsignedDefaultAttr& canId = AddMember(L"CP.ReqCanId", L"COM.CAN", L"CAN2");
  AddMember(L"CP.P3", L"COM.TIMING");
  m_doc.AddAttribute<ZUnsignedDefaultAttr>(L"CP.Other", L"COM.TIMING");
  m_doc.AddInterfaceMember(L"CAN1", canId);

  ZTlvComInterface view(&m_doc, L"CAN1");
  EXPECT_EQ(Printed(view), (Lines{L"[n:CP.P2,q:P2,c:TIMING]", L"[n:CP.ReqCanId,q:ReqCanId,c:CAN]",
                                  L"[n:CP.P3,q:P3,c:TIMING]"}));
  EXPECT_EQ(Printed(ZTlvComInterface(&m_doc, L"CAN2")),
            (Lines{L"[n:CP.ReqCanId,q:ReqCanId,c:CAN]"}));
}

TEST_F(TlvComInterfaceTest, PrintOnWritesEveryViewOnItsOwnLine) {
  AddMember(L"CP.P2", L"COM.TIMING");
  AddMember(L"CP.P3", L"COM.TIMING");
  EXPECT_EQ(PrintOn(ZTlvComInterface(&m_doc, L"CAN1")),
            L"[n:CP.P2,q:P2,c:TIMING]\n[n:CP.P3,q:P3,c:TIMING]\n");
}

TEST_F(TlvComInterfaceTest, FindByQualifierComparesExactly) {
  AddMember(L"CP.P2", L"COM.TIMING");
  ZUnsignedDefaultAttr& canId = AddMember(L"CP.ReqCanId", L"COM.CAN");
  ZTlvComInterface view(&m_doc, L"CAN1");
  ZTlvComParam* pFound = view.FindByQualifier(L"ReqCanId");
  ASSERT_NE(pFound, nullptr);
  EXPECT_STREQ(pFound->GetName(), canId.GetName(ZLanguage::defaultLangId));
  EXPECT_EQ(view.FindByQualifier(L"reqcanid"), nullptr);
  EXPECT_EQ(view.FindByQualifier(L"CP.ReqCanId"), nullptr);
  EXPECT_EQ(view.FindByQualifier(L"ReqCan"), nullptr);
  EXPECT_EQ(view.FindByQualifier(nullptr), nullptr);
}

TEST_F(TlvComInterfaceTest, InterfaceWithoutParametersGivesAnEmptyView) {
  AddMember(L"CP.P2", L"COM.TIMING", L"CAN2");
  for (const wchar_t* interfaceQualifier : {L"CAN1", L"NoSuchInterface", L""}) {
    ZTlvComInterface view(&m_doc, interfaceQualifier);
    EXPECT_TRUE(view.Begin() == view.End()) << interfaceQualifier;
    EXPECT_EQ(view.FindByQualifier(L"P2"), nullptr);
    EXPECT_EQ(view.FindByQualifier(L""), nullptr);
    EXPECT_EQ(PrintOn(view), L"");
  }
}

TEST_F(TlvComInterfaceTest, EqualQualifiersAreAllKeptAndTheFirstIsFound) {
  AddMember(L"A.P2", L"COM.FIRST");
  AddMember(L"B.P2", L"COM.SECOND");
  ZTlvComInterface view(&m_doc, L"CAN1");
  EXPECT_EQ(Printed(view), (Lines{L"[n:A.P2,q:P2,c:FIRST]", L"[n:B.P2,q:P2,c:SECOND]"}));
  ASSERT_NE(view.FindByQualifier(L"P2"), nullptr);
  EXPECT_STREQ(view.FindByQualifier(L"P2")->GetCategoryQualifier(), L"FIRST");
}

TEST_F(TlvComInterfaceTest, DotlessQualifiersShareTheEmptyKey) {
  AddMember(L"First", L"COM.X");
  AddMember(L"Second", L"COM.Y");
  ZTlvComInterface view(&m_doc, L"CAN1");
  EXPECT_EQ(Printed(view).size(), 2u);
  ASSERT_NE(view.FindByQualifier(L""), nullptr);
  EXPECT_STREQ(view.FindByQualifier(L"")->GetName(), L"First");
  EXPECT_EQ(view.FindByQualifier(nullptr), view.FindByQualifier(L""));
}

TEST_F(TlvComInterfaceTest, ViewsReadTheEcusOverride) {
  ZUnsignedDefaultAttr& p2 = AddMember(L"CP.P2", L"COM.TIMING");
  p2.SetValue(50);
  static_cast<ZUnsignedOverrideAttr&>(p2.CreateOverride(m_doc.GetEcu())).SetValue(25);
  ZTlvComInterface view(&m_doc, L"CAN1");
  EXPECT_STREQ(view.FindByQualifier(L"P2")->GetValue(), L"25");
}

TEST_F(TlvComInterfaceTest, InheritedParametersAreViewedButCannotBeWritten) {
  AddMember(L"CP.P2", L"COM.TIMING", L"CAN1", APInheritedOnly);
  ZTlvComInterface view(&m_doc, L"CAN1");
  ZTlvComParam* pP2 = view.FindByQualifier(L"P2");
  ASSERT_NE(pP2, nullptr);
  LogCapture log;
  EXPECT_FALSE(pP2->SetValue(L"25", false));
  EXPECT_EQ(log.Texts(), (Lines{L"ZTlvComParam::SetValue: Bad attribute\n"}));
}

TEST_F(TlvComInterfaceTest, NullDocumentIsAnInternalError) {
  ExpectInternalCheck([] { ZTlvComInterface view(nullptr, L"CAN1"); }, L"m_pEcuDoc",
                      "TlvComInterface.cpp");
}
