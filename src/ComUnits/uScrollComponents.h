// The registry that sets up a window's components by kind: it indexes the components of its
// roots by class, keeps for each registered base class the components of that class or a
// descendant, and runs the handlers registered for a base class over them. Components created
// later are picked up by Refresh; components freed meanwhile leave the lists by themselves.
#pragma once

#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"

class TStringList;
class TScrollComponent;
class TScrollComponentList;
class TIndexWatcher;

using TOnComponentsScrollEvent = Event<void(TComponent*)>;
using TScrollListEvent = Event<void(TScrollComponentList*)>;

// Rides on a tracked component (owned by it, so freed with it) and takes it out of the entry
// that tracks it when it goes.
class TChildComponent : public TComponent {
  RTL_CLASS(TChildComponent, TComponent)
 public:
  void Construct(TComponent* owner) override;
  void Construct(TComponent* owner, TScrollComponent* entry);
  // Leaves the tracked component without touching the entry's lists (the entry lets go itself).
  void Detach();

 protected:
  void Destroy() override;

 private:
  TComponent* FCopyOwner = nullptr;
  TScrollComponent* FEntry = nullptr;
};

// The components of one base class (or a descendant) and the handlers registered for it.
class TScrollComponent : public TObject {
  RTL_CLASS(TScrollComponent, TObject)
 public:
  void Construct(TScrollComponentList* list, TClass cls);

  TClass BaseClass() const { return FClass; }
  // Adds every indexed component of the base class or a descendant not held yet.
  void Fill();
  void AddComponent(TComponent* component);
  void DelComponent(TComponent* component);
  void ForEach(const TOnComponentsScrollEvent& handler) const;
  void Clear();

  // A routine is held once, whatever object it is bound to.
  void AddHandler(const TOnComponentsScrollEvent& handler);
  void RemoveHandler(const TOnComponentsScrollEvent& handler);
  void RunHandlers() const;

  int Count() const { return static_cast<int>(FComponents.size()); }
  TComponent* Items(int index) const;

 protected:
  void Destroy() override;

 private:
  friend class TChildComponent;
  void CheckInherits(TComponent* component, const char* operation) const;
  int IndexOf(const TComponent* component) const;
  void Forget(int index);

  TScrollComponentList* FList = nullptr;
  TClass FClass = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TChildComponent*> FTrackers;  // one per component, at the same index
  std::vector<TOnComponentsScrollEvent> FHandlers;
};

class TScrollComponentList : public TObject {
  RTL_CLASS(TScrollComponentList, TObject)
 public:
  void Construct(TComponent* root);

  void AddRoot(TComponent* root);
  // The entry of exactly the class gets the handler (the entry is made when missing).
  void AddHandler(TClass cls, const TOnComponentsScrollEvent& handler);
  void RemoveHandler(TClass cls, const TOnComponentsScrollEvent& handler);
  void Refresh();
  void Run();

  int EntryCount() const;
  TScrollComponent* Entries(int index) const;
  TScrollComponent* FindEntry(TClass cls) const;

  TScrollListEvent OnBeforeRun;
  TScrollListEvent OnAfterRun;

 protected:
  void Destroy() override;

 private:
  friend class TScrollComponent;
  friend class TIndexWatcher;
  struct TRoot {
    TComponent* Component;
    int Count;
  };

  void IndexComponent(TComponent* component);
  void UnindexComponent(TComponent* component);
  void IndexOwned(TComponent* root, int from, int to);
  // Calls Action for every indexed component of the class or a descendant, in index order.
  template <class F>
  void ForEachIndexed(TClass cls, F action) const;

  TStringList* FClassIndex = nullptr;  // class identity -> components of exactly that class
  std::vector<TRoot> FRoots;
  TObjectList* FEntries = nullptr;
  TIndexWatcher* FWatcher = nullptr;
};
