// A multi-select selection run over a long list: open the dialog, check every row, OK, collect
// the chosen rows into the list; side by side with SQLite's own read of the same rows. And
// pre-selecting a growing number of items in the same list, which must stay linear.
//
// The list (ROD_BENCH_SELECT_ROWS rows, default 100000) is made once in a temporary folder.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>

#include "bench/Ratios.h"
#include "platform/ora/OraSession.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/FormReposit/uSelectBaseFrm.h"

namespace {

int SelectRows() {
  const char* rows = std::getenv("ROD_BENCH_SELECT_ROWS");
  return rows && *rows ? std::atoi(rows) : 100000;
}

const String& ListFolder() {
  static const String folder = [] {
    const char* temp = std::getenv("TMPDIR");
    const String path = String(temp && *temp ? temp : "/tmp") + "/rod-bench-select-" +
                        std::to_string(SelectRows()) + "/";
    std::filesystem::create_directories(path);
    const String file = path + "SEL.db";
    if (!std::filesystem::exists(file)) {
      sqlite3* db = nullptr;
      sqlite3_open(file.c_str(), &db);
      const String sql =
          "CREATE TABLE ITEMS(RCHECK VARCHAR2(1), ID INTEGER, NAME VARCHAR2(40));"
          "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < " +
          std::to_string(SelectRows()) + ") INSERT INTO ITEMS SELECT '-', I, 'Item ' || I FROM N;";
      sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
      sqlite3_close(db);
    }
    return path;
  }();
  return folder;
}

class TBenchDialog : public TSelectBaseFrm {
  RTL_CLASS(TBenchDialog, TSelectBaseFrm)
 protected:
  TBenchDialog() = default;
  void ReadResource() override {
    inherited::ReadResource();
    SetName("BenchDialog");
    OraQuery1->SQL()->SetText("SELECT RCHECK, ID, NAME FROM &shema.ITEMS\r\n&ORDER &FIELD");
    auto declare = [this](TField* field, const char* name, int size) {
      field->SetFieldName(name);
      if (size) static_cast<TStringField*>(field)->SetSize(size);
      field->SetDataSet(OraQuery1);
    };
    declare(TStringField::Create(this), "RCHECK", 1);
    declare(TIntegerField::Create(this), "ID", 0);
    declare(TStringField::Create(this), "NAME", 40);
    TDBGrid* grid = TDBGrid::Create(this);
    grid->SetName("Grid");
    grid->SetParent(this);
    grid->SetHint("Items");
    grid->SetDataSource(DataSource1);
  }
};
RTL_CLASS_IMPL_CREATABLE(TBenchDialog, TSelectBaseFrm)

TOraSession* BenchSession() {
  static TOraSession* session = [] {
    TOraSession* made = TOraSession::Create(nullptr);
    made->SetServer(ListFolder());
    made->SetUsername("SEL");
    SetHostProgramFolder(ListFolder());
    GetComFormLibProc("_SortDBGridB");
    return made;
  }();
  return session;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

int RunGetList(const String& script, TDBItemList* list) {
  THeadlessScope operatorScope(script);
  TBenchDialog* dialog = TBenchDialog::Create(nullptr, BenchSession(), "SEL", true);
  FreeOnExit freeDialog(dialog);
  dialog->GetList(list);
  return list->Count();
}

void BM_GetListSelectAll(benchmark::State& state) {
  for (auto _ : state) {
    TDBItemList* list = TDBItemList::Create();
    FreeOnExit freeList(list);
    benchmark::DoNotOptimize(RunGetList("action actSelectAll; ok", list));
  }
  state.SetItemsProcessed(state.iterations() * SelectRows());
  ReportPeakMemory(state);
}
BENCHMARK(BM_GetListSelectAll)->Unit(benchmark::kMillisecond);

void BM_RawSqliteReadItems(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2((ListFolder() + "SEL.db").c_str(), &db,
                  SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT RCHECK, ID, NAME FROM ITEMS ORDER BY ID", -1, &statement,
                       nullptr);
    int64_t sum = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      sum += sqlite3_column_bytes(statement, 0) + sqlite3_column_int(statement, 1) +
             sqlite3_column_bytes(statement, 2);
    }
    sqlite3_finalize(statement);
    benchmark::DoNotOptimize(sum);
  }
  sqlite3_close(db);
  state.SetItemsProcessed(state.iterations() * SelectRows());
}
BENCHMARK(BM_RawSqliteReadItems)->Unit(benchmark::kMillisecond);

const bool GetListRatio = AddRatioPair("BM_GetListSelectAll", "BM_RawSqliteReadItems");

// Pre-selecting N items (every tenth row) and confirming them.
void BM_PreselectItems(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TDBItemList* list = TDBItemList::Create();
    FreeOnExit freeList(list);
    for (int i = 0; i < count; ++i) list->AddOrFree(TDBItem::Create(double(i * 10 + 1), String()));
    benchmark::DoNotOptimize(RunGetList("ok", list));
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PreselectItems)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
