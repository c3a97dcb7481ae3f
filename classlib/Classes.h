// The non-visual core of the class library: objects and events (Objects.h), streams (Streams.h),
// string lists (StringLists.h), and here the pointer list, components with ownership and free
// notification, and collections.
#pragma once

#include <string>
#include <vector>

#include "classlib/Objects.h"
#include "classlib/StringLists.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// TList: a list of untyped pointers. Index errors raise EListError "List index out of bounds (%d)".

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
  KX_CLASS(TList, TObject)
 public:
  TList() = default;
  ~TList() override;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  int Remove(void* item);   // the index it had, or -1
  void* Extract(void* item);  // removed without being deleted; nullptr when absent
  void Clear();
  void* Get(int index) const;
  void Put(int index, void* item);
  void* operator[](int index) const { return Get(index); }
  int GetCount() const { return static_cast<int>(FList.size()); }
  void SetCount(int count);
  int GetCapacity() const { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int capacity);
  int IndexOf(void* item) const;
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void* First() const { return Get(0); }
  void* Last() const { return Get(GetCount() - 1); }
  void Pack();  // drops the nullptr items
  void Sort(int (*compare)(void* item1, void* item2));

 protected:
  // Hears every non-null item that enters or leaves the list. A derived class that acts on
  // deletion clears the list in its own destructor.
  virtual void Notify(void*, TListNotification) {}
  [[noreturn]] void Error(const char* pattern, int value) const;
  void CheckIndex(int index) const;

 private:
  std::vector<void*> FList;
};

// ---------------------------------------------------------------------------------------------
// TComponent

enum TComponentStateFlag {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TReader;
class TWriter;

// A component is made with its owner (or none), which frees it: owned components are freed
// with their owner, the last made first. Free() (or the owner) takes a component down while it
// is still whole, so that notifications reach every override; `delete` works too but then runs
// the teardown from the base destructor.
class TComponent : public TPersistent {
  KX_COMPONENT(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  void Free();

  TComponent* GetOwner() const { return FOwner; }
  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int index) const;
  int GetComponentIndex() const;
  void SetComponentIndex(int index);
  // The owned component of that name (case ignored), or nullptr.
  TComponent* FindComponent(const std::string& name) const;

  const std::string& GetName() const { return FName; }
  // Names are identifiers, unique among the owner's components (EComponentError otherwise).
  virtual void SetName(const std::string& name);
  int GetTag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }
  TComponentState GetComponentState() const { return FComponentState; }
  std::string GetNamePath() const override { return FName; }

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  // Marks this component and its owned components as being destroyed.
  void Destroying();

  // Asks for Notification(this, opRemove) on the given component when this one is freed
  // (and the reverse); components with the same owner hear of each other through the owner.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // The form reader's hooks: the component that holds this one in a form description.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}

 protected:
  // Called once the form reader has set every property of the form; ends the loading state.
  virtual void Loaded();
  // Hears that a component was inserted into or removed from the owner's family, or that a
  // component this one asked about is being freed. Overrides call the inherited one.
  virtual void Notification(TComponent* component, TOperation operation);
  virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
  void SetDesigning(bool designing);
  // Runs before destruction, while the object is whole: notifies, frees owned components,
  // leaves the owner. Runs once.
  virtual void BeforeDestruction();

 private:
  friend class TReader;
  friend class TWriter;
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void RemoveNotification(TComponent* component);

  TComponent* FOwner = nullptr;
  std::string FName;
  int FTag = 0;
  TComponentState FComponentState;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FTornDown = false;
};

// Identifier rules of component names: a letter or "_" first, then letters, digits and "_".
bool IsValidIdent(const std::string& name);

// ---------------------------------------------------------------------------------------------
// Collections: owned items made by the collection, as column and panel lists are.

class TCollection;

class TCollectionItem : public TPersistent {
  KX_CLASS(TCollectionItem, TPersistent)
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* GetCollection() const { return FCollection; }
  void SetCollection(TCollection* collection);
  int GetIndex() const;
  virtual void SetIndex(int index);
  int GetID() const { return FID; }
  virtual std::string GetDisplayName() const { return ClassName(); }
  std::string GetNamePath() const override;

 protected:
  // Tells the collection that this item (or, with allItems, every item) changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };
using TCollectionItemFactory = TCollectionItem* (*)(TCollection* collection);

// The factory for a collection of items of class T.
template <class T>
TCollectionItem* NewCollectionItem(TCollection* collection) {
  return new T(collection);
}

class TCollection : public TPersistent {
  KX_CLASS(TCollection, TPersistent)
 public:
  explicit TCollection(TCollectionItemFactory factory, TPersistent* owner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* GetItem(int index) const;
  TCollectionItem* FindItemID(int id) const;
  TPersistent* GetOwner() const { return FOwner; }
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }
  // Items of another collection are copied by their own Assign.
  void Assign(TPersistent* source) override;
  std::string GetNamePath() const override;

 protected:
  // Hears a change of one item (nullptr: of the whole collection), outside updates.
  virtual void Update(TCollectionItem*) {}
  virtual void Notify(TCollectionItem*, TCollectionNotification) {}

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void Changed(TCollectionItem* item);

  TCollectionItemFactory FFactory;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};
