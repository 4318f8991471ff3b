// The grid tools' check-all over a long list: RunSelectDS marking every row of a million-row query
// (mode 0) and then inverting every row (mode 3), against a plain loop that does the same through
// the dataset API (edit, set the check field, post), in the same run. The tools walk with the
// dataset's controls disabled and keep the cursor's place; the ratio is the cost of that and of
// reading each row's mark first.
//
// The list lives in its own schema file, made once in $TMPDIR/rod-bench-marks-<rows>/ (a few
// seconds); ROD_BENCH_ROWS sets the rows (default 1000000).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>

#include "bench/Ratios.h"
#include "platform/ora/OraDataSet.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uComFormLibInt.h"

namespace {

const char* const kSchema = "OC_MARKS";

int BenchRows() {
  const char* rows = std::getenv("ROD_BENCH_ROWS");
  return rows && *rows ? std::atoi(rows) : 1000000;
}

// ID 1..rows, NAME, and the one-character check field as the lists select it.
const String& MarksFolder() {
  static const String folder = [] {
    const String path = GetTempDir() + "rod-bench-marks-" + std::to_string(BenchRows()) + "/";
    const String file = path + kSchema + ".db";
    if (FileExists(file)) return path;
    ForceDirectories(path);
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    const String script =
        "CREATE TABLE T_ITEM (ID NUMBER(10) PRIMARY KEY, NAME VARCHAR2(20), RCHECK CHAR(1));"
        "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < " +
        std::to_string(BenchRows()) + ") INSERT INTO T_ITEM SELECT I, 'Item ' || I, '-' FROM N;";
    sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
  }();
  return folder;
}

struct TMarkList {
  TMarkList() {
    Session = TOraSession::Create(Owner.Get());
    Session->SetServer(MarksFolder());
    Session->SetUsername(kSchema);
    Query = TOraQuery::Create(Owner.Get());
    Query->SetSession(Session);
    Query->SQL()->SetText("SELECT ID, NAME, RCHECK FROM OC_MARKS.T_ITEM ORDER BY ID");
    Query->Open();
  }

  FreeOnExit<TComponent> Owner{TComponent::Create(nullptr)};
  TOraSession* Session;
  TOraQuery* Query;
};

void CountRows(benchmark::State& state, TOraQuery* query) {
  const int64_t rows = 2 * static_cast<int64_t>(state.iterations()) * query->RecordCount();
  state.SetItemsProcessed(rows);
  state.counters["time_per_row"] = benchmark::Counter(
      static_cast<double>(rows), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PlainMarkThenInvertLoop(benchmark::State& state) {
  TMarkList list;
  TField* check = list.Query->FieldByName("RCHECK");
  for (auto _ : state) {
    for (list.Query->First(); !list.Query->Eof(); list.Query->Next()) {
      list.Query->Edit();
      check->SetAsString("+");
      list.Query->Post();
    }
    for (list.Query->First(); !list.Query->Eof(); list.Query->Next()) {
      list.Query->Edit();
      check->SetAsString(check->AsStringView() == "+" ? "-" : "+");
      list.Query->Post();
    }
  }
  CountRows(state, list.Query);
}
BENCHMARK(BM_PlainMarkThenInvertLoop)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RunSelectDSMarkThenInvert(benchmark::State& state) {
  TMarkList list;
  for (auto _ : state) {
    RunSelectDS(list.Query, 0, "RCHECK", true);
    RunSelectDS(list.Query, 3, "RCHECK", true);
  }
  CountRows(state, list.Query);
}
BENCHMARK(BM_RunSelectDSMarkThenInvert)->Unit(benchmark::kMillisecond)->Iterations(3);

const bool kRunSelectRatio = AddRatioPair("BM_RunSelectDSMarkThenInvert/iterations:3",
                                          "BM_PlainMarkThenInvertLoop/iterations:3");

}  // namespace
