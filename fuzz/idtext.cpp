// The text of IDs a host passes in: parsed into a selection list and written back; a text that
// parses must survive the round trip with the same IDs.
#include "fuzz/FuzzSupport.h"
#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uDBItems.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Refusable([&] {
    FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText(FuzzText(data, size)));
    const String ids = list->GetIDsText();
    FreeOnExit<TDBItemList> again(TDBItemList::CreateFromText(ids));
    Require(again->Count() == list->Count() || list->AllSelected);
    Require(again->GetIDsText() == ids);
  });
  return 0;
}
