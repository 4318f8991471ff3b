#include "platform/rtl/Classes.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"

RTL_CLASS_IMPL(TPersistent, TObject)

void TPersistent::Assign(TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  const String sourceName = source ? source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

// ---------------------------------------------------------------------------------------------
RTL_CLASS_IMPL_CREATABLE(TObjectList, TObject)

void ListIndexError(int index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TObjectList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
}

TObject* TObjectList::Items(int index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)];
}

void TObjectList::Put(int index, TObject* item) {
  CheckIndex(index);
  TObject*& slot = FItems[static_cast<size_t>(index)];
  if (slot == item) return;
  TObject* old = slot;
  slot = item;
  if (old) Notify(old, TListNotification::lnDeleted);
  if (item) Notify(item, TListNotification::lnAdded);
}

int TObjectList::Add(TObject* item) {
  FItems.push_back(item);
  if (item) Notify(item, TListNotification::lnAdded);
  return Count() - 1;
}

void TObjectList::Insert(int index, TObject* item) {
  if (index < 0 || index > Count()) ListIndexError(index);
  FItems.insert(FItems.begin() + index, item);
  if (item) Notify(item, TListNotification::lnAdded);
}

void TObjectList::Delete(int index) {
  CheckIndex(index);
  TObject* item = FItems[static_cast<size_t>(index)];
  FItems.erase(FItems.begin() + index);
  if (item) Notify(item, TListNotification::lnDeleted);
}

int TObjectList::Remove(TObject* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

TObject* TObjectList::Extract(TObject* item) {
  const int index = IndexOf(item);
  if (index < 0) return nullptr;
  FItems.erase(FItems.begin() + index);
  Notify(item, TListNotification::lnExtracted);
  return item;
}

int TObjectList::IndexOf(const TObject* item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TObjectList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
}

void TObjectList::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  CheckIndex(currentIndex);
  CheckIndex(newIndex);
  TObject* item = FItems[static_cast<size_t>(currentIndex)];
  FItems.erase(FItems.begin() + currentIndex);
  FItems.insert(FItems.begin() + newIndex, item);
}

void TObjectList::Clear() {
  // Last first, and each one out of the list before it is freed, so a destructor that looks at
  // the list never sees a freed object.
  while (!FItems.empty()) Delete(Count() - 1);
  FItems.shrink_to_fit();
}

void TObjectList::Notify(TObject* item, TListNotification action) {
  if (FOwnsObjects && action == TListNotification::lnDeleted) item->Free();
}

void TObjectList::Destroy() {
  Clear();
  inherited::Destroy();
}

// ---------------------------------------------------------------------------------------------
RTL_CLASS_IMPL_CREATABLE(TComponent, TPersistent)

static const bool kComponentProperties = RegisterProperties(
    TComponent::ClassInfo(),
    {ValueProperty<TComponent>(
         "Name", [](const TComponent* c) { return Variant(c->Name()); },
         [](TComponent* c, const Variant& v) { c->SetName(v.AsString()); }),
     ValueProperty<TComponent>(
         "Tag", [](const TComponent* c) { return Variant(c->Tag()); },
         [](TComponent* c, const Variant& v) { c->SetTag(v.AsInteger()); })});

bool IsValidIdent(const String& name) {
  if (name.empty()) return false;
  auto isAlpha = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
  };
  if (!isAlpha(name[0])) return false;
  return std::all_of(name.begin(), name.end(),
                     [&](char c) { return isAlpha(c) || (c >= '0' && c <= '9'); });
}

void TComponent::Construct(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent* TComponent::CreateComponent(TClass cls, TComponent* owner) {
  if (!cls || !cls->NewInstance || !ClassInheritsFrom(cls, ClassInfo()))
    throw EComponentError(String("Class ") + (cls ? cls->Name : "nil") +
                          " cannot be created as a component");
  auto* component = static_cast<TComponent*>(cls->NewInstance());
  try {
    component->Construct(owner);
  } catch (...) {
    component->DestroyFailedConstruction();
    throw;
  }
  component->AfterConstruction();
  return component;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) ListIndexError(index);
  return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  const auto& siblings = FOwner->FComponents;
  const auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : FComponents)
    if (SameText(component->FName, name)) return component;
  return nullptr;
}

void TComponent::ValidateRename(TComponent* component, const String& oldName,
                                const String& newName) const {
  if (newName.empty() || SameText(oldName, newName)) return;
  const TComponent* existing = FindComponent(newName);
  if (existing && existing != component)
    throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::SetName(const String& name) {
  if (FName == name) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (FOwner) FOwner->ValidateRename(this, FName, name);
  FName = name;
}

void TComponent::InsertComponent(TComponent* component) {
  ValidateRename(component, String(), component->FName);
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  FComponents.push_back(component);
  component->FOwner = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, TOperation::opRemove);
  const auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it != FComponents.end()) FComponents.erase(it);
  component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* component = FComponents.back();
    RemoveComponent(component);
    component->Free();
  }
}

void TComponent::Destroying() { FComponentState |= csDestroying; }

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  // Components of one owner learn of each other's end from the owner's broadcast.
  if (!FOwner || component->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(component);
      component->FreeNotification(this);
    }
  }
  FComponentState |= csFreeNotification;
}

void TComponent::RemoveNotification(TComponent* component) {
  const auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component);
  if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  RemoveNotification(component);
  component->RemoveNotification(this);
}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
  // Walk by index from the end: a handler may free or remove components of this owner.
  for (size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    FComponents[i]->Notification(component, operation);
  }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
  NotifyOwned(component, operation);
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::BeforeDestruction() {
  if (!HasState(csDestroying)) Destroying();
}

void TComponent::Destroy() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->RemoveNotification(this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
  inherited::Destroy();
}
