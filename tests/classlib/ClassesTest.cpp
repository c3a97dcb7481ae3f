// Objects, class registry, events, pointer lists, components and collections.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Classes.h"

namespace {

// A component that records what it hears.
class TWatcher : public TComponent {
  KX_COMPONENT(TWatcher, TComponent)
 public:
  explicit TWatcher(TComponent* owner, std::vector<std::string>* log = nullptr) : TComponent(owner), FLog(log) {}
  ~TWatcher() override {
    if (FLog) FLog->push_back("free " + GetName());
  }
  TComponent* Watched = nullptr;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (FLog) FLog->push_back(GetName() + (operation == opInsert ? " +" : " -") + component->GetName());
    if (operation == opRemove && component == Watched) Watched = nullptr;
  }

 private:
  std::vector<std::string>* FLog;
};

class TSpecialWatcher : public TWatcher {
  KX_COMPONENT(TSpecialWatcher, TWatcher)
 public:
  using TWatcher::TWatcher;
};

// A class of another layer that takes the plain watcher's name.
namespace layer {
class TWatcher : public ::TWatcher {
  KX_COMPONENT(TWatcher, ::TWatcher)
 public:
  using ::TWatcher::TWatcher;
};
}  // namespace layer

TEST(Classes, IdentityAndInheritance) {
  TWatcher w(nullptr);
  TSpecialWatcher s(nullptr);
  EXPECT_EQ(w.ClassName(), "TWatcher");
  EXPECT_EQ(s.ClassType()->ClassParent(), TWatcher::StaticClass());
  EXPECT_TRUE(s.InheritsFrom(TComponent::StaticClass()));
  EXPECT_TRUE(s.InheritsFrom(TObject::StaticClass()));
  EXPECT_FALSE(w.InheritsFrom(TSpecialWatcher::StaticClass()));
  EXPECT_TRUE(Is<TWatcher>(&s));
  EXPECT_FALSE(Is<TStream>(&s));
  EXPECT_FALSE(Is<TWatcher>(nullptr));
  TStringList list;
  EXPECT_EQ(list.ClassName(), "TStringList");
  EXPECT_TRUE(list.InheritsFrom(TStrings::StaticClass()));
  EXPECT_TRUE(list.InheritsFrom(TPersistent::StaticClass()));
}

TEST(Classes, RegistryCreatesComponentsByName) {
  RegisterClass(TWatcher::StaticClass());
  RegisterClass(TWatcher::StaticClass());  // again: no harm
  EXPECT_EQ(FindClass("twatcher"), TWatcher::StaticClass());
  EXPECT_EQ(GetClass("TNoSuchThing"), nullptr);
  try {
    FindClass("TNoSuchThing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.GetMessage(), "Class TNoSuchThing not found");
  }
  TComponent owner(nullptr);
  TComponent* made = FindClass("TWatcher")->Create(&owner);
  EXPECT_TRUE(Is<TWatcher>(made));
  EXPECT_EQ(made->GetOwner(), &owner);

  // An alias redirects a name to another class, as the wide controls replace the plain ones.
  RegisterClassAlias(TSpecialWatcher::StaticClass(), "TWatcher");
  EXPECT_TRUE(Is<TSpecialWatcher>(FindClass("TWatcher")->Create(&owner)));
  UnregisterClass(TSpecialWatcher::StaticClass());
  EXPECT_EQ(GetClass("TWatcher"), nullptr);
  EXPECT_THROW(TStrings::StaticClass()->Create(nullptr), EInvalidOperation);
}

TEST(Classes, ReplacementTakesTheNameWhicheverRegistersFirst) {
  RegisterReplacementClass(layer::TWatcher::StaticClass());
  EXPECT_NO_THROW(RegisterClass(TWatcher::StaticClass()));
  TComponent owner(nullptr);
  TComponent* made = FindClass("TWatcher")->Create(&owner);
  EXPECT_EQ(made->ClassType(), layer::TWatcher::StaticClass());
  EXPECT_TRUE(Is<TWatcher>(made));
  UnregisterClass(layer::TWatcher::StaticClass());
  EXPECT_EQ(GetClass("TWatcher"), TWatcher::StaticClass());
  // Registered after the plain class, it takes the name as well.
  RegisterReplacementClass(layer::TWatcher::StaticClass());
  EXPECT_EQ(GetClass("twatcher"), layer::TWatcher::StaticClass());
  UnregisterClass(layer::TWatcher::StaticClass());
  UnregisterClass(TWatcher::StaticClass());
}

class TTarget {
 public:
  explicit TTarget(int base) : FBase(base) {}
  int Add(int x) { return FBase + x; }
  int Twice(int x) { return 2 * x + FBase; }
  void Touch(TObject* sender) { FSender = sender; }
  TObject* FSender = nullptr;

 private:
  int FBase;
};

TEST(Events, CallAndCompareByCode) {
  TTarget one(1), ten(10);
  TEvent<int(int)> empty;
  EXPECT_FALSE(empty);
  EXPECT_EQ(empty(5), 0);  // an empty event does nothing

  TEvent<int(int)> a(&one, &TTarget::Add), b(&ten, &TTarget::Add), c(&one, &TTarget::Twice);
  EXPECT_TRUE(a);
  EXPECT_EQ(a(5), 6);
  EXPECT_EQ(b(5), 15);
  EXPECT_EQ(c(5), 11);
  EXPECT_TRUE(a == b);  // same method, other object
  EXPECT_FALSE(a == c);
  EXPECT_FALSE(a.SameMethod(b));
  EXPECT_TRUE(a.SameMethod(TEvent<int(int)>(&one, &TTarget::Add)));
  EXPECT_EQ(b.Data(), &ten);
  EXPECT_FALSE(a == empty);

  TStringList sender;
  TNotifyEvent notify(&one, &TTarget::Touch);
  notify(&sender);
  EXPECT_EQ(one.FSender, &sender);
  notify = nullptr;
  EXPECT_FALSE(notify);
}

TEST(Events, ReferenceArgumentsReachTheMethod) {
  struct TMessageLike {
    int Result = 0;
  };
  struct THandler {
    void Handle(TMessageLike& message) { message.Result = 42; }
  } handler;
  TEvent<void(TMessageLike&)> proc(&handler, &THandler::Handle);
  TMessageLike message;
  proc(message);
  EXPECT_EQ(message.Result, 42);
}

TEST(Sets, IncludeExcludeAndOperators) {
  TComponentState state{csLoading, csReading};
  EXPECT_TRUE(state.Contains(csReading));
  state.Exclude(csReading).Include(csDestroying);
  EXPECT_EQ(state, (TComponentState{csLoading, csDestroying}));
  EXPECT_EQ(state * TComponentState({csDestroying, csDesigning}), TComponentState({csDestroying}));
  EXPECT_TRUE((state - state).Empty());
}

// A pointer list that records its notifications.
class TLoggingList : public TList {
 public:
  std::vector<std::pair<int, TListNotification>> Log;
  ~TLoggingList() override { Clear(); }

 protected:
  void Notify(void* item, TListNotification action) override {
    Log.emplace_back(*static_cast<int*>(item), action);
  }
};

TEST(List, NotifiesAddedDeletedAndExtractedItems) {
  int a = 1, b = 2, c = 3;
  TLoggingList list;
  list.Add(&a);
  list.Add(nullptr);  // nil items are not announced
  list.Insert(0, &b);
  list.Put(2, &c);
  EXPECT_EQ(list.Extract(&a), &a);
  EXPECT_EQ(list.Extract(&a), nullptr);
  EXPECT_EQ(list.Remove(&b), 0);
  using N = std::pair<int, TListNotification>;
  EXPECT_EQ(list.Log, (std::vector<N>{{1, lnAdded}, {2, lnAdded}, {3, lnAdded}, {1, lnExtracted}, {2, lnDeleted}}));
  EXPECT_EQ(list.GetCount(), 1);
  list.Add(&a);
  list.Log.clear();
  list.Clear();  // from the last item to the first
  EXPECT_EQ(list.Log, (std::vector<N>{{1, lnDeleted}, {3, lnDeleted}}));
}

TEST(List, IndexErrorsAndReordering) {
  int v[4] = {0, 1, 2, 3};
  TList list;
  for (int& x : v) list.Add(&x);
  try {
    list.Get(4);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.GetMessage(), "List index out of bounds (4)");
  }
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Insert(5, nullptr), EListError);
  list.Move(0, 3);
  list.Exchange(0, 1);
  list.Put(2, nullptr);
  list.Pack();
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.First(), &v[2]);
  EXPECT_EQ(list.Get(1), &v[1]);
  EXPECT_EQ(list.Last(), &v[0]);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
  EXPECT_EQ(list.First(), &v[0]);
}

TEST(Components, OwnerFreesOwnedComponentsLastFirst) {
  std::vector<std::string> log;
  auto* owner = new TWatcher(nullptr, &log);
  owner->SetName("Owner");
  for (const char* name : {"A", "B", "C"}) (new TWatcher(owner, &log))->SetName(name);
  EXPECT_EQ(owner->GetComponentCount(), 3);
  EXPECT_EQ(owner->GetComponent(1)->GetName(), "B");
  EXPECT_EQ(owner->FindComponent("b"), owner->GetComponent(1));
  EXPECT_EQ(owner->FindComponent("Z"), nullptr);
  log.clear();
  owner->Free();
  EXPECT_EQ(log, (std::vector<std::string>{"free C", "free B", "free A", "free Owner"}));
}

TEST(Components, OwnerAndSiblingsHearInsertsAndRemovals) {
  std::vector<std::string> log;
  TWatcher owner(nullptr, &log);
  owner.SetName("O");
  auto* a = new TWatcher(&owner, &log);
  a->SetName("A");
  log.clear();
  auto* b = new TWatcher(nullptr, &log);
  b->SetName("B");
  owner.InsertComponent(b);
  EXPECT_EQ(log, (std::vector<std::string>{"B +B", "A +B", "O +B"}));  // the family from its last member
  log.clear();
  b->Free();  // leaves its owner, which tells its family
  EXPECT_EQ(log, (std::vector<std::string>{"B -B", "A -B", "O -B", "free B"}));
  EXPECT_EQ(owner.GetComponentCount(), 1);
}

TEST(Components, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  try {
    b->SetName("BUTTON1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.GetMessage(), "A component named BUTTON1 already exists");
  }
  EXPECT_THROW(b->SetName("1st"), EComponentError);
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  EXPECT_EQ(b->GetName(), "");
  a->SetName("button1");  // a new case of its own name is no clash
  EXPECT_EQ(a->GetName(), "button1");
  b->SetName("_x2");
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  c->SetName("button1");
  EXPECT_THROW(owner.InsertComponent(c), EComponentError);
  EXPECT_EQ(c->GetOwner(), &other);
}

TEST(Components, FreeNotificationWhenTheWatchedComponentGoesFirst) {
  std::vector<std::string> log;
  TComponent formA(nullptr), formB(nullptr);
  auto* watched = new TWatcher(&formA);
  watched->SetName("Watched");
  auto* watcher = new TWatcher(&formB, &log);
  watcher->SetName("Watcher");
  watcher->Watched = watched;
  watched->FreeNotification(watcher);
  watched->Free();
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"Watcher -Watched"}));
}

TEST(Components, FreeNotificationWhenTheWatcherGoesFirst) {
  std::vector<std::string> log;
  TComponent formA(nullptr), formB(nullptr);
  auto* watched = new TWatcher(&formA, &log);
  watched->SetName("Watched");
  auto* watcher = new TWatcher(&formB);
  watcher->SetName("Watcher");
  watched->FreeNotification(watcher);
  watcher->Free();  // the watched one hears of it and forgets it
  EXPECT_EQ(log, (std::vector<std::string>{"Watched -Watcher"}));
  log.clear();
  watched->Free();  // and tells no freed watcher; its owner's family hears of it
  EXPECT_EQ(log, (std::vector<std::string>{"Watched -Watched", "free Watched"}));
}

TEST(Components, FreeNotificationWithoutOwners) {
  auto* watched = new TWatcher(nullptr);
  auto watcher = std::make_unique<TWatcher>(nullptr);
  watcher->Watched = watched;
  watched->FreeNotification(watcher.get());
  watched->FreeNotification(watcher.get());  // asking twice notifies once
  delete watched;
  EXPECT_EQ(watcher->Watched, nullptr);
}

TEST(Components, DestroyingMarksTheWholeFamily) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  auto* grandchild = new TComponent(child);
  owner.Destroying();
  EXPECT_TRUE(grandchild->GetComponentState().Contains(csDestroying));
  child->SetComponentIndex(5);
  EXPECT_EQ(child->GetComponentIndex(), 0);
}

class TColumn : public TCollectionItem {
  KX_CLASS(TColumn, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  std::string Caption;
  void Assign(TPersistent* source) override {
    if (auto* other = dynamic_cast<TColumn*>(source)) Caption = other->Caption;
    else TCollectionItem::Assign(source);
  }
};

class TColumns : public TCollection {
 public:
  TColumns() : TCollection(&NewCollectionItem<TColumn>) {}
  int Updates = 0;

 protected:
  void Update(TCollectionItem*) override { ++Updates; }
};

TEST(Collections, ItemsAddDeleteAndAssign) {
  TColumns columns;
  static_cast<TColumn*>(columns.Add())->Caption = "Name";
  static_cast<TColumn*>(columns.Add())->Caption = "Size";
  static_cast<TColumn*>(columns.Insert(0))->Caption = "Icon";
  EXPECT_EQ(columns.GetCount(), 3);
  EXPECT_EQ(static_cast<TColumn*>(columns.GetItem(0))->Caption, "Icon");
  EXPECT_EQ(columns.GetItem(2)->GetIndex(), 2);
  EXPECT_EQ(columns.FindItemID(1), columns.GetItem(2));

  TColumns copy;
  copy.Add();
  copy.Updates = 0;
  copy.Assign(&columns);
  EXPECT_EQ(copy.Updates, 1);  // one update for the whole assignment
  ASSERT_EQ(copy.GetCount(), 3);
  EXPECT_EQ(static_cast<TColumn*>(copy.GetItem(2))->Caption, "Size");

  delete copy.GetItem(0);  // an item freed on its own leaves the collection
  EXPECT_EQ(copy.GetCount(), 2);
  copy.Delete(0);
  EXPECT_THROW(copy.GetItem(1), EListError);

  TStringList notAColumnList;
  try {
    copy.Assign(&notAColumnList);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "Cannot assign a TStringList to a TCollection");
  }
}

}  // namespace
