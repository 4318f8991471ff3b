// Selection lists at the sizes dialogs and reports reach: the ID text round trip of the exported
// functions against a plain parse-and-format loop, and the cost per added item of both list kinds
// at two sizes (flat means no quadratic growth).
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <vector>

#include "bench/Ratios.h"
#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uDBItems.h"

namespace {

std::string IdsText(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += ',';
    text += std::to_string(i);
  }
  return text;
}

// The raw counterpart: split at commas, read each integer, write them back joined by commas.
void BM_PlainParseAndFormat(benchmark::State& state) {
  const std::string text = IdsText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<int> ids;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
      int id = 0;
      p = std::from_chars(p, end, id).ptr;
      ids.push_back(id);
      if (p < end) ++p;
    }
    std::string out;
    char buffer[16];
    for (size_t i = 0; i < ids.size(); ++i) {
      if (i > 0) out += ',';
      out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, ids[i]).ptr);
    }
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlainParseAndFormat)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_CreateFromTextThenGetIDsText(benchmark::State& state) {
  const std::string text = IdsText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText(text));
    std::string out = list->GetIDsText();
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CreateFromTextThenGetIDsText)->Arg(1000000)->Unit(benchmark::kMillisecond);

const bool kIdsRatio = AddRatioPair("BM_CreateFromTextThenGetIDsText/1000000",
                                    "BM_PlainParseAndFormat/1000000");

// Distinct two-element items, as a report collects rows of (ID, name).
template <class TList>
void AddDistinctItems(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    FreeOnExit<TList> list(TList::Create());
    for (int i = 0; i < count; ++i)
      list->Add(TDBItem::Create(VarArrayOf({Variant(i), Variant("row")}), String()));
    benchmark::DoNotOptimize(list->Count());
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void BM_DBItemListExAdd(benchmark::State& state) { AddDistinctItems<TDBItemListEx>(state); }
BENCHMARK(BM_DBItemListExAdd)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_DBItemListAdd(benchmark::State& state) { AddDistinctItems<TDBItemList>(state); }
BENCHMARK(BM_DBItemListAdd)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
