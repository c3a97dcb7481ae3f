// Lists of objects: TObjectList frees its objects when it owns them; TComponentList also drops a
// component that is freed elsewhere.
#pragma once

#include <memory>

#include "classlib/Classes.h"

class TObjectList : public TList {
  KX_CLASS(TObjectList, TList)
 public:
  explicit TObjectList(bool ownsObjects = true) : FOwnsObjects(ownsObjects) {}
  ~TObjectList() override;

  int Add(TObject* object) { return TList::Add(object); }
  void Insert(int index, TObject* object) { TList::Insert(index, object); }
  int Remove(TObject* object) { return TList::Remove(object); }
  TObject* Extract(TObject* object) { return static_cast<TObject*>(TList::Extract(object)); }
  int IndexOf(TObject* object) const { return TList::IndexOf(object); }
  TObject* Get(int index) const { return static_cast<TObject*>(TList::Get(index)); }
  void Put(int index, TObject* object) { TList::Put(index, object); }
  TObject* operator[](int index) const { return Get(index); }
  TObject* First() const { return Get(0); }
  TObject* Last() const { return Get(GetCount() - 1); }
  // The first index from start whose object is of that class (or derived), -1 when none.
  int FindInstanceOf(TClass cls, bool exact = true, int start = 0) const;
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool ownsObjects) { FOwnsObjects = ownsObjects; }

 protected:
  void Notify(void* item, TListNotification action) override;

 private:
  bool FOwnsObjects;
};

class TComponentList : public TObjectList {
  KX_CLASS(TComponentList, TObjectList)
 public:
  explicit TComponentList(bool ownsObjects = true);
  ~TComponentList() override;

  int Add(TComponent* component) { return TObjectList::Add(component); }
  void Insert(int index, TComponent* component) { TObjectList::Insert(index, component); }
  int Remove(TComponent* component) { return TObjectList::Remove(component); }
  TComponent* Extract(TComponent* component) { return static_cast<TComponent*>(TObjectList::Extract(component)); }
  int IndexOf(TComponent* component) const { return TObjectList::IndexOf(component); }
  TComponent* Get(int index) const { return static_cast<TComponent*>(TObjectList::Get(index)); }
  void Put(int index, TComponent* component) { TObjectList::Put(index, component); }
  TComponent* operator[](int index) const { return Get(index); }
  TComponent* First() const { return Get(0); }
  TComponent* Last() const { return Get(GetCount() - 1); }

 protected:
  void Notify(void* item, TListNotification action) override;

 private:
  class TNexus;
  std::unique_ptr<TNexus> FNexus;
};
