// The checked-record counter of a data window: it follows the datasets shown in the window's
// grids, knows which one is the window's main dataset, and after every opening, scrolling or
// re-fetch of a followed dataset tells the window which dataset changed and its counter. With a
// status control attached it also shows there the number of records read, with the grid's hint.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"

class TControl;
class TChkState;
class TChkWatcher;

// The grid that shows a dataset, or nullptr when none does.
using TChkGridLookup = Event<TControl*(TDataSet* dataSet)>;
using TCheckCountChangedEvent = Event<void(TDataSet* dataSet, int counter)>;
// How an entry tells its list that its dataset changed.
using TChkStateEvent = Event<void(TChkState* state)>;

// One followed dataset. It takes over the dataset's AfterOpen, AfterScroll and AfterRefresh
// (running the previous handlers first) and gives them back when it is freed, unless another
// handler has replaced its own meanwhile.
class TChkState : public TObject {
  RTL_CLASS(TChkState, TObject)
 public:
  // Assertion "TChkState.Create: pUpdEv=nil" without the notification.
  void Construct(TDataSet* dataSet, const TChkStateEvent& onUpdate);

  TDataSet* DataSet() const { return FDataSet; }
  int Counter() const { return FCounter; }
  // The dataset shown as the detail of this one (set through the list); empty unless set.
  TDataSet* DetailDataSet() const { return FDetailDataSet; }

 protected:
  TChkState() = default;
  void Destroy() override;

 private:
  friend class TChkStateList;
  static constexpr int kEventCount = 3;

  template <int Slot>
  void DataSetEvent(TDataSet* dataSet);
  TDataSetNotifyEvent OwnHandler(int slot);
  // The dataset is being freed: nothing of it may be touched any more.
  void Forget() { FDataSet = nullptr; }

  TDataSet* FDataSet = nullptr;
  int FCounter = 0;
  TDataSet* FDetailDataSet = nullptr;
  TDataSetNotifyEvent FPrevious[kEventCount];
  TChkStateEvent FOnUpdate;
};

// The window's entries (owned). The first entry added is the active one until Activate says
// otherwise. Datasets, the status control and the window may be freed before the list: each
// lets go of them as they go (the lookup and a hook bound to a freed window are dropped too).
class TChkStateList : public TObjectList {
  RTL_CLASS(TChkStateList, TObjectList)
 public:
  // The lookup must be given (assertion "pEvent=nil"); it belongs to Window.
  void Construct(const TChkGridLookup& gridLookup, TComponent* window);

  // Follows the dataset; a dataset followed already keeps its entry.
  TChkState* Add(TDataSet* dataSet);
  // Makes the entry of the dataset active; without one the active entry stays.
  void Activate(TDataSet* dataSet);
  void SetChangeHook(const TCheckCountChangedEvent& hook, TComponent* window);
  // The control whose caption and hint UpdateState writes.
  void SetStatusControl(TControl* control);
  // Gives the entry of DataSet a detail dataset (nothing when DataSet is not followed): its
  // events then count as the entry's own, and the status shows both counts.
  void SetDetailDataSet(TDataSet* dataSet, TDataSet* detail);
  // Tells the hook the active dataset and its counter, then writes the status. Nothing with no
  // entries; assertion "TChkStateList.UpdateState: FActiveItem=nil" without an active one.
  void UpdateState();

  TChkState* Find(const TDataSet* dataSet) const;
  TChkState* ActiveItem() const { return FActiveItem; }
  TChkState* Items(int index) const { return ItemAs<TChkState>(index); }

 protected:
  TChkStateList() = default;
  void Destroy() override;
  void Notify(TObject* item, TListNotification action) override;

 private:
  friend class TChkWatcher;

  void Watch(TComponent* component);
  void ComponentGone(TComponent* component);
  void EntryChanged(TChkState* state);
  TControl* GridOf(TDataSet* dataSet) const;
  void WriteStatus(const TChkState& active);

  TChkGridLookup FGridLookup;
  TComponent* FWindow = nullptr;
  TCheckCountChangedEvent FChangeHook;
  TComponent* FHookWindow = nullptr;
  TControl* FStatusControl = nullptr;
  TChkState* FActiveItem = nullptr;
  String FSingleFormat;
  String FPairFormat;
  TChkWatcher* FWatcher = nullptr;
};
