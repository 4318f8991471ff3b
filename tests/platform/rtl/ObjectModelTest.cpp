#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Crc32.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/TypInfo.h"

namespace {

std::vector<std::string> journal;

// A component whose construction calls an overridden virtual, as the original's constructors do.
class TBase : public TComponent {
  RTL_CLASS(TBase, TComponent)
 public:
  void Construct(TComponent* owner) override {
    inherited::Construct(owner);
    journal.push_back("construct " + Describe());
  }
  virtual std::string Describe() const { return "base"; }

 protected:
  void BeforeDestruction() override {
    journal.push_back("before " + Name());
    inherited::BeforeDestruction();
  }
  void Destroy() override {
    journal.push_back("destroy " + Name() + " " + Describe());
    inherited::Destroy();
  }
};
RTL_CLASS_IMPL_CREATABLE(TBase, TComponent)

class TDerived : public TBase {
  RTL_CLASS(TDerived, TBase)
 public:
  std::string Describe() const override { return "derived"; }
};
RTL_CLASS_IMPL_CREATABLE(TDerived, TBase)

class TFailing : public TBase {
  RTL_CLASS(TFailing, TBase)
 public:
  void Construct(TComponent* owner) override {
    inherited::Construct(owner);
    throw EConvertError("construction failed");
  }
};
RTL_CLASS_IMPL(TFailing, TBase)

// Holds a reference to another component and clears it when told that the other one goes.
class TWatcher : public TComponent {
  RTL_CLASS(TWatcher, TComponent)
 public:
  TComponent* Watched = nullptr;
  void Watch(TComponent* other) {
    Watched = other;
    if (other) other->FreeNotification(this);
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation == TOperation::opRemove && component == Watched) Watched = nullptr;
  }
};
RTL_CLASS_IMPL_CREATABLE(TWatcher, TComponent)

class ObjectModelTest : public ::testing::Test {
 protected:
  void SetUp() override { journal.clear(); }
};

TEST_F(ObjectModelTest, ConstructionAndDestructionDispatchToTheMostDerivedClass) {
  TDerived* object = TDerived::Create(nullptr);
  object->SetName("D");
  object->Free();
  EXPECT_EQ(journal, (std::vector<std::string>{"construct derived", "before D", "destroy D derived"}));
}

TEST_F(ObjectModelTest, FailedConstructionRunsTheDestroyChainAndPassesTheError) {
  TComponent* owner = TComponent::Create(nullptr);
  EXPECT_THROW(TFailing::Create(owner), EConvertError);
  EXPECT_EQ(owner->ComponentCount(), 0);  // it left its owner again
  EXPECT_EQ(journal.back(), "destroy  base");
  owner->Free();
}

TEST_F(ObjectModelTest, ClassIdentity) {
  TComponent* object = TComponent::CreateComponent(TDerived::ClassInfo(), nullptr);
  EXPECT_EQ(object->ClassName(), "TDerived");
  EXPECT_EQ(object->ClassParent(), TBase::ClassInfo());
  EXPECT_TRUE(object->InheritsFrom(TComponent::ClassInfo()));
  EXPECT_TRUE(object->Is<TPersistent>());
  EXPECT_FALSE(object->Is<TWatcher>());
  EXPECT_EQ(journal.front(), "construct derived");
  object->Free();
  EXPECT_THROW(TComponent::CreateComponent(TFailing::ClassInfo(), nullptr), EComponentError);
  EXPECT_THROW(TComponent::CreateComponent(TObjectList::ClassInfo(), nullptr), EComponentError);
}

TEST_F(ObjectModelTest, OwnedComponentsAreFreedLastCreatedFirst) {
  TBase* owner = TBase::Create(nullptr);
  owner->SetName("Owner");
  for (const char* name : {"A", "B", "C"}) TBase::Create(owner)->SetName(name);
  journal.clear();
  owner->Free();
  EXPECT_EQ(journal, (std::vector<std::string>{"before Owner", "destroy Owner base", "before C",
                                               "destroy C base", "before B", "destroy B base",
                                               "before A", "destroy A base"}));
}

TEST_F(ObjectModelTest, NamesAreUniqueWithinAnOwnerIgnoringCase) {
  TComponent* owner = TComponent::Create(nullptr);
  TComponent* grid = TComponent::Create(owner);
  grid->SetName("DBGrid1");
  EXPECT_EQ(owner->FindComponent("dbgrid1"), grid);
  EXPECT_EQ(owner->FindComponent("Missing"), nullptr);
  TComponent* other = TComponent::Create(owner);
  EXPECT_THROW(other->SetName("DBGRID1"), EComponentError);
  EXPECT_THROW(other->SetName("1Grid"), EComponentError);
  grid->SetName("dbGrid1");  // a change of case only is no clash with itself
  EXPECT_EQ(grid->Name(), "dbGrid1");
  EXPECT_EQ(other->ComponentIndex(), 1);
  owner->Free();
}

TEST_F(ObjectModelTest, FreeNotificationClearsReferencesAcrossOwnersAndAmongSiblings) {
  TComponent* form1 = TComponent::Create(nullptr);
  TComponent* form2 = TComponent::Create(nullptr);
  TWatcher* crossWatcher = TWatcher::Create(form1);
  TWatcher* siblingWatcher = TWatcher::Create(form2);
  TComponent* target = TComponent::Create(form2);
  crossWatcher->Watch(target);
  siblingWatcher->Watch(target);
  target->Free();
  EXPECT_EQ(crossWatcher->Watched, nullptr);
  EXPECT_EQ(siblingWatcher->Watched, nullptr);

  // The watcher goes first: the watched one must not notify a freed watcher later.
  TComponent* survivor = TComponent::Create(nullptr);
  crossWatcher->Watch(survivor);
  form1->Free();
  survivor->Free();
  form2->Free();
}

// A class that publishes a property of its own and hides one of its parent's.
class TCaptioned : public TComponent {
  RTL_CLASS(TCaptioned, TComponent)
 public:
  String Caption;
  TObjectList* Lines = nullptr;
};
RTL_CLASS_IMPL(TCaptioned, TComponent)
static const bool kCaptionedProperties = RegisterProperties(
    TCaptioned::ClassInfo(),
    {ValueProperty<TCaptioned>(
         "Caption", [](const TCaptioned* c) { return Variant(c->Caption); },
         [](TCaptioned* c, const Variant& v) { c->Caption = v.AsString(); }),
     ValueProperty<TCaptioned>("Tag", [](const TCaptioned*) { return Variant(-1); }),
     ObjectProperty<TCaptioned>("Lines", [](const TCaptioned* c) -> TObject* { return c->Lines; })});

TEST_F(ObjectModelTest, PropertiesAreFoundByNameAlongTheClassChain) {
  TCaptioned* label = TCaptioned::Create(nullptr);
  SetPropValue(label, "caption", "Hello");
  EXPECT_EQ(label->Caption, "Hello");
  EXPECT_EQ(GetPropValue(label, "CAPTION").AsString(), "Hello");
  SetPropValue(label, "Name", "Label1");  // the parent's property
  EXPECT_EQ(label->Name(), "Label1");
  EXPECT_EQ(GetPropValue(label, "Tag").AsInteger(), -1);  // hidden by the descendant's entry
  EXPECT_THROW(SetPropValue(label, "Tag", 5), EPropertyError);
  EXPECT_EQ(GetObjectProp(label, "Lines"), nullptr);
  EXPECT_FALSE(IsPublishedProp(label, "Hint"));
  EXPECT_THROW(GetPropValue(label, "Hint"), EPropertyError);
  TComponent* plain = TComponent::Create(nullptr);
  EXPECT_FALSE(IsPublishedProp(plain, "Caption"));
  plain->Free();
  label->Free();
}

class TCounter : public TObject {
 public:
  int Calls = 0;
  void Handle(TObject*) { ++Calls; }
  void Other(TObject*) {}
};

TEST(EventTest, EmptyCallAndCompareByObjectAndRoutine) {
  TCounter a, b;
  TNotifyEvent empty;
  EXPECT_FALSE(empty);
  EXPECT_THROW(empty(nullptr), EAccessViolation);

  TNotifyEvent handler(&a, &TCounter::Handle);
  handler(nullptr);
  EXPECT_EQ(a.Calls, 1);
  EXPECT_EQ(handler.Data(), &a);
  EXPECT_TRUE(handler == TNotifyEvent(&a, &TCounter::Handle));
  EXPECT_FALSE(handler == TNotifyEvent(&b, &TCounter::Handle));
  EXPECT_FALSE(handler == TNotifyEvent(&a, &TCounter::Other));
  EXPECT_FALSE(handler == empty);

  int lambdaCalls = 0;
  TNotifyEvent lambda([&](TObject*) { ++lambdaCalls; });
  TNotifyEvent copy = lambda;
  copy(nullptr);
  EXPECT_EQ(lambdaCalls, 1);
  EXPECT_TRUE(copy == lambda);
  EXPECT_FALSE(lambda == TNotifyEvent([&](TObject*) { ++lambdaCalls; }));
}

TEST(ObjectListTest, OwningListFreesWhatItRemovesButNotWhatItExtracts) {
  TObjectList* owning = TObjectList::Create(true);
  TBase* kept = TBase::Create(nullptr);
  kept->SetName("kept");
  owning->Add(kept);
  for (const char* name : {"x", "y"}) {
    TBase* item = TBase::Create(nullptr);
    item->SetName(name);
    owning->Add(item);
  }
  journal.clear();
  EXPECT_EQ(owning->Extract(kept), kept);
  owning->Delete(0);
  EXPECT_EQ(journal, (std::vector<std::string>{"before x", "destroy x base"}));
  try {
    owning->Items(5);
    FAIL() << "no index error";
  } catch (const EListError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (5)");
  }
  owning->Free();  // frees y
  EXPECT_EQ(journal.back(), "destroy y base");

  TObjectList* borrowing = TObjectList::Create(false);
  borrowing->Add(kept);
  borrowing->Free();
  kept->Free();  // still alive until here
  EXPECT_EQ(journal.back(), "destroy kept base");
}

TEST(Crc32Test, RegisterIsTheComplementOfTheUsualChecksum) {
  EXPECT_EQ(Crc32Register("abc", 3), ~0x352441C2u);
  EXPECT_EQ(Crc32Register("", 0), 0xFFFFFFFFu);
  EXPECT_EQ(~Crc32Register("123456789", 9), 0xCBF43926u);
}

}  // namespace
