// A small dataset for the tests: its columns and rows are given as data, and every fetch
// delivers them again (so Refresh and master moves are visible), with the master values it was
// handed kept for inspection.
#pragma once

#include <functional>
#include <vector>

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/VirtualTable.h"

struct TTestColumn {
  String Name;
  TFieldType Type;
  int Size = 0;
};

class TTestDataSet : public TDataSet {
  RTL_CLASS(TTestDataSet, TDataSet)
 public:
  std::vector<TTestColumn> Columns;
  std::vector<std::vector<Variant>> Rows;
  // Rows to deliver for given master values; when set it replaces Rows.
  std::function<std::vector<std::vector<Variant>>(const std::vector<TMasterValue>&)> RowsFor;
  std::vector<TMasterValue> LastMasterValues;
  int Fetches = 0;
  bool FailNextFetch = false;

 protected:
  TTestDataSet() = default;
  void LoadData(TDataLoad& load) override {
    ++Fetches;
    for (const TTestColumn& column : Columns) load.AddColumn(column.Name, column.Type, column.Size);
    if (FailNextFetch) {
      FailNextFetch = false;
      throw EDatabaseError("fetch failed");
    }
    const auto rows = RowsFor ? RowsFor(LastMasterValues) : Rows;
    for (const auto& row : rows) {
      load.AppendRow();
      for (size_t i = 0; i < row.size(); ++i) load.SetValue(static_cast<int>(i), row[i]);
    }
  }
  void ApplyMasterValues(const std::vector<TMasterValue>& values) override {
    LastMasterValues = values;
  }
};
