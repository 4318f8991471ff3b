// Local filter texts of datasets, over a small table with NULLs: any text is applied or refused
// cleanly, and with three-valued logic a condition and its negation never select more rows than
// there are.
#include "fuzz/FuzzSupport.h"
#include "platform/db/VirtualTable.h"
#include "platform/rtl/SysUtils.h"

namespace {

TVirtualTable* Table() {
  static TVirtualTable* table = [] {
    TVirtualTable* t = TVirtualTable::Create(nullptr);
    t->AddField("RCHECK", ftFixedChar, 1);
    t->AddField("ID", ftInteger);
    t->AddField("NAME", ftString, 40);
    t->AddField("AMOUNT", ftFloat);
    t->AddField("DT", ftDateTime);
    t->Open();
    t->AppendRecord({"+", 1, "Азс 1", 10.5, EncodeDate(2024, 1, 31)});
    t->AppendRecord({"-", 2, "depot", -3.0, EncodeDate(1999, 12, 31)});
    t->AppendRecord({"-", Null(), Null(), Null(), Null()});
    return t;
  }();
  return table;
}

int FilteredCount(TVirtualTable* table, const String& condition) {
  table->SetFilter(condition);
  table->SetFiltered(true);
  int walked = 0;
  for (table->First(); !table->Eof(); table->Next()) ++walked;
  Require(walked == table->RecordCount());
  return walked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TVirtualTable* table = Table();
  const String condition = FuzzText(data, size);
  Refusable([&] {
    const int selected = FilteredCount(table, condition);
    const int negated = FilteredCount(table, "NOT (" + condition + ")");
    Require(selected + negated <= 3);
  });
  table->SetFiltered(false);
  table->SetFilter(String());
  return 0;
}
