// Support for the dataset tests: a dataset whose columns and rows are given as data (every fetch
// delivers them again, so Refresh and master moves are visible), a list of emitents to fill it
// with, and a recorder of dataset events.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/VirtualTable.h"
#include "platform/rtl/ScopeGuard.h"

struct TTestColumn {
  String Name;
  TFieldType Type;
  int Size = 0;
};

using TTestRows = std::vector<std::vector<Variant>>;

class TTestDataSet : public TDataSet {
  RTL_CLASS(TTestDataSet, TDataSet)
 public:
  std::vector<TTestColumn> Columns;
  TTestRows Rows;
  // Rows to deliver for the master values last applied; when set it replaces Rows.
  std::function<TTestRows(const std::vector<TMasterValue>&)> RowsFor;
  std::vector<TMasterValue> LastMasterValues;
  int Fetches = 0;
  bool FailNextFetch = false;

 protected:
  TTestDataSet() = default;
  void LoadData(TDataLoad& load) override;
  void ApplyMasterValues(const std::vector<TMasterValue>& values) override {
    LastMasterValues = values;
  }
};

// ID, NAME (40), RCHECK (1), AMOUNT (float), ACT_DATE: five emitents, one with NULLs.
std::vector<TTestColumn> EmitentColumns();
TTestRows EmitentRows();
// A named, unowned dataset over the emitents; freed by the returned holder.
using TDataSetHolder = std::unique_ptr<TTestDataSet, void (*)(TTestDataSet*)>;
TDataSetHolder MakeEmitents(bool open = true);

// The IDs of the rows from the first to the last, the cursor put back afterwards.
std::vector<int> IdsOf(TDataSet* dataSet, const char* idField = "ID");

// The message of the EDatabaseError the action raises, or "no error".
String DatabaseErrorOf(const std::function<void()>& action);

// Records the dataset's events by name, in order.
class TEventLog {
 public:
  explicit TEventLog(TDataSet* dataSet);
  std::vector<String> Take();

 private:
  std::vector<String> FNames;
};
