// Oracle datasets on the scaled demo database: opening a list of a million card rows with six
// columns and walking every row reading each field, against SQLite's own prepare/step/column loop
// over the same SELECT in the same run; the dataset's memory per row; marking every row (edit,
// set the one-character check field, post).
//
// The database folder is made once and kept: ROD_BENCH_DEMO_DB names it (default
// $TMPDIR/rod-bench-demo-<rows>), ROD_BENCH_ROWS the rows per list (default 1000000). Building
// it at the default scale takes about a minute and two gigabytes.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>

#include "bench/Ratios.h"
#include "db/demo/DemoDatabase.h"
#include "platform/ora/OraDataSet.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

// The card list as the dialogs read it (a view joining the card states and clients), and the same
// six kinds of column straight from the base table, where SQLite's own loop is at its fastest and
// the dataset's share of the time the largest.
const char* const kCardLists[] = {
    "SELECT RCHECK, ID, GRAFNUM, ID_CLIENT, STATE, DATA_VYDACHI FROM OC_DEMO.V_CARD_CLIENT",
    "SELECT RCHECK, ID, GRAFNUM, ID_CLIENT, OWNER, DATA_VYDACHI FROM OC_DEMO.CARD WHERE KIND = 1",
};

const char* CardList(const benchmark::State& state) { return kCardLists[state.range(0)]; }

int BenchRows() {
  const char* rows = std::getenv("ROD_BENCH_ROWS");
  return rows && *rows ? std::atoi(rows) : 1000000;
}

// The demo database folder, made on first use.
const String& DemoFolder() {
  static const String folder = [] {
    const char* named = std::getenv("ROD_BENCH_DEMO_DB");
    const char* temp = std::getenv("TMPDIR");
    String path = named && *named ? String(named)
                                  : String(temp && *temp ? temp : "/tmp") + "/rod-bench-demo-" +
                                        std::to_string(BenchRows());
    if (path.back() != '/') path += '/';
    // A database of another scale at that place is made again, not measured as this one.
    if (DemoDatabaseRows(path) != BenchRows()) CreateDemoDatabase(path, BenchRows());
    return path;
  }();
  return folder;
}

void BM_RawSqliteWalk(benchmark::State& state) {
  sqlite3* db = nullptr;
  // Without locking, as the sessions' engine runs.
  sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  const String attach =
      "ATTACH DATABASE '" + DemoFolder() + DemoSchemaName + ".db' AS " + DemoSchemaName;
  sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr);
  int64_t rows = 0;
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, CardList(state), -1, &statement, nullptr);
    int64_t sum = 0;
    rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      ++rows;
      for (int i = 0; i < 6; ++i) {
        switch (sqlite3_column_type(statement, i)) {
          case SQLITE_INTEGER:
            sum += sqlite3_column_int64(statement, i);
            break;
          case SQLITE_FLOAT:
            sum += static_cast<int64_t>(sqlite3_column_double(statement, i));
            break;
          case SQLITE_TEXT:
            sqlite3_column_text(statement, i);
            sum += sqlite3_column_bytes(statement, i);
            break;
          default:
            break;
        }
      }
    }
    sqlite3_finalize(statement);
    benchmark::DoNotOptimize(sum);
  }
  sqlite3_close(db);
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_RawSqliteWalk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

struct TBenchQuery {
  explicit TBenchQuery(const char* sql) {
    Session = TOraSession::Create(Owner.Get());
    Session->SetServer(DemoFolder());
    Session->SetUsername(DemoSchemaName);
    Query = TOraQuery::Create(Owner.Get());
    Query->SetSession(Session);
    Query->SQL()->SetText(sql);
  }

  FreeOnExit<TComponent> Owner{TComponent::Create(nullptr)};
  TOraSession* Session;
  TOraQuery* Query;
};

// Reads every field of every row the way a grid or a report does, by the field's type.
int64_t WalkAllFields(TOraQuery* query) {
  int64_t sum = 0;
  std::vector<TField*> fields(query->Fields()->begin(), query->Fields()->end());
  for (query->First(); !query->Eof(); query->Next()) {
    for (TField* field : fields) {
      if (field->IsNull()) continue;
      switch (field->DataType()) {
        case ftInteger:
        case ftLargeint:
          sum += field->AsLargeInt();
          break;
        case ftFloat:
          sum += static_cast<int64_t>(field->AsFloat());
          break;
        case ftDateTime:
          sum += static_cast<int64_t>(field->AsDateTime());
          break;
        default:
          sum += static_cast<int64_t>(field->AsStringView().size());
      }
    }
  }
  return sum;
}

void BM_OraQueryOpenAndWalk(benchmark::State& state) {
  TBenchQuery bench(CardList(state));
  bench.Session->Connect();
  int64_t rows = 0;
  size_t memory = 0;
  for (auto _ : state) {
    bench.Query->Open();
    benchmark::DoNotOptimize(WalkAllFields(bench.Query));
    rows = bench.Query->RecordCount();
    memory = bench.Query->BufferMemoryUsed();
    bench.Query->Close();
  }
  state.SetItemsProcessed(state.iterations() * rows);
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["bytes_per_row"] =
      rows ? static_cast<double>(memory) / static_cast<double>(rows) : 0;
}
BENCHMARK(BM_OraQueryOpenAndWalk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
const bool kOpenAndWalkRatios =
    AddRatioPair("BM_OraQueryOpenAndWalk/0/iterations:3", "BM_RawSqliteWalk/0/iterations:3") &&
    AddRatioPair("BM_OraQueryOpenAndWalk/1/iterations:3", "BM_RawSqliteWalk/1/iterations:3");

void BM_OraQueryMarkEveryRow(benchmark::State& state) {
  TBenchQuery bench(CardList(state));
  bench.Query->Open();
  TField* check = bench.Query->FieldByName("RCHECK");
  const int64_t rows = bench.Query->RecordCount();
  for (auto _ : state) {
    for (bench.Query->First(); !bench.Query->Eof(); bench.Query->Next()) {
      bench.Query->Edit();
      check->SetAsString("+");
      bench.Query->Post();
    }
  }
  state.SetItemsProcessed(state.iterations() * rows);
  state.counters["time_per_row"] =
      benchmark::Counter(static_cast<double>(state.iterations() * rows),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["bytes_per_row_after"] =
      static_cast<double>(bench.Query->BufferMemoryUsed()) / static_cast<double>(rows);
}
BENCHMARK(BM_OraQueryMarkEveryRow)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
