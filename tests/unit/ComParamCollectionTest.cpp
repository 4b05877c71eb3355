// Unit tests for comparam/ComParamCollection.cpp
#include "ComParamFactory.h"

#include <comparam/ComParamCollection.h>
#include <comparam/StringComParam.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "LogCapture.h"

using NComParamMan::ZComParam;
using NComParamMan::ZComParamCollection;
using NComParamMan::ZComParamConfiguration;
using NComParamMan::ZComParamFactory;
using NComParamMan::ZStringComParam;

namespace {

// A text parameter that counts its live instances, clones included, to see what is destroyed.
class TrackedParam : public ZStringComParam {
 public:
  static int s_live;

  TrackedParam(const wchar_t* qualifier, const wchar_t* value)
      : ZStringComParam(qualifier, L"", false, true, qualifier, L"", qualifier, value) {
    ++s_live;
  }
  TrackedParam(const TrackedParam& other) : ZStringComParam(other) { ++s_live; }
  ~TrackedParam() override { --s_live; }
  ZComParam* Clone() const override { return new TrackedParam(*this); }
};
int TrackedParam::s_live = 0;

class ComParamCollectionTest : public ::testing::Test {
 protected:
  void SetUp() override { TrackedParam::s_live = 0; }

  // Adds a new tracked parameter and returns it; the collection owns it.
  static ZComParam* Add(ZComParamCollection& collection, const wchar_t* qualifier,
                        const wchar_t* value = L"") {
    auto* param = new TrackedParam(qualifier, value);
    EXPECT_TRUE(collection.AddComParam(param)) << qualifier;
    return param;
  }

  static std::vector<std::wstring> QualifiersByIndex(const ZComParamCollection& collection) {
    std::vector<std::wstring> qualifiers;
    for (unsigned i = 0; i < collection.Count(); ++i) {
      qualifiers.push_back(collection.At(i).GetQualifier());
    }
    return qualifiers;
  }

  static std::vector<std::wstring> QualifiersByIterator(const ZComParamCollection& collection) {
    std::vector<std::wstring> qualifiers;
    for (auto it = collection.Begin(); it != collection.End(); ++it) {
      qualifiers.push_back((*it).GetQualifier());
    }
    return qualifiers;
  }

  static std::vector<std::wstring> Values(const ZComParamCollection& collection) {
    std::vector<std::wstring> values;
    for (auto it = collection.Begin(); it != collection.End(); it++) {
      values.push_back(it->GetValue());
    }
    return values;
  }

  const std::vector<std::wstring> kInsertionOrder = {L"P2Client", L"AddrScheme", L"CanIdType"};
};

using ComParamConfigurationTest = ComParamCollectionTest;

}  // namespace

// ---- order and lookup ----

TEST_F(ComParamCollectionTest, ListsInInsertionOrderAndFindsByQualifier) {
  ZComParamCollection collection;
  ZComParam* p2 = Add(collection, L"P2Client");
  ZComParam* scheme = Add(collection, L"AddrScheme");
  ZComParam* idType = Add(collection, L"CanIdType");

  EXPECT_EQ(collection.Count(), 3u);
  EXPECT_EQ(QualifiersByIndex(collection), kInsertionOrder);
  EXPECT_EQ(QualifiersByIterator(collection), kInsertionOrder);
  EXPECT_EQ(collection.FindByQualifier(L"P2Client"), p2);
  EXPECT_EQ(collection.FindByQualifier(L"AddrScheme"), scheme);
  EXPECT_EQ(collection.FindByQualifier(L"CanIdType"), idType);
  EXPECT_EQ(collection.FindByQualifier(L"p2client"), nullptr);
  EXPECT_EQ(collection.FindByQualifier(L"P2Client "), nullptr);
}

TEST_F(ComParamCollectionTest, IteratorsCopyCompareAndAdvance) {
  ZComParamCollection collection;
  ZComParam* first = Add(collection, L"P2Client");
  ZComParam* second = Add(collection, L"AddrScheme");

  ZComParamCollection::ZIterator it = collection.Begin();
  const ZComParamCollection::ZIterator copy = it;
  EXPECT_TRUE(it == copy);
  EXPECT_EQ(&*it++, first);
  EXPECT_TRUE(it != copy);
  EXPECT_EQ(&*it, second);
  EXPECT_TRUE(++it == collection.End());
  EXPECT_EQ(&*copy, first);

  ZComParamCollection empty;
  EXPECT_TRUE(empty.Begin() == empty.End());
}

TEST_F(ComParamCollectionTest, ReleaseHandsOverEveryParameterInInsertionOrder) {
  ZComParamCollection collection;
  for (const std::wstring& qualifier : kInsertionOrder) Add(collection, qualifier.c_str());
  ZComParamCollection::ZComParamList released = collection.ReleaseComParams();
  EXPECT_EQ(collection.Count(), 0u);
  EXPECT_EQ(collection.FindByQualifier(L"P2Client"), nullptr);
  EXPECT_EQ(collection.Begin(), collection.End());
  ASSERT_EQ(released.size(), kInsertionOrder.size());
  EXPECT_EQ(TrackedParam::s_live, 3);  // the caller's now, not destroyed
  auto expected = kInsertionOrder.begin();
  for (ZComParam* param : released) {
    EXPECT_EQ(param->GetQualifier(), *expected++);
    // Each can join a collection again.
    EXPECT_TRUE(collection.AddComParam(param));
  }
  EXPECT_EQ(QualifiersByIndex(collection), kInsertionOrder);
}

TEST_F(ComParamCollectionTest, NullQualifierReadsAsEmptyText) {
  ZComParamCollection collection;
  EXPECT_EQ(collection.FindByQualifier(nullptr), nullptr);
  ZComParam* unnamed = Add(collection, L"");
  EXPECT_EQ(collection.FindByQualifier(nullptr), unnamed);
}

TEST_F(ComParamCollectionTest, NullParameterIsRefused) {
  ZComParamCollection collection;
  EXPECT_FALSE(collection.AddComParam(nullptr));
  EXPECT_EQ(collection.Count(), 0u);
}

TEST_F(ComParamCollectionTest, IndexKeepsTheQualifierAParameterHadWhenAdded) {
  ZComParamCollection collection;
  ZComParam* param = Add(collection, L"P2Client");
  param->SetQualifier(L"Renamed");
  EXPECT_EQ(collection.FindByQualifier(L"P2Client"), param);
  EXPECT_EQ(collection.FindByQualifier(L"Renamed"), nullptr);
}

TEST_F(ComParamCollectionTest, AtPastTheEndFailsTheIndexCheck) {
  ZComParamCollection collection;
  Add(collection, L"P2Client");
  ExpectInternalCheck([&] { collection.At(collection.Count()); }, L"idx<Count()",
                      "ComParamCollection.cpp");
}

// ---- duplicates ----

// A collection filled from spare entries follows the rules of AddComParam, also once the spares
// run out, and the spares never destroy the parameters their entries named.
TEST_F(ComParamCollectionTest, SpareEntriesFillAnotherCollectionUnderTheSameRules) {
  ZComParamCollection previous;
  for (const std::wstring& qualifier : kInsertionOrder) Add(previous, qualifier.c_str());
  ZComParamCollection::ZSpareEntries spare;
  ZComParamCollection::ZComParamList released = previous.ReleaseComParams(spare);
  EXPECT_EQ(previous.Count(), 0u);
  EXPECT_EQ(previous.FindByQualifier(L"P2Client"), nullptr);
  ASSERT_EQ(released.size(), kInsertionOrder.size());
  EXPECT_EQ(TrackedParam::s_live, 3);
  for (ZComParam* param : released) delete param;
  while (!released.empty()) spare.Keep(released, released.begin());

  // Shorter and longer qualifiers than the spare entries had, then more than there are spares.
  const std::vector<std::wstring> order = {L"P2Client", L"A", L"AVeryMuchLongerQualifier",
                                           L"S3Client", L"Fifth"};
  ZComParamCollection collection;
  std::vector<ZComParam*> added;
  for (const std::wstring& qualifier : order) {
    added.push_back(new TrackedParam(qualifier.c_str(), L""));
    EXPECT_TRUE(collection.AddComParam(added.back(), spare)) << qualifier;
  }
  LogCapture log;
  TrackedParam duplicate(L"A", L"");
  EXPECT_FALSE(collection.AddComParam(&duplicate, spare));
  EXPECT_FALSE(collection.AddComParam(added.front(), spare));
  EXPECT_FALSE(collection.AddComParam(nullptr, spare));
  EXPECT_EQ(log.Lines().size(), 2u);

  EXPECT_EQ(QualifiersByIndex(collection), order);
  EXPECT_EQ(QualifiersByIterator(collection), order);
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(collection.FindByQualifier(order[i].c_str()), added[i]) << order[i];
  }
  for (const wchar_t* gone : {L"AddrScheme", L"CanIdType"}) {
    EXPECT_EQ(collection.FindByQualifier(gone), nullptr) << gone;
  }
  EXPECT_EQ(TrackedParam::s_live, static_cast<int>(order.size()) + 1);
}

TEST_F(ComParamCollectionTest, DuplicateQualifierIsRefusedWithAWarningAndLeftToTheCaller) {
  ZComParamCollection collection;
  ZComParam* first = Add(collection, L"P2Client", L"first");
  Add(collection, L"AddrScheme");
  LogCapture log;

  TrackedParam second(L"P2Client", L"second");
  EXPECT_FALSE(collection.AddComParam(&second));

  EXPECT_EQ(collection.Count(), 2u);
  EXPECT_EQ(collection.FindByQualifier(L"P2Client"), first);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0].text,
            L"ComParamMan: Trying to insert already existent communication parameter "
            L"'P2Client' into ComParamCollection\n");
  EXPECT_EQ(log.Lines()[0].level, 3);
  EXPECT_EQ(log.Lines()[0].category, 256u);
  EXPECT_EQ(BaseName(log.Lines()[0].file), "ComParamCollection.cpp");
}

TEST_F(ComParamCollectionTest, HeldParameterIsRefusedByIdentityAlsoAfterARename) {
  {
    ZComParamCollection collection;
    ZComParam* param = Add(collection, L"P2Client");
    LogCapture log;
    EXPECT_FALSE(collection.AddComParam(param));  // under its own qualifier
    param->SetQualifier(L"Renamed");
    EXPECT_FALSE(collection.AddComParam(param));

    EXPECT_EQ(collection.Count(), 1u);
    EXPECT_EQ(collection.FindByQualifier(L"P2Client"), param);
    EXPECT_EQ(collection.FindByQualifier(L"Renamed"), nullptr);
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(log.Lines()[1].text,
              L"ComParamMan: Trying to insert communication parameter 'Renamed' that the "
              L"ComParamCollection already holds\n");
    EXPECT_EQ(log.Lines()[1].level, 3);
    EXPECT_EQ(TrackedParam::s_live, 1);
  }
  EXPECT_EQ(TrackedParam::s_live, 0);  // destroyed once
}

// ---- removal ----

TEST_F(ComParamCollectionTest, RemoveDestroysTheParameterAndKeepsTheOthersInOrder) {
  ZComParamCollection collection;
  Add(collection, L"P2Client");
  ZComParam* scheme = Add(collection, L"AddrScheme");
  Add(collection, L"CanIdType");

  collection.RemoveComParam(*scheme);

  EXPECT_EQ(TrackedParam::s_live, 2);
  EXPECT_EQ(collection.Count(), 2u);
  EXPECT_EQ(collection.FindByQualifier(L"AddrScheme"), nullptr);
  EXPECT_EQ(QualifiersByIndex(collection), (std::vector<std::wstring>{L"P2Client", L"CanIdType"}));
}

TEST_F(ComParamCollectionTest, RemoveFindsARenamedParameterByIdentity) {
  ZComParamCollection collection;
  ZComParam* param = Add(collection, L"P2Client");
  Add(collection, L"AddrScheme");
  param->SetQualifier(L"AddrScheme");

  collection.RemoveComParam(*param);

  EXPECT_EQ(collection.Count(), 1u);
  EXPECT_EQ(collection.FindByQualifier(L"P2Client"), nullptr);
  ASSERT_NE(collection.FindByQualifier(L"AddrScheme"), nullptr);
  EXPECT_STREQ(collection.At(0).GetQualifier(), L"AddrScheme");
}

TEST_F(ComParamCollectionTest, RemovingAParameterTheCollectionDoesNotHoldChangesNothing) {
  ZComParamCollection collection;
  ZComParam* held = Add(collection, L"P2Client");
  TrackedParam stranger(L"P2Client", L"");

  collection.RemoveComParam(stranger);

  EXPECT_EQ(TrackedParam::s_live, 2);  // the stranger was not destroyed
  EXPECT_EQ(collection.Count(), 1u);
  EXPECT_EQ(collection.FindByQualifier(L"P2Client"), held);
}

TEST_F(ComParamCollectionTest, ClearDestroysEverythingAndAllowsReAdding) {
  ZComParamCollection collection;
  Add(collection, L"P2Client");
  Add(collection, L"AddrScheme");

  collection.Clear();

  EXPECT_EQ(TrackedParam::s_live, 0);
  EXPECT_EQ(collection.Count(), 0u);
  EXPECT_EQ(collection.FindByQualifier(L"P2Client"), nullptr);
  EXPECT_TRUE(collection.Begin() == collection.End());
  Add(collection, L"P2Client");
  EXPECT_EQ(collection.Count(), 1u);
}

// ---- copies ----

TEST_F(ComParamCollectionTest, CopyHoldsIndependentClonesInTheSourceOrder) {
  ZComParamCollection source;
  Add(source, L"P2Client", L"1");
  Add(source, L"AddrScheme", L"2");
  Add(source, L"CanIdType", L"3");

  ZComParamCollection copy(source);

  EXPECT_EQ(QualifiersByIndex(copy), kInsertionOrder);
  EXPECT_EQ(Values(copy), (std::vector<std::wstring>{L"1", L"2", L"3"}));
  EXPECT_NE(copy.FindByQualifier(L"P2Client"), source.FindByQualifier(L"P2Client"));
  copy.At(0).SetValue(L"changed");
  EXPECT_STREQ(source.At(0).GetValue(), L"1");
}

TEST_F(ComParamCollectionTest, AssignmentReplacesParametersWithTheSameQualifiers) {
  ZComParamCollection source;
  Add(source, L"CanIdType", L"new-id");
  Add(source, L"P2Client", L"new-p2");
  ZComParamCollection target;
  Add(target, L"P2Client", L"old-p2");
  Add(target, L"AddrScheme", L"old-scheme");
  Add(target, L"CanIdType", L"old-id");

  target = source;

  EXPECT_EQ(TrackedParam::s_live, 4);  // the target's three were destroyed
  EXPECT_EQ(QualifiersByIndex(target), (std::vector<std::wstring>{L"CanIdType", L"P2Client"}));
  EXPECT_EQ(Values(target), (std::vector<std::wstring>{L"new-id", L"new-p2"}));
  EXPECT_EQ(target.FindByQualifier(L"AddrScheme"), nullptr);
  EXPECT_NE(target.FindByQualifier(L"P2Client"), source.FindByQualifier(L"P2Client"));
}

TEST_F(ComParamCollectionTest, SelfAssignmentChangesNothing) {
  ZComParamCollection collection;
  ZComParam* first = Add(collection, L"P2Client");
  ZComParam* second = Add(collection, L"AddrScheme");
  const ZComParamCollection& same = collection;

  collection = same;

  EXPECT_EQ(collection.Count(), 2u);
  EXPECT_EQ(&collection.At(0), first);
  EXPECT_EQ(&collection.At(1), second);
}

// ---- moves ----

TEST_F(ComParamCollectionTest, MoveTakesTheParametersThemselvesAndLeavesTheSourceEmpty) {
  ZComParamCollection source;
  ZComParam* first = Add(source, L"P2Client");
  Add(source, L"AddrScheme");
  Add(source, L"CanIdType");

  ZComParamCollection moved(std::move(source));

  EXPECT_EQ(TrackedParam::s_live, 3);  // nothing cloned
  EXPECT_EQ(QualifiersByIndex(moved), kInsertionOrder);
  EXPECT_EQ(moved.FindByQualifier(L"P2Client"), first);
  EXPECT_EQ(source.Count(), 0u);  // NOLINT(bugprone-use-after-move): the promised state
  EXPECT_EQ(source.FindByQualifier(L"P2Client"), nullptr);
  EXPECT_TRUE(source.AddComParam(new TrackedParam(L"P2Client", L"")));
}

TEST_F(ComParamCollectionTest, MoveAssignmentDestroysTheTargetsOwnAndSelfMoveKeepsAll) {
  ZComParamCollection source;
  ZComParam* taken = Add(source, L"CanIdType");
  ZComParamCollection target;
  Add(target, L"P2Client");
  Add(target, L"AddrScheme");

  target = std::move(source);

  EXPECT_EQ(TrackedParam::s_live, 1);
  EXPECT_EQ(target.Count(), 1u);
  EXPECT_EQ(target.FindByQualifier(L"CanIdType"), taken);
  EXPECT_EQ(source.Count(), 0u);  // NOLINT(bugprone-use-after-move): the promised state

  ZComParamCollection& same = target;
  target = std::move(same);
  EXPECT_EQ(target.FindByQualifier(L"CanIdType"), taken);
}

TEST_F(ComParamCollectionTest, CloneRefusedWhileCopyingIsDestroyed) {
  ZComParamCollection source;
  Add(source, L"P2Client", L"kept");
  Add(source, L"AddrScheme", L"clashing")->SetQualifier(L"P2Client");
  LogCapture log;

  {
    ZComParamCollection copy(source);
    EXPECT_EQ(copy.Count(), 1u);
    EXPECT_STREQ(copy.At(0).GetValue(), L"kept");
    EXPECT_EQ(TrackedParam::s_live, 3);

    ZComParamCollection assigned;
    assigned = source;
    EXPECT_EQ(assigned.Count(), 1u);
    EXPECT_EQ(TrackedParam::s_live, 4);
  }
  EXPECT_EQ(TrackedParam::s_live, 2);
  EXPECT_EQ(log.Lines().size(), 2u);  // one duplicate warning per copy
}

// ---- configuration ----

TEST_F(ComParamConfigurationTest, StartsEmptyWithItsInterfaceQualifier) {
  ZComParamConfiguration configuration(L"CAN_Interface");
  EXPECT_STREQ(configuration.GetInterfaceQualifier(), L"CAN_Interface");
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 0u);
  EXPECT_STREQ(ZComParamConfiguration(nullptr).GetInterfaceQualifier(), L"");
}

TEST_F(ComParamConfigurationTest, TextFormAddsACatalogueCloneWithAliasValueAndFlags) {
  ZComParamConfiguration configuration(L"If");
  // Fourth argument mayBeModified, fifth isSimulated.
  ZComParam* param =
      configuration.AddComParam(L"AddressingScheme", L"AddrScheme", L"Mixed", false, true);
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(configuration.GetComParamCollection().FindByQualifier(L"AddrScheme"), param);
  EXPECT_STREQ(param->GetAlias(), L"AddressingScheme");
  EXPECT_STREQ(param->GetName(), L"Addressing Scheme");
  EXPECT_STREQ(param->GetValue(), L"Mixed");
  EXPECT_TRUE(param->HasValidValue());
  EXPECT_FALSE(param->GetMayBeModified());
  EXPECT_TRUE(param->GetIsSimulated());
}

TEST_F(ComParamConfigurationTest, RefusedValueStillAddsTheParameter) {
  ZComParamConfiguration configuration(L"If");
  LogCapture log;
  ZComParam* param = configuration.AddComParam(L"a", L"AddrScheme", L"normal", true, false);
  ASSERT_NE(param, nullptr);
  EXPECT_FALSE(param->HasValidValue());
  EXPECT_STREQ(param->GetValue(), L"");
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 1u);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0].text,
            L"Setting COM parameter 'AddrScheme' to value 'normal' failed. Invalid value!\n");
}

TEST_F(ComParamConfigurationTest, UnknownQualifierAddsNothingAndLogsNothing) {
  ZComParamConfiguration configuration(L"If");
  LogCapture log;
  EXPECT_EQ(configuration.AddComParam(L"P2Timeout", L"P2Timeout", L"5", true, false), nullptr);
  EXPECT_EQ(configuration.AddComParam(L"P2Timeout", L"P2Timeout", 5u, true, false), nullptr);
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 0u);
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ComParamConfigurationTest, DuplicateQualifierKeepsTheFirstParameter) {
  ZComParamConfiguration configuration(L"If");
  ZComParam* first = configuration.AddComParam(L"P2Timeout", L"P2Client", L"50", true, false);
  LogCapture log;
  EXPECT_EQ(configuration.AddComParam(L"P2Client", L"P2Client", 70u, true, false), nullptr);
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 1u);
  EXPECT_EQ(configuration.GetComParamCollection().FindByQualifier(L"P2Client"), first);
  EXPECT_STREQ(first->GetValue(), L"50");
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0].level, 3);
}

TEST_F(ComParamConfigurationTest, NumberFormChecksTheRangeButAddsInAnyCase) {
  ZComParamConfiguration configuration(L"If");
  ZComParam* p2 = configuration.AddComParam(L"P2", L"P2Client", 250u, true, false);
  ZComParam* ecu = configuration.AddComParam(L"Ecu", L"EcuAddress", 256u, true, false);
  ASSERT_NE(p2, nullptr);
  ASSERT_NE(ecu, nullptr);
  EXPECT_STREQ(p2->GetValue(), L"250");
  EXPECT_TRUE(p2->HasValidValue());
  EXPECT_FALSE(ecu->HasValidValue());
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 2u);
}

TEST_F(ComParamConfigurationTest, NumberFormOnATextPrototypeThrowsAndAddsNothing) {
  ZComParamConfiguration configuration(L"If");
  // The number reaches the text parameter cloned from the prototype, which refuses it.
  ExpectInternalCheck([&] { configuration.AddComParam(L"a", L"BusType", 1u, true, false); },
                      L"false", "StringComParam.cpp");
  EXPECT_EQ(configuration.GetComParamCollection().Count(), 0u);
}

TEST_F(ComParamConfigurationTest, ClonesThatAreNotAddedAreDestroyed) {
  ZComParamFactory::GetInstance()->AddPrototype(new TrackedParam(L"Tracked", L""));
  {
    ZComParamConfiguration configuration(L"If");
    ExpectInternalCheck([&] { configuration.AddComParam(L"a", L"Tracked", 1u, true, false); },
                        L"false", "StringComParam.cpp");
    EXPECT_EQ(TrackedParam::s_live, 1);  // only the prototype
    EXPECT_NE(configuration.AddComParam(L"a", L"Tracked", L"x", true, false), nullptr);
    EXPECT_EQ(configuration.AddComParam(L"b", L"Tracked", L"y", true, false), nullptr);
    EXPECT_EQ(TrackedParam::s_live, 2);  // the prototype and the parameter added
  }
  ZComParamFactory::ReleaseInstance();
  EXPECT_EQ(TrackedParam::s_live, 0);
}

TEST_F(ComParamConfigurationTest, NullTextsReadAsEmpty) {
  ZComParamConfiguration configuration(L"If");
  ZComParam* param = configuration.AddComParam(nullptr, L"BusType", nullptr, true, false);
  ASSERT_NE(param, nullptr);
  EXPECT_STREQ(param->GetAlias(), L"");
  EXPECT_FALSE(param->HasValidValue());  // empty text is not a permitted bus type
  EXPECT_EQ(configuration.AddComParam(L"a", nullptr, L"x", true, false), nullptr);
}

TEST_F(ComParamConfigurationTest, CopiesAreDeepAndSelfAssignmentIsHarmless) {
  ZComParamConfiguration source(L"If");
  source.AddComParam(L"a", L"P2Client", 10u, true, false);
  source.AddComParam(L"b", L"BusType", L"CAN", true, false);

  ZComParamConfiguration copy(source);
  ZComParamConfiguration assigned(L"Other");
  assigned.AddComParam(L"c", L"P2Client", 99u, true, false);
  assigned = source;

  for (ZComParamConfiguration* target : {&copy, &assigned}) {
    EXPECT_STREQ(target->GetInterfaceQualifier(), L"If");
    ZComParamCollection& params = target->GetComParamCollection();
    ASSERT_EQ(params.Count(), 2u);
    EXPECT_STREQ(params.At(0).GetValue(), L"10");
    EXPECT_STREQ(params.At(1).GetValue(), L"CAN");
    params.At(0).SetValue(20u);
  }
  EXPECT_STREQ(source.GetComParamCollection().At(0).GetValue(), L"10");

  ZComParam* before = &source.GetComParamCollection().At(0);
  const ZComParamConfiguration& same = source;
  source = same;
  EXPECT_EQ(&source.GetComParamCollection().At(0), before);
  EXPECT_EQ(source.GetComParamCollection().Count(), 2u);
}

TEST_F(ComParamConfigurationTest, MovesTakeTheParametersAndTheQualifier) {
  ZComParamConfiguration source(L"If");
  source.AddComParam(L"a", L"P2Client", 10u, true, false);
  ZComParam* param = &source.GetComParamCollection().At(0);

  ZComParamConfiguration moved(std::move(source));
  ZComParamConfiguration assigned(L"Other");
  assigned.AddComParam(L"c", L"BusType", L"CAN", true, false);
  assigned = std::move(moved);

  EXPECT_STREQ(assigned.GetInterfaceQualifier(), L"If");
  ASSERT_EQ(assigned.GetComParamCollection().Count(), 1u);
  EXPECT_EQ(&assigned.GetComParamCollection().At(0), param);
  // NOLINTNEXTLINE(bugprone-use-after-move): the promised state
  EXPECT_EQ(moved.GetComParamCollection().Count(), 0u);
}
