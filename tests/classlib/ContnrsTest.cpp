// Object lists that own their objects, and component lists that drop members freed elsewhere.
#include <gtest/gtest.h>

#include "classlib/Contnrs.h"

namespace {

int gAlive = 0;

class TCounted : public TComponent {
  KX_COMPONENT(TCounted, TComponent)
 public:
  explicit TCounted(TComponent* owner) : TComponent(owner) { ++gAlive; }
  ~TCounted() override { --gAlive; }
};

class TOtherCounted : public TCounted {
  KX_COMPONENT(TOtherCounted, TCounted)
 public:
  using TCounted::TCounted;
};

TEST(ObjectList, OwningListFreesWhatItDeletesButNotWhatItExtracts) {
  gAlive = 0;
  TCounted* kept = nullptr;
  {
    TObjectList list;
    for (int i = 0; i < 3; ++i) list.Add(new TCounted(nullptr));
    list.Add(new TOtherCounted(nullptr));
    EXPECT_EQ(list.FindInstanceOf(TOtherCounted::StaticClass()), 3);
    EXPECT_EQ(list.FindInstanceOf(TCounted::StaticClass(), false, 1), 1);
    EXPECT_EQ(list.FindInstanceOf(TStringList::StaticClass(), false), -1);
    list.Delete(0);
    EXPECT_EQ(gAlive, 3);
    kept = static_cast<TCounted*>(list.Extract(list.First()));
    list.Put(0, new TCounted(nullptr));  // replacing frees the one replaced
    EXPECT_EQ(gAlive, 3);
  }
  EXPECT_EQ(gAlive, 1);
  delete kept;

  TObjectList borrowed(false);
  TCounted object(nullptr);
  borrowed.Add(&object);
  borrowed.Clear();
  EXPECT_EQ(gAlive, 1);
}

TEST(ComponentList, MembersFreedElsewhereLeaveTheList) {
  TComponent form(nullptr);
  auto* a = new TCounted(&form);
  auto* b = new TCounted(&form);
  TComponentList list(false);
  list.Add(a);
  list.Add(b);
  list.Add(a);
  a->Free();
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.Get(0), b);
  list.Remove(b);
  b->Free();  // no longer watched: nothing to tell the list
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ComponentList, OwningListFreesItsMembersOnce) {
  gAlive = 0;
  TComponent form(nullptr);
  {
    TComponentList list(true);
    list.Add(new TCounted(&form));
    auto* freedByForm = new TCounted(&form);
    list.Add(freedByForm);
    freedByForm->Free();
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(gAlive, 1);
  }
  EXPECT_EQ(gAlive, 0);
  EXPECT_EQ(form.GetComponentCount(), 0);  // the list's member left its owner when freed
}

TEST(ComponentList, AListThatGoesFirstIsForgottenByItsMembers) {
  TComponent form(nullptr);
  auto* member = new TCounted(&form);
  {
    TComponentList list(false);
    list.Add(member);
  }
  member->Free();  // must not reach the freed list
  EXPECT_EQ(form.GetComponentCount(), 0);
}

}  // namespace
