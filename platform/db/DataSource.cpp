#include "platform/db/DataSource.h"

#include <algorithm>

RTL_CLASS_IMPL_CREATABLE(TDataSource, TComponent)

namespace {

template <class T>
bool Contains(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == FDataSet) return;
  if (dataSet && IsLinkedTo(dataSet)) DatabaseError("Circular datalinks are not allowed", this);
  if (FDataSet) {
    FDataSet->RemoveDataSource(this);
    RemoveFreeNotification(FDataSet);
  }
  FDataSet = dataSet;
  if (dataSet) {
    dataSet->AddDataSource(this);
    FreeNotification(dataSet);
  }
  UpdateState();
}

bool TDataSource::IsLinkedTo(const TDataSet* dataSet) const {
  // Walks the dataset's chain of masters; a chain that comes back to this source is circular.
  for (int guard = 0; dataSet && guard < 1000; ++guard) {
    const TDataSource* master = dataSet->MasterSource();
    if (!master) return false;
    if (master == this) return true;
    dataSet = master->DataSet();
  }
  return dataSet != nullptr;
}

void TDataSource::SetEnabled(bool value) {
  FEnabled = value;
  UpdateState();
}

void TDataSource::Edit() {
  if (FAutoEdit && FState == dsBrowse) FDataSet->Edit();
}

void TDataSource::UpdateState() {
  const TDataSetState state = FEnabled && FDataSet ? FDataSet->State() : dsInactive;
  if (state == FState) return;
  FState = state;
  const std::vector<TDataLink*> links = FDataLinks;
  for (TDataLink* link : links)
    if (Contains(FDataLinks, link)) link->UpdateState();
  if (OnStateChange) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) return UpdateState();
  if (FState == dsInactive) return;
  if (FDataLinks.size() == 1) {
    FDataLinks[0]->DataEvent(event, info);
  } else {
    // A link's handler may detach links: tell only those still attached.
    const std::vector<TDataLink*> links = FDataLinks;
    for (TDataLink* link : links)
      if (Contains(FDataLinks, link)) link->DataEvent(event, info);
  }
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FDataSet) SetDataSet(nullptr);
}

void TDataSource::Destroy() {
  while (!FDataLinks.empty()) FDataLinks.back()->SetDataSource(nullptr);
  SetDataSet(nullptr);
  inherited::Destroy();
}

// --- TDataLink ---------------------------------------------------------------------------------

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == FDataSource) return;
  if (FDataSource) {
    auto& links = FDataSource->FDataLinks;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
  }
  FDataSource = source;
  if (source) source->FDataLinks.push_back(this);
  UpdateState();
}

void TDataLink::UpdateState() {
  const TDataSetState state = FDataSource ? FDataSource->State() : dsInactive;
  const bool active = state != dsInactive;
  const bool editing = state == dsEdit || state == dsInsert;
  if (active != FActive) {
    FActive = active;
    ActiveChanged();
  }
  if (editing != FEditing) {
    FEditing = editing;
    EditingChanged();
  }
}

bool TDataLink::Edit() {
  if (FDataSource) FDataSource->Edit();
  return FEditing;
}

void TDataLink::DataEvent(TDataEvent event, intptr_t info) {
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      return RecordChanged(reinterpret_cast<TField*>(info));
    case deDataSetChange:
      return DataSetChanged();
    case deDataSetScroll:
      return DataSetScrolled(static_cast<int>(info));
    case deLayoutChange:
      return LayoutChanged();
    case deUpdateRecord:
      return UpdateData();
    case deCheckBrowseMode:
      return CheckBrowseMode();
    case deUpdateState:
      return UpdateState();
  }
}
