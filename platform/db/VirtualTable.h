// TVirtualTable: a dataset whose rows live only in memory. Its columns are declared before Open
// (AddField or FieldDefs()->Add, or taken from its persistent data fields); it opens empty and
// gets its rows by Append/Insert and Post (or AppendRecord). Closing drops the rows; Refresh
// keeps them. As a detail (MasterSource, MasterFields, DetailFields) it shows the rows whose
// DetailFields equal the master's current MasterFields.
#pragma once

#include "platform/db/DataSet.h"

class TVirtualTable : public TDataSet {
  RTL_CLASS(TVirtualTable, TDataSet)
 public:
  // Declares a column; the table must be closed.
  void AddField(const String& name, TFieldType type, int size = 0);
  // Removes every row; the table stays open.
  void Clear();

 protected:
  TVirtualTable() = default;
  void LoadData(TDataLoad& load) override;
  void InternalRefresh() override;
  void ApplyMasterValues(const std::vector<TMasterValue>& values) override;
};
