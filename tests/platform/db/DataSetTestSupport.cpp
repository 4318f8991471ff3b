#include "DataSetTestSupport.h"

RTL_CLASS_IMPL(TTestDataSet, TDataSet)

void TTestDataSet::LoadData(TDataLoad& load) {
  ++Fetches;
  for (const TTestColumn& column : Columns) load.AddColumn(column.Name, column.Type, column.Size);
  if (FailNextFetch) {
    FailNextFetch = false;
    throw EDatabaseError("fetch failed");
  }
  for (const auto& row : RowsFor ? RowsFor(LastMasterValues) : Rows) {
    load.AppendRow();
    for (size_t i = 0; i < row.size(); ++i) load.SetValue(static_cast<int>(i), row[i]);
  }
}

std::vector<TTestColumn> EmitentColumns() {
  return {{"ID", ftInteger},
          {"NAME", ftString, 40},
          {"RCHECK", ftString, 1},
          {"AMOUNT", ftFloat},
          {"ACT_DATE", ftDateTime}};
}

TTestRows EmitentRows() {
  return {{1, "Иванов", "-", 10.5, VarFromDateTime(EncodeDate(2024, 1, 15))},
          {2, "Петров", "-", Null(), Null()},
          {3, "Сидоров", "+", 7.0, VarFromDateTime(EncodeDate(2024, 3, 1))},
          {10, "ivanova", "-", 100.0, VarFromDateTime(EncodeDate(2023, 12, 31))},
          {11, "Ивашов", "+", -2.5, VarFromDateTime(EncodeDate(2024, 2, 29))}};
}

TDataSetHolder MakeEmitents(bool open) {
  TDataSetHolder data(TTestDataSet::Create(nullptr), [](TTestDataSet* d) { d->Free(); });
  data->SetName("Query1");
  data->Columns = EmitentColumns();
  data->Rows = EmitentRows();
  if (open) data->Open();
  return data;
}

std::vector<int> IdsOf(TDataSet* dataSet, const char* idField) {
  std::vector<int> ids;
  const TBookmark saved = dataSet->GetBookmark();
  for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
    ids.push_back(dataSet->FieldByName(idField)->AsInteger());
  if (dataSet->BookmarkValid(saved)) dataSet->GotoBookmark(saved);
  return ids;
}

TEventLog::TEventLog(TDataSet* d) {
  auto log = [this](const char* name) {
    return [this, name](TDataSet*) { FNames.push_back(name); };
  };
  d->BeforeOpen = log("BeforeOpen");
  d->AfterOpen = log("AfterOpen");
  d->BeforeClose = log("BeforeClose");
  d->AfterClose = log("AfterClose");
  d->BeforeInsert = log("BeforeInsert");
  d->AfterInsert = log("AfterInsert");
  d->BeforeEdit = log("BeforeEdit");
  d->AfterEdit = log("AfterEdit");
  d->BeforePost = log("BeforePost");
  d->AfterPost = log("AfterPost");
  d->BeforeCancel = log("BeforeCancel");
  d->AfterCancel = log("AfterCancel");
  d->BeforeDelete = log("BeforeDelete");
  d->AfterDelete = log("AfterDelete");
  d->BeforeScroll = log("BeforeScroll");
  d->AfterScroll = log("AfterScroll");
  d->BeforeRefresh = log("BeforeRefresh");
  d->AfterRefresh = log("AfterRefresh");
  d->OnNewRecord = log("OnNewRecord");
}

std::vector<String> TEventLog::Take() {
  std::vector<String> names;
  names.swap(FNames);
  return names;
}

String DatabaseErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "no error";
}
