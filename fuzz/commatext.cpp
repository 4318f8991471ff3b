// Comma and delimited texts of string lists: any text splits, and the list's own comma text
// splits back into the same lines.
#include "fuzz/FuzzSupport.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String text = FuzzText(data, size);
  FreeOnExit<TStringList> list(TStringList::Create());
  list->SetCommaText(text);
  FreeOnExit<TStringList> again(TStringList::Create());
  again->SetCommaText(list->CommaText());
  Require(again->Count() == list->Count());
  for (int i = 0; i < list->Count(); ++i) Require(again->Strings(i) == list->Strings(i));
  list->SetStrictDelimiter(true);
  list->SetDelimiter(';');
  list->SetDelimitedText(text);
  list->SetText(text);
  // Lines hold no line breaks, so the text of the lines splits back into the same lines.
  again->SetText(list->Text());
  Require(again->Count() == list->Count());
  return 0;
}
