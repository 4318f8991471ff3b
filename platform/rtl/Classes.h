// Persistent objects, components with ownership and free notifications, and object lists.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Object.h"

class TPersistent : public TObject {
  RTL_CLASS(TPersistent, TObject)
 public:
  // Copies Source into this object. A class that knows how overrides Assign; otherwise the
  // source is asked (AssignTo) and, when neither knows, EConvertError
  // "Cannot assign a <source class> to a <target class>" is raised.
  virtual void Assign(TPersistent* source);

 protected:
  virtual void AssignTo(TPersistent* dest);

 private:
  [[noreturn]] void AssignError(TPersistent* source);
};

enum class TListNotification { lnAdded, lnExtracted, lnDeleted };

// A list of object references. When it owns its objects, removing one (Delete, Remove, Clear,
// Put over it, freeing the list) frees it; Extract takes one out without freeing it.
// Descendants learn of every change through Notify.
class TObjectList : public TObject {
  RTL_CLASS(TObjectList, TObject)
 public:
  void Construct(bool ownsObjects = true) { FOwnsObjects = ownsObjects; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TObject* Items(int index) const;
  template <class T>
  T* ItemAs(int index) const {
    return static_cast<T*>(Items(index));
  }
  void Put(int index, TObject* item);
  int Add(TObject* item);
  void Insert(int index, TObject* item);
  void Delete(int index);
  int Remove(TObject* item);
  TObject* Extract(TObject* item);
  int IndexOf(const TObject* item) const;
  void Exchange(int index1, int index2);
  void Move(int currentIndex, int newIndex);
  void Clear();
  TObject* First() const { return Items(0); }
  TObject* Last() const { return Items(Count() - 1); }
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool value) { FOwnsObjects = value; }
  void SetCapacity(int capacity) { FItems.reserve(static_cast<size_t>(capacity)); }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 protected:
  virtual void Notify(TObject* item, TListNotification action);
  void Destroy() override;

 private:
  void CheckIndex(int index) const;

  std::vector<TObject*> FItems;
  bool FOwnsObjects = true;
};

[[noreturn]] void ListIndexError(int index);

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csFreeNotification = 1u << 5,
  csUpdating = 1u << 6,
};

// A component is owned by its Owner and freed with it (the last created first). Components that
// refer to one another without owning register free notifications, so that a reference is
// cleared in Notification before the other component is gone.
class TComponent : public TPersistent {
  RTL_CLASS(TComponent, TPersistent)
 public:
  // The virtual constructor: what a class reference runs (CreateComponent below).
  virtual void Construct(TComponent* owner);

  // Makes a component of a class known only by its record, as `AClass.Create(Owner)` does.
  // The class must be creatable (RTL_CLASS_IMPL_CREATABLE) and descend from TComponent.
  static TComponent* CreateComponent(TClass cls, TComponent* owner);

  TComponent* Owner() const { return FOwner; }
  const String& Name() const { return FName; }
  virtual void SetName(const String& name);
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t tag) { FTag = tag; }
  uint32_t ComponentState() const { return FComponentState; }
  bool HasState(TComponentStateFlag flag) const { return (FComponentState & flag) != 0; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  // Finds an owned component by name, ignoring letter case; nullptr when there is none.
  TComponent* FindComponent(const String& name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  void Destroying();

  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // For the reader of a window resource, as the platform's streaming system does it: a component
  // it makes is marked loading, and told (Loaded) once the whole resource has been read.
  void MarkLoading() { FComponentState |= csLoading; }
  void FinishLoading() { Loaded(); }

 protected:
  // Told of components inserted into or removed from this one's owner tree, and of the end of
  // components this one registered a free notification with.
  virtual void Notification(TComponent* component, TOperation operation);
  // Called when the component has been fully read (its resource applied).
  virtual void Loaded();
  void SetComponentState(uint32_t flags) { FComponentState |= flags; }
  void ClearComponentState(uint32_t flags) { FComponentState &= ~flags; }

  void BeforeDestruction() override;
  void Destroy() override;

 private:
  void ValidateRename(TComponent* component, const String& oldName, const String& newName) const;
  void RemoveNotification(TComponent* component);
  void NotifyOwned(TComponent* component, TOperation operation);

  TComponent* FOwner = nullptr;
  String FName;
  int32_t FTag = 0;
  uint32_t FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// An identifier as the platform accepts for component names: a letter or "_" first, then
// letters, digits or "_".
bool IsValidIdent(const String& name);
