// Unit tests for platform/pelka/EqualDocuments.cpp: what makes two documents differ.
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>

using namespace Pelka;

namespace {

// The same small document, built afresh for each side.
std::unique_ptr<ZEcuDoc> Sample() {
  auto pDoc = std::make_unique<ZEcuDoc>();
  pDoc->AddLanguage(1031, L"Deutsch");
  pDoc->AddAttribute<ZCommonStringDefaultAttr>(L"CAN_1", ZEcuDoc::interfaceCategory);
  auto& number = pDoc->AddAttribute<ZFloatDefaultAttr>(L"CP.F", L"C");
  number.SetValue(std::numeric_limits<double>::quiet_NaN());
  auto& choice = pDoc->AddAttribute<ZEnumDefaultAttr>(L"CP.E", L"", APInheritedOnly);
  choice.EnumTagTable().AddNewTag(2).GetTagText().SetText(L"Two", 1031, true);
  pDoc->AddInterfaceMember(L"CAN_1", number);
  return pDoc;
}

// What EqualDocuments says after the change is made to the right-hand document.
std::string DifferenceAfter(const std::function<void(ZEcuDoc&)>& change) {
  const std::unique_ptr<ZEcuDoc> pLeft = Sample();
  const std::unique_ptr<ZEcuDoc> pRight = Sample();
  change(*pRight);
  std::string difference;
  const bool equal = EqualDocuments(*pLeft, *pRight, &difference);
  EXPECT_EQ(equal, difference.empty());
  return difference;
}

ZTranslatable& TagText(ZEcuDoc& doc) {
  return static_cast<ZEnumDefaultAttr&>(*doc.FindAttribute(L"CP.E"))
      .EnumTagTable()
      .GetEnumTagSymbolById(2)
      .GetTagText();
}

}  // namespace

TEST(EqualDocuments, EqualContentIsEqualEvenWithNaN) {
  EXPECT_EQ(DifferenceAfter([](ZEcuDoc&) {}), "");
}

TEST(EqualDocuments, NamesTheFirstDifference) {
  EXPECT_EQ(DifferenceAfter([](ZEcuDoc& doc) { doc.Languages().ItemAt(1)->SetName(L"German"); }),
            "language 1 differs");
  EXPECT_EQ(DifferenceAfter([](ZEcuDoc& doc) { doc.AddAttribute<ZSignedDefaultAttr>(L"X"); }),
            "attribute count differs");
  EXPECT_EQ(DifferenceAfter([](ZEcuDoc& doc) {
              doc.FindAttribute(L"CP.F")->GetNames().SetDefined(true, 1031);
            }),
            "attribute \"CP.F\": names");
  EXPECT_EQ(DifferenceAfter([](ZEcuDoc& doc) {
              static_cast<ZFloatDefaultAttr*>(doc.FindAttribute(L"CP.F"))->SetValue(-0.0);
            }),
            "attribute \"CP.F\": default value");
  EXPECT_EQ(DifferenceAfter(
                [](ZEcuDoc& doc) { doc.FindAttribute(L"CP.F")->CreateOverride(doc.GetEcu()); }),
            "attribute \"CP.F\": override presence");
  EXPECT_EQ(DifferenceAfter([](ZEcuDoc& doc) { TagText(doc).SetDefined(false, 1031); }),
            "attribute \"CP.E\": tag 2");
  EXPECT_EQ(DifferenceAfter([](ZEcuDoc& doc) {
              doc.AddInterfaceMember(L"CAN_1", *doc.FindAttribute(L"CP.E"));
            }),
            "members of interface \"CAN_1\"");
}

TEST(EqualDocuments, PlacementAndCategoryCount) {
  ZEcuDoc held;
  ZEcuDoc inherited;
  held.AddAttribute<ZSignedDefaultAttr>(L"X", L"C");
  inherited.AddAttribute<ZSignedDefaultAttr>(L"X", L"C", APInheritedOnly);
  std::string difference;
  EXPECT_FALSE(EqualDocuments(held, inherited, &difference));
  EXPECT_EQ(difference, "attribute \"X\": placement");
  ZEcuDoc otherCategory;
  otherCategory.AddAttribute<ZSignedDefaultAttr>(L"X", L"D");
  EXPECT_FALSE(EqualDocuments(held, otherCategory, &difference));
  EXPECT_EQ(difference, "attribute \"X\": category");
}
