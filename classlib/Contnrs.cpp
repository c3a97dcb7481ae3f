#include "classlib/Contnrs.h"

#include <algorithm>

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* item, TListNotification action) {
  if (FOwnsObjects && action == lnDeleted) delete static_cast<TObject*>(item);
}

int TObjectList::FindInstanceOf(TClass cls, bool exact, int start) const {
  for (int i = std::max(start, 0); i < GetCount(); ++i) {
    TObject* object = Get(i);
    if (object && (exact ? object->ClassType() == cls : object->InheritsFrom(cls))) return i;
  }
  return -1;
}

// Hears of members freed elsewhere and takes them out of the list.
class TComponentList::TNexus : public TComponent {
 public:
  explicit TNexus(TComponentList* list) : TComponent(nullptr), FList(list) {}

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove && FList)
      while (FList->IndexOf(component) >= 0) FList->Extract(component);
    TComponent::Notification(component, operation);
  }

 private:
  friend class TComponentList;
  TComponentList* FList;
};

TComponentList::TComponentList(bool ownsObjects) : TObjectList(ownsObjects), FNexus(new TNexus(this)) {}

TComponentList::~TComponentList() {
  Clear();
  FNexus->FList = nullptr;
}

void TComponentList::Notify(void* item, TListNotification action) {
  auto* component = static_cast<TComponent*>(item);
  if (action == lnAdded) {
    component->FreeNotification(FNexus.get());
    return;
  }
  // A component listed twice stays watched while it is still listed.
  if (IndexOf(component) < 0) component->RemoveFreeNotification(FNexus.get());
  if (action == lnDeleted && GetOwnsObjects()) component->Free();
}
