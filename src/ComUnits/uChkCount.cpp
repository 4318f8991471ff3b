#include "src/ComUnits/uChkCount.h"

#include "platform/db/DataSource.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Controls.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

namespace {

// The events an entry takes over, in the order of its handler slots.
TDataSetNotifyEvent TDataSet::*const kFollowedEvents[] = {
    &TDataSet::AfterOpen, &TDataSet::AfterScroll, &TDataSet::AfterRefresh};

}  // namespace

// Hears of the end of everything the list refers to without owning it.
class TChkWatcher : public TComponent {
  RTL_CLASS(TChkWatcher, TComponent)
 public:
  TChkStateList* List = nullptr;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation == TOperation::opRemove && List) List->ComponentGone(component);
  }
};
RTL_CLASS_IMPL(TChkWatcher, TComponent)

// ---------------------------------------------------------------------------------------------
// TChkState

RTL_CLASS_IMPL(TChkState, TObject)

void TChkState::Construct(TDataSet* dataSet, const TChkStateEvent& onUpdate) {
  Assert(onUpdate.Assigned(), "TChkState.Create: pUpdEv=nil");
  Assert(dataSet != nullptr, "TChkState.Create: pDataSet=nil");
  FOnUpdate = onUpdate;
  FDataSet = dataSet;
  for (int slot = 0; slot < kEventCount; ++slot) {
    TDataSetNotifyEvent& event = dataSet->*kFollowedEvents[slot];
    FPrevious[slot] = event;
    event = OwnHandler(slot);
  }
}

void TChkState::Destroy() {
  // The dataset may outlive the window: it gets its own handlers back, unless someone has put
  // another handler over ours meanwhile (that one stays).
  if (FDataSet) {
    for (int slot = 0; slot < kEventCount; ++slot) {
      TDataSetNotifyEvent& event = FDataSet->*kFollowedEvents[slot];
      if (event == OwnHandler(slot)) event = FPrevious[slot];
    }
  }
  inherited::Destroy();
}

TDataSetNotifyEvent TChkState::OwnHandler(int slot) {
  static constexpr void (TChkState::*handlers[kEventCount])(TDataSet*) = {
      &TChkState::DataSetEvent<0>, &TChkState::DataSetEvent<1>, &TChkState::DataSetEvent<2>};
  return TDataSetNotifyEvent(this, handlers[slot]);
}

template <int Slot>
void TChkState::DataSetEvent(TDataSet* dataSet) {
  if (FPrevious[Slot]) FPrevious[Slot](dataSet);
  FCounter = 0;
  FOnUpdate(this);
}

// ---------------------------------------------------------------------------------------------
// TChkStateList

RTL_CLASS_IMPL(TChkStateList, TObjectList)

void TChkStateList::Construct(const TChkGridLookup& gridLookup, TComponent* window) {
  inherited::Construct(true);
  Assert(gridLookup.Assigned(), "pEvent=nil");
  FGridLookup = gridLookup;
  FWatcher = TChkWatcher::Create(nullptr);
  FWatcher->List = this;
  FWindow = window;
  Watch(window);
  // The resource text holds one "%s" for the numbers.
  const String records = TranslateAplText(rstr_fmtmsg_ReadDBRecords);
  FSingleFormat = " " + Format(records, {"%d"});
  FPairFormat = " " + Format(records, {"%d (%d)"});
}

void TChkStateList::Destroy() {
  Clear();
  if (FWatcher) FWatcher->List = nullptr;
  FreeAndNil(FWatcher);
  inherited::Destroy();
}

void TChkStateList::Notify(TObject* item, TListNotification action) {
  if (action != TListNotification::lnAdded && item == FActiveItem) FActiveItem = nullptr;
  inherited::Notify(item, action);
}

void TChkStateList::Watch(TComponent* component) {
  if (component) component->FreeNotification(FWatcher);
}

void TChkStateList::ComponentGone(TComponent* component) {
  for (int i = Count(); i-- > 0;) {
    TChkState* state = Items(i);
    if (state->FDetailDataSet == component) state->FDetailDataSet = nullptr;
    if (state->DataSet() != component) continue;
    state->Forget();
    Delete(i);
  }
  if (component == FStatusControl) FStatusControl = nullptr;
  if (component == FHookWindow) {
    FHookWindow = nullptr;
    FChangeHook = nullptr;
  }
  if (component == FWindow) {
    FWindow = nullptr;
    FGridLookup = nullptr;
  }
}

TChkState* TChkStateList::Add(TDataSet* dataSet) {
  if (TChkState* known = Find(dataSet)) return known;
  TChkState* state = TChkState::Create(dataSet, TChkStateEvent(this, &TChkStateList::EntryChanged));
  inherited::Add(state);
  Watch(dataSet);
  if (Count() == 1) FActiveItem = state;
  return state;
}

TChkState* TChkStateList::Find(const TDataSet* dataSet) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->DataSet() == dataSet) return Items(i);
  return nullptr;
}

void TChkStateList::Activate(TDataSet* dataSet) {
  if (TChkState* state = Find(dataSet)) FActiveItem = state;
}

void TChkStateList::SetChangeHook(const TCheckCountChangedEvent& hook, TComponent* window) {
  FChangeHook = hook;
  FHookWindow = window;
  Watch(window);
}

void TChkStateList::SetStatusControl(TControl* control) {
  FStatusControl = control;
  Watch(control);
}

void TChkStateList::SetDetailDataSet(TDataSet* dataSet, TDataSet* detail) {
  TChkState* state = Find(dataSet);
  if (!state) return;
  state->FDetailDataSet = detail;
  Watch(detail);
}

void TChkStateList::EntryChanged(TChkState* state) {
  const bool activeDetail = FActiveItem && FActiveItem->DetailDataSet() == state->DataSet();
  if (state == FActiveItem || activeDetail) UpdateState();
}

void TChkStateList::UpdateState() {
  if (Count() == 0) return;
  Assert(FActiveItem != nullptr, "TChkStateList.UpdateState: FActiveItem=nil");
  if (FChangeHook) FChangeHook(FActiveItem->DataSet(), FActiveItem->Counter());
  if (FStatusControl && FActiveItem) WriteStatus(*FActiveItem);
}

TControl* TChkStateList::GridOf(TDataSet* dataSet) const {
  return FGridLookup ? FGridLookup(dataSet) : nullptr;
}

void TChkStateList::WriteStatus(const TChkState& active) {
  // A detail of a master-detail link is counted after its master; a main dataset with a detail
  // of its own before that detail.
  TDataSet* first = active.DataSet();
  TDataSet* second = active.DetailDataSet();
  if (TDataSource* master = first->MasterSource()) {
    second = first;
    first = master->DataSet();
  }
  Assert(first != nullptr, "ds1=nil");
  TControl* grid = GridOf(first);
  if (!grid) return;
  String text, hint = grid->Hint();
  if (second) {
    text = Format(FPairFormat, {first->RecordCount(), second->RecordCount()});
    TControl* secondGrid = GridOf(second);
    hint += secondGrid ? " (" + secondGrid->Hint() + ")" : String(" ('')");
  } else {
    text = Format(FSingleFormat, {first->RecordCount()});
  }
  FStatusControl->SetCaption(text);
  FStatusControl->SetHint(hint);
}
