// TDataSource connects a dataset to the controls and links that show or follow it; TDataLink is
// what a control (a grid, a master/detail link) holds to hear the dataset's changes.
#pragma once

#include <vector>

#include "platform/db/DataSet.h"

class TDataLink;

using TDataChangeEvent = Event<void(TObject* sender, TField* field)>;

class TDataSource : public TComponent {
  RTL_CLASS(TDataSource, TComponent)
 public:
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* dataSet);
  // A disabled source tells its links the dataset is inactive.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  // Edit puts the dataset into edit state only when AutoEdit is on.
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool value) { FAutoEdit = value; }
  // The dataset's state as the links see it: dsInactive without (enabled) dataset.
  TDataSetState State() const { return FState; }
  void Edit();
  bool IsLinkedTo(const TDataSet* dataSet) const;

  // Field changes, record changes, scrolling, whole-dataset changes.
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnUpdateData;

 protected:
  TDataSource() = default;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TDataSet;
  friend class TDataLink;

  void DataEvent(TDataEvent event, intptr_t info);
  void UpdateState();

  TDataSet* FDataSet = nullptr;
  bool FEnabled = true;
  bool FAutoEdit = true;
  TDataSetState FState = dsInactive;
  std::vector<TDataLink*> FDataLinks;
};

// A link to a data source. Descendants override the notifications they care about. The link
// leaves its source when it is destroyed, and forgets a source that goes first.
class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }
  // The source's dataset is open (and the source enabled).
  bool Active() const { return FActive; }
  // The dataset is in edit or insert state.
  bool Editing() const { return FEditing; }
  // Asks the source to put the dataset into edit state; true when it is editing then.
  bool Edit();

 protected:
  virtual void ActiveChanged() {}
  virtual void EditingChanged() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int distance) { DataSetChanged(); }
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* field) {}
  virtual void UpdateData() {}
  virtual void CheckBrowseMode() {}

 private:
  friend class TDataSource;

  void DataEvent(TDataEvent event, intptr_t info);
  void UpdateState();

  TDataSource* FDataSource = nullptr;
  bool FActive = false;
  bool FEditing = false;
};
