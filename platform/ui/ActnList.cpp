#include "platform/ui/ActnList.h"

#include <algorithm>

#include "platform/ui/ImgList.h"
#include "platform/ui/PropertyTables.h"

RTL_CLASS_IMPL(TBasicAction, TComponent)
RTL_CLASS_IMPL(TContainedAction, TBasicAction)
RTL_CLASS_IMPL(TCustomAction, TContainedAction)
RTL_CLASS_IMPL_CREATABLE(TAction, TCustomAction)
RTL_CLASS_IMPL(TCustomActionList, TComponent)
RTL_CLASS_IMPL_CREATABLE(TActionList, TCustomActionList)

namespace {

const bool ActionPropertiesRegistered = RegisterProperties(
    TCustomAction::ClassInfo(),
    {CaptionProperty<TCustomAction>(), HintProperty<TCustomAction>(),
     ValueProperty<TCustomAction>(
         "Category", [](const TCustomAction* a) { return Variant(a->Category()); },
         [](TCustomAction* a, const Variant& v) { a->SetCategory(v.AsString()); }),
     ValueProperty<TCustomAction>(
         "Enabled", [](const TCustomAction* a) { return Variant(a->Enabled()); },
         [](TCustomAction* a, const Variant& v) { a->SetEnabled(v.AsBoolean()); }),
     ValueProperty<TCustomAction>(
         "Visible", [](const TCustomAction* a) { return Variant(a->Visible()); },
         [](TCustomAction* a, const Variant& v) { a->SetVisible(v.AsBoolean()); })});

}  // namespace

// --- TBasicAction ----------------------------------------------------------------------------

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterLink(TActionLink* link) { FLinks.push_back(link); }

void TBasicAction::UnregisterLink(TActionLink* link) {
  FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end());
}

void TBasicAction::ChangeLinked(TActionProperty property, const Variant& current,
                                const Variant& value) {
  for (TActionLink* link : std::vector<TActionLink*>(FLinks))
    link->Changing(property, current, value);
}

void TBasicAction::Destroy() {
  *FAlive = false;
  for (TActionLink* link : FLinks) link->ActionGone();
  FLinks.clear();
  inherited::Destroy();
}

// --- TContainedAction ------------------------------------------------------------------------

void TContainedAction::SetActionList(TCustomActionList* list) {
  if (FActionList == list) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (list) list->AddAction(this);
}

int TContainedAction::Index() const {
  if (!FActionList) return -1;
  const auto& actions = FActionList->FActions;
  return static_cast<int>(std::find(actions.begin(), actions.end(), this) - actions.begin());
}

bool TContainedAction::Execute() {
  return (FActionList && FActionList->ExecuteAction(this)) || inherited::Execute();
}

bool TContainedAction::Update() {
  return (FActionList && FActionList->UpdateAction(this)) || inherited::Update();
}

void TContainedAction::Destroy() {
  SetActionList(nullptr);
  inherited::Destroy();
}

// --- TCustomAction ---------------------------------------------------------------------------

template <class T>
void TCustomAction::Change(TActionProperty property, T& field, const T& value) {
  if (field == value) return;
  ChangeLinked(property, Variant(field), Variant(value));
  field = value;
}

void TCustomAction::SetCaption(const String& value) { Change(apCaption, FCaption, value); }
void TCustomAction::SetHint(const String& value) { Change(apHint, FHint, value); }
void TCustomAction::SetEnabled(bool value) { Change(apEnabled, FEnabled, value); }
void TCustomAction::SetVisible(bool value) { Change(apVisible, FVisible, value); }
void TCustomAction::SetChecked(bool value) { Change(apChecked, FChecked, value); }
void TCustomAction::SetImageIndex(int value) { Change(apImageIndex, FImageIndex, value); }
void TCustomAction::SetShortCut(TShortCut value) { Change(apShortCut, FShortCut, value); }

Variant TCustomAction::LinkedValue(TActionProperty property) const {
  return ActionPropertyOf(*this, property);
}

bool TCustomAction::Execute() {
  Update();
  return FEnabled && inherited::Execute();
}

// --- TCustomActionList -----------------------------------------------------------------------

TContainedAction* TCustomActionList::Actions(int index) const {
  if (index < 0 || index >= ActionCount()) ListIndexError(index);
  return FActions[static_cast<size_t>(index)];
}

void TCustomActionList::SetImages(TImageList* images) {
  if (FImages == images) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

void TCustomActionList::AddAction(TContainedAction* action) {
  FActions.push_back(action);
  action->FActionList = this;
}

void TCustomActionList::RemoveAction(TContainedAction* action) {
  FActions.erase(std::remove(FActions.begin(), FActions.end(), action), FActions.end());
  action->FActionList = nullptr;
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
  bool handled = false;
  if (OnExecute) OnExecute(action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TShortCut shortCut) {
  if (shortCut == 0) return false;
  for (TContainedAction* action : FActions) {
    auto* custom = dynamic_cast<TCustomAction*>(action);
    if (custom && custom->ShortCut() == shortCut) return custom->Execute();
  }
  return false;
}

void TCustomActionList::UpdateActions() {
  // By index: an update handler may add or remove actions.
  for (size_t i = 0; i < FActions.size(); ++i) FActions[i]->Update();
}

void TCustomActionList::Destroy() {
  while (!FActions.empty()) FActions.back()->Free();
  SetImages(nullptr);
  inherited::Destroy();
}

// --- TActionLink -----------------------------------------------------------------------------

void TActionLink::SetAction(TBasicAction* action, bool checkDefaults) {
  if (FAction == action) return;
  if (FAction) FAction->UnregisterLink(this);
  FAction = action;
  if (!FAction) return;
  FAction->RegisterLink(this);
  auto* custom = dynamic_cast<TCustomAction*>(FAction);
  if (!custom) return;
  for (TActionProperty property :
       {apCaption, apHint, apEnabled, apVisible, apChecked, apImageIndex, apShortCut}) {
    if (FClient->HasActionProperty(property) && (!checkDefaults || IsDefault(property)))
      FClient->SetActionProperty(property, custom->LinkedValue(property));
  }
}

bool TActionLink::IsDefault(TActionProperty property) const {
  const Variant value = FClient->GetActionProperty(property);
  switch (property) {
    case apCaption:
      return value.AsString().empty() || value.AsString() == FComponent->Name();
    case apHint:
      return value.AsString().empty();
    case apEnabled:
    case apVisible:
      return value.AsBoolean();
    case apChecked:
      return !value.AsBoolean();
    case apImageIndex:
      return value.AsInteger() == -1;
    case apShortCut:
      return value.AsInteger() == 0;
  }
  return false;
}

void TActionLink::Changing(TActionProperty property, const Variant& current, const Variant& value) {
  if (FClient->HasActionProperty(property) && FClient->GetActionProperty(property) == current)
    FClient->SetActionProperty(property, value);
}

bool TActionLink::Execute() {
  if (!FAction) return false;
  // The action may take its client, or itself, away while it runs: touch neither afterwards
  // unless they are still there.
  TBasicAction* action = FAction;
  const std::shared_ptr<bool> alive = action->FAlive;
  action->SetActionComponent(FComponent);
  bool result = false;
  try {
    result = action->Execute();
  } catch (...) {
    if (*alive) action->SetActionComponent(nullptr);
    throw;
  }
  if (*alive) action->SetActionComponent(nullptr);
  return result;
}

bool TActionLink::Update() { return FAction && FAction->Update(); }

void ClickActionClient(TObject* sender, TNotifyEvent onClick, TActionLink* link) {
  TBasicAction* action = link ? link->Action() : nullptr;
  if (onClick && action && !(onClick == action->OnExecute))
    onClick(sender);
  else if (action)
    link->Execute();
  else if (onClick)
    onClick(sender);
}
