// What every exported function has in common: the library started, the dialog created on the
// host's application object with the host's session and schema, the per-function presets, the
// conversion of the host's input into a pre-selection list and of the chosen list back into the
// host's result, and the dialog and every list of the library freed whatever happened. Anything
// but the operator's break (which GetList handles) reaches the host unchanged.
#pragma once

#include <functional>
#include <vector>

#include "platform/db/DataSet.h"
#include "platform/ora/OraSession.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/Forms.h"
#include "src/ComUnits/uDBItems.h"

// Opens the settings files, the optional resource module and the grid tools once per process;
// they are closed again when the library unloads.
void StartLibrary();

// Makes the dialog: owner the host's application object (or none), multi-select as given.
template <class Dialog>
Dialog* CreateDialog(TOraSession* session, const String& schema, bool multiSelect,
                     bool owned = true) {
  StartLibrary();
  return Dialog::Create(owned ? static_cast<TComponent*>(Application) : nullptr, session, schema,
                        multiSelect);
}

// The host's list is the pre-selection and, on true, the result.
template <class Dialog, class Preset>
bool RunOnHostList(TOraSession* session, const String& schema, bool multiSelect, TDBItemList* list,
                   Preset preset) {
  Dialog* dialog = CreateDialog<Dialog>(session, schema, multiSelect);
  FreeOnExit freeDialog(dialog);
  preset(dialog);
  return dialog->GetList(list);
}

template <class Dialog>
bool RunOnHostList(TOraSession* session, const String& schema, bool multiSelect,
                   TDBItemList* list) {
  return RunOnHostList<Dialog>(session, schema, multiSelect, list, [](Dialog*) {});
}

// IDs as text: "5,7" or the word for all records in, the chosen IDs joined by "," out (left as
// they were on false).
template <class Dialog>
bool RunOnIDText(TOraSession* session, const String& schema, String& ids) {
  TDBItemList* list = TDBItemList::CreateFromText(ids);
  FreeOnExit freeList(list);
  Dialog* dialog = CreateDialog<Dialog>(session, schema, true);
  FreeOnExit freeDialog(dialog);
  if (!dialog->GetList(list)) return false;
  ids = list->GetIDsText();
  return true;
}

// Raises when the host gave no item to copy the choice into.
void CheckAssignedItem(const TDBItem* item);

// One record: the dialog runs single-select on a list of its own; on true the choice is copied
// into the host's item.
template <class Dialog, class Preset>
bool RunOnSingleRecord(TOraSession* session, const String& schema, TDBItem* item, Preset preset,
                       bool owned = true) {
  TDBItemList* list = TDBItemList::Create();
  FreeOnExit freeList(list);
  Dialog* dialog = CreateDialog<Dialog>(session, schema, false, owned);
  FreeOnExit freeDialog(dialog);
  preset(dialog);
  if (!dialog->GetList(list) || list->Count() == 0) return false;
  CheckAssignedItem(item);
  item->Assign(list->Items(0));
  return true;
}

// Sets the check mark of the host's rows whose key fields equal the values of the chosen items
// (the item's values in order, one per key field, or its ID for a single key field); the items
// that match no row are answered by name. The rows are indexed once, so marking many items in a
// long dataset stays linear. The dataset's controls are disabled meanwhile.
std::vector<String> MarkHostRows(TDataSet* dataSet, const TDBItemList* chosen,
                                 const String& keyFields, const String& checkFieldName,
                                 const std::function<void(TField*)>& mark);
