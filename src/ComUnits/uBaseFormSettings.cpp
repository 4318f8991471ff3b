#include "src/ComUnits/uBaseFormSettings.h"

#include "platform/ora/OraDataSet.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

namespace {

const int kButtonSize = 24;
const char* const kFilterActionName = "pFilter";
const char* const kButtonNameSuffix = "_SQLFilterButton";
const char* const kNoPictureCaption = "F";

bool HasSQLFilter(TDataSet* dataSet) {
  const auto* query = dynamic_cast<TOraDataSet*>(dataSet);
  return query && !query->FilterSQL().empty() && query->FilterSQL() != NeutralSQLFilter;
}

}  // namespace

// The follower's own component: it owns the button and is told when the followed dataset or
// the button (with a grid freed under it) goes.
class TDBGridOfQueryWatcher : public TComponent {
  RTL_CLASS(TDBGridOfQueryWatcher, TComponent)
 public:
  void Construct(TComponent* owner) override { Construct(owner, nullptr); }
  void Construct(TComponent* owner, TDBGridOfQuery* follower) {
    inherited::Construct(owner);
    FFollower = follower;
  }

 protected:
  TDBGridOfQueryWatcher() = default;

  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation != TOperation::opRemove || !FFollower || !component) return;
    if (component == FFollower->FDataSet) FFollower->DataSetFreed();
    if (component == FFollower->FButton) FFollower->ButtonFreed();
  }

 private:
  TDBGridOfQuery* FFollower = nullptr;
};

RTL_CLASS_IMPL(TDBGridOfQueryWatcher, TComponent)

RTL_CLASS_IMPL(TDBGridOfQuery, TObject)

void TDBGridOfQuery::Construct(TCustomForm* window, IDBGrid* grid) {
  Assert(window != nullptr, "constructor TDBGridOfQuery.Create: AOwner = nil");
  Assert(grid != nullptr, "constructor TDBGridOfQuery.Create: Grig = nil");
  FWindow = window;
  FGrid = grid;
  FGrid->_AddRef();
  FWatcher = TDBGridOfQueryWatcher::Create(nullptr, this);
  FButton = TSpeedButton::Create(FWatcher);
  FButton->SetName(grid->GetGrid()->Name() + kButtonNameSuffix);
  FButton->SetAnchors(akRight | akBottom);
  FButton->SetShowHint(true);
  grid->GetOnDataSetChange(FOldDataSetChange);
  grid->SetOnDataSetChange(TDBGridDataSetChangeEvent(this, &TDBGridOfQuery::GridDataSetChange));
  Attach(grid->GetDataSet());
}

void TDBGridOfQuery::Destroy() {
  if (FGrid) FGrid->SetOnDataSetChange(FOldDataSetChange);
  Detach();
  FreeAndNil(FWatcher);
  if (FGrid) FGrid->_Release();
  inherited::Destroy();
}

// ---------------------------------------------------------------------------------------------
// Following the dataset

void TDBGridOfQuery::Attach(TDataSet* dataSet) {
  FDataSet = dataSet;
  if (!dataSet) return;
  FOldAfterOpen = dataSet->AfterOpen;
  FOldAfterClose = dataSet->AfterClose;
  dataSet->AfterOpen = TDataSetNotifyEvent(this, &TDBGridOfQuery::DataSetAfterOpen);
  dataSet->AfterClose = TDataSetNotifyEvent(this, &TDBGridOfQuery::DataSetAfterClose);
  FWatcher->FreeNotification(dataSet);
  // The button speaks of the dataset followed now, which may already be open.
  if (dataSet->Active())
    UpdateButton();
  else
    HideButton();
}

void TDBGridOfQuery::Detach() {
  if (!FDataSet) return;
  FDataSet->AfterOpen = FOldAfterOpen;
  FDataSet->AfterClose = FOldAfterClose;
  FWatcher->RemoveFreeNotification(FDataSet);
  ForgetDataSet();
}

void TDBGridOfQuery::ForgetDataSet() {
  FDataSet = nullptr;
  FOldAfterOpen = nullptr;
  FOldAfterClose = nullptr;
}

// A dataset being freed closes without telling anyone, so the button goes here.
void TDBGridOfQuery::DataSetFreed() {
  ForgetDataSet();
  HideButton();
}

void TDBGridOfQuery::DataSetAfterOpen(TDataSet* dataSet) {
  if (FOldAfterOpen) FOldAfterOpen(dataSet);
  UpdateButton();
}

void TDBGridOfQuery::DataSetAfterClose(TDataSet* dataSet) {
  HideButton();
  if (FOldAfterClose) FOldAfterClose(dataSet);
}

void TDBGridOfQuery::GridDataSetChange(IDBGrid* grid, TDataSet* dataSet) {
  if (FOldDataSetChange) FOldDataSetChange(grid, dataSet);
  Detach();
  Attach(dataSet);
}

// ---------------------------------------------------------------------------------------------
// The button

void TDBGridOfQuery::UpdateButton() {
  if (HasSQLFilter(FDataSet))
    ShowButton();
  else
    HideButton();
}

void TDBGridOfQuery::ShowButton() {
  if (!FButton) return;
  TWinControl* grid = FGrid->GetGrid();
  TCustomAction* filterAction = FilterAction();
  FButton->SetParent(grid);
  FButton->SetHint(" \"" + grid->Hint() + "\"" +
                   (filterAction ? " " + filterAction->Hint() : String()));
  ShowPicture(filterAction);
  FButton->SetBounds(grid->ClientWidth() - kButtonSize, grid->ClientHeight() - kButtonSize,
                     kButtonSize, kButtonSize);
  FButton->OnClick = TNotifyEvent(this, &TDBGridOfQuery::ButtonClick);
}

// The filter tool's picture; the letter F when there is none to take.
void TDBGridOfQuery::ShowPicture(TCustomAction* filterAction) {
  TCustomActionList* actionList = filterAction ? filterAction->ActionList() : nullptr;
  TImageList* images = actionList ? actionList->Images() : nullptr;
  const bool hasPicture = images && images->GetBitmap(filterAction->ImageIndex(), FButton->Glyph());
  FButton->SetCaption(hasPicture ? String() : String(kNoPictureCaption));
}

void TDBGridOfQuery::HideButton() {
  if (!FButton) return;
  FButton->Glyph()->Clear();
  FButton->SetParent(nullptr);
  FButton->OnClick = nullptr;
}

void TDBGridOfQuery::ButtonClick(TObject* sender) {
  TWinControl* grid = FGrid->GetGrid();
  if (!grid->CanFocus()) return;
  grid->SetFocus();
  if (TCustomAction* filterAction = FilterAction()) filterAction->Execute();
}

TCustomAction* TDBGridOfQuery::FilterAction() const {
  return dynamic_cast<TCustomAction*>(FWindow->FindComponent(kFilterActionName));
}
