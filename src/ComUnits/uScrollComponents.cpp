#include "src/ComUnits/uScrollComponents.h"

#include <algorithm>
#include <string>

#include "platform/rtl/Strings.h"

namespace {

// The index key of a class: its record's address in decimal, unique per class.
String ClassKey(TClass cls) { return std::to_string(reinterpret_cast<uintptr_t>(cls)); }

TClass ClassOfKey(const String& key) {
  return reinterpret_cast<TClass>(static_cast<uintptr_t>(std::stoull(key)));
}

}  // namespace

// Watches every indexed component, so that a component freed while the registry lives leaves
// the class index too and a later Refresh never meets it.
class TIndexWatcher : public TComponent {
  RTL_CLASS(TIndexWatcher, TComponent)
 public:
  TScrollComponentList* List = nullptr;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation == TOperation::opRemove && List) List->UnindexComponent(component);
  }
};
RTL_CLASS_IMPL(TIndexWatcher, TComponent)

// ---------------------------------------------------------------------------------------------
// TChildComponent

TClass TChildComponent::ClassInfo() {
  // The tracker keeps the name it is known by in the registry's messages.
  static const TClassRec record{"_TChildComponent", TComponent::ClassInfo(), nullptr};
  return &record;
}

void TChildComponent::Construct(TComponent* owner) { Construct(owner, nullptr); }

void TChildComponent::Construct(TComponent* owner, TScrollComponent* entry) {
  Assert(owner != nullptr, "_TChildComponent.Create: AOwner = nil");
  inherited::Construct(owner);
  FCopyOwner = owner;
  FEntry = entry;
}

void TChildComponent::Detach() {
  FEntry = nullptr;
  if (Owner()) Owner()->RemoveComponent(this);
}

void TChildComponent::Destroy() {
  if (FEntry) {
    Assert(FCopyOwner != nullptr, "_TChildComponent.Destroy: program error: FCopyOwner = nil");
    const int index = FEntry->IndexOf(FCopyOwner);
    Assert(index != -1, "_TChildComponent.Destroy: program error: pIndex = -1");
    FEntry->Forget(index);
  }
  inherited::Destroy();
}

// ---------------------------------------------------------------------------------------------
// TScrollComponent

RTL_CLASS_IMPL(TScrollComponent, TObject)

void TScrollComponent::Construct(TScrollComponentList* list, TClass cls) {
  Assert(list != nullptr, "TScrollComponent.Create: AScrollList = nil");
  if (list->FindEntry(cls))
    AssertionFailed(String("TScrollComponent.Create: components of Class \"") + cls->Name +
                    "\" Is already added");
  FList = list;
  FClass = cls;
  FList->FEntries->Add(this);
  Fill();
}

void TScrollComponent::Destroy() {
  if (FList) FList->FEntries->Extract(this);
  while (!FComponents.empty()) DelComponent(FComponents.back());
  FHandlers.clear();
  inherited::Destroy();
}

void TScrollComponent::Fill() {
  FList->ForEachIndexed(FClass, [this](TComponent* component) {
    if (IndexOf(component) < 0) AddComponent(component);
  });
}

void TScrollComponent::CheckInherits(TComponent* component, const char* operation) const {
  if (!component->InheritsFrom(FClass))
    AssertionFailed(String("TScrollComponent.") + operation + ": \"" + component->ClassName() +
                    "\" class is not inherited \"" + FClass->Name + "\" class");
}

int TScrollComponent::IndexOf(const TComponent* component) const {
  const auto it = std::find(FComponents.begin(), FComponents.end(), component);
  return it == FComponents.end() ? -1 : static_cast<int>(it - FComponents.begin());
}

void TScrollComponent::AddComponent(TComponent* component) {
  CheckInherits(component, "AddComponent");
  if (IndexOf(component) >= 0) return;
  FComponents.push_back(component);
  FTrackers.push_back(nullptr);
  FTrackers.back() = TChildComponent::Create(component, this);
}

void TScrollComponent::Forget(int index) {
  FComponents.erase(FComponents.begin() + index);
  FTrackers.erase(FTrackers.begin() + index);
}

void TScrollComponent::DelComponent(TComponent* component) {
  CheckInherits(component, "DelComponent");
  const int index = IndexOf(component);
  if (index < 0) return;
  TChildComponent* tracker = FTrackers[static_cast<size_t>(index)];
  Forget(index);
  tracker->Detach();
  tracker->Free();
}

void TScrollComponent::Clear() {
  while (!FComponents.empty()) DelComponent(FComponents.back());
}

void TScrollComponent::ForEach(const TOnComponentsScrollEvent& handler) const {
  // By index: a handler may free a component, which then leaves this list.
  for (size_t i = 0; i < FComponents.size(); ++i) handler(FComponents[i]);
}

void TScrollComponent::AddHandler(const TOnComponentsScrollEvent& handler) {
  const bool held = std::any_of(FHandlers.begin(), FHandlers.end(),
                                [&](const auto& known) { return known.SameRoutine(handler); });
  if (!held) FHandlers.push_back(handler);
}

void TScrollComponent::RemoveHandler(const TOnComponentsScrollEvent& handler) {
  FHandlers.erase(std::remove_if(FHandlers.begin(), FHandlers.end(),
                                 [&](const auto& known) { return known.SameRoutine(handler); }),
                  FHandlers.end());
}

void TScrollComponent::RunHandlers() const {
  for (size_t i = 0; i < FComponents.size(); ++i)
    for (size_t h = 0; h < FHandlers.size() && i < FComponents.size(); ++h)
      FHandlers[h](FComponents[i]);
}

TComponent* TScrollComponent::Items(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return FComponents[static_cast<size_t>(index)];
}

// ---------------------------------------------------------------------------------------------
// TScrollComponentList

RTL_CLASS_IMPL(TScrollComponentList, TObject)

void TScrollComponentList::Construct(TComponent* root) {
  FClassIndex = TStringList::Create(true);
  FClassIndex->SetSorted(true);
  FClassIndex->SetDuplicates(TDuplicates::dupError);
  FEntries = TObjectList::Create(true);
  FWatcher = TIndexWatcher::Create(nullptr);
  FWatcher->List = this;
  AddRoot(root);
}

void TScrollComponentList::Destroy() {
  // Entries first (each lets go of its trackers), then the index.
  if (FEntries)
    while (FEntries->Count() > 0) FEntries->Last()->Free();
  FreeAndNil(FEntries);
  if (FWatcher) FWatcher->List = nullptr;
  FreeAndNil(FWatcher);
  FreeAndNil(FClassIndex);
  inherited::Destroy();
}

template <class F>
void TScrollComponentList::ForEachIndexed(TClass cls, F action) const {
  for (int i = 0; i < FClassIndex->Count(); ++i) {
    if (!ClassInheritsFrom(ClassOfKey(FClassIndex->Strings(i)), cls)) continue;
    const auto* components = static_cast<TObjectList*>(FClassIndex->Objects(i));
    for (int c = 0; c < components->Count(); ++c)
      action(static_cast<TComponent*>(components->Items(c)));
  }
}

void TScrollComponentList::IndexComponent(TComponent* component) {
  const String key = ClassKey(component->ClassType());
  int index = -1;
  if (!FClassIndex->Find(key, index))
    index = FClassIndex->AddObject(key, TObjectList::Create(false));
  auto* components = static_cast<TObjectList*>(FClassIndex->Objects(index));
  if (components->IndexOf(component) >= 0) return;
  components->Add(component);
  component->FreeNotification(FWatcher);
}

void TScrollComponentList::UnindexComponent(TComponent* component) {
  int index = -1;
  if (FClassIndex->Find(ClassKey(component->ClassType()), index))
    static_cast<TObjectList*>(FClassIndex->Objects(index))->Remove(component);
}

void TScrollComponentList::IndexOwned(TComponent* root, int from, int to) {
  for (int i = from; i < to; ++i) IndexComponent(root->Components(i));
}

void TScrollComponentList::AddRoot(TComponent* root) {
  if (!root) return;
  for (const TRoot& known : FRoots)
    if (known.Component == root) return;
  FRoots.push_back({root, root->ComponentCount()});
  IndexOwned(root, 0, root->ComponentCount());
  for (int i = 0; i < EntryCount(); ++i) Entries(i)->Fill();
}

TScrollComponent* TScrollComponentList::FindEntry(TClass cls) const {
  for (int i = 0; i < EntryCount(); ++i)
    if (Entries(i)->BaseClass() == cls) return Entries(i);
  return nullptr;
}

void TScrollComponentList::AddHandler(TClass cls, const TOnComponentsScrollEvent& handler) {
  TScrollComponent* entry = FindEntry(cls);
  if (!entry) entry = TScrollComponent::Create(this, cls);
  entry->AddHandler(handler);
}

void TScrollComponentList::RemoveHandler(TClass cls, const TOnComponentsScrollEvent& handler) {
  if (TScrollComponent* entry = FindEntry(cls)) entry->RemoveHandler(handler);
}

void TScrollComponentList::Refresh() {
  for (TRoot& root : FRoots) {
    const int count = root.Component->ComponentCount();
    if (count > root.Count) IndexOwned(root.Component, root.Count, count);
    root.Count = count;
  }
  for (int i = 0; i < EntryCount(); ++i) {
    Entries(i)->Clear();
    Entries(i)->Fill();
  }
}

void TScrollComponentList::Run() {
  if (OnBeforeRun) OnBeforeRun(this);
  for (int i = 0; i < EntryCount(); ++i) Entries(i)->RunHandlers();
  if (OnAfterRun) OnAfterRun(this);
}

int TScrollComponentList::EntryCount() const { return FEntries->Count(); }

TScrollComponent* TScrollComponentList::Entries(int index) const {
  return FEntries->ItemAs<TScrollComponent>(index);
}
