#include "src/ComFormLibs/uSelectTools.h"

#include "platform/db/DataSet.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"

namespace {

enum class TMarkKind { Text, Number, Boolean };

TMarkKind MarkKindOf(const TField* field) {
  switch (field->DataType()) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
      return TMarkKind::Text;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
      return TMarkKind::Number;
    case ftBoolean:
      return TMarkKind::Boolean;
    default:
      throw Exception("uSelectTools.RunSelect: the field \"" + field->FieldName() + "\" of type " +
                      FieldTypeName(field->DataType()) + " cannot hold check marks");
  }
}

bool IsMarked(const TField* field, TMarkKind kind) {
  switch (kind) {
    case TMarkKind::Text:
      return field->AsStringView() == "+";
    case TMarkKind::Number:
      return !field->IsNull() && field->AsFloat() == 1.0;
    case TMarkKind::Boolean:
      return field->AsBoolean();
  }
  return false;
}

void WriteMark(TField* field, TMarkKind kind, bool marked) {
  switch (kind) {
    case TMarkKind::Text:
      return field->SetAsString(marked ? "+" : "-");
    case TMarkKind::Number:
      return field->SetAsInteger(marked ? 1 : 0);
    case TMarkKind::Boolean:
      return field->SetAsBoolean(marked);
  }
}

bool WantedMark(int mode, bool marked) {
  switch (mode) {
    case smMarkAll:
      return true;
    case smClearAll:
      return false;
    default:
      return !marked;
  }
}

void CheckMode(int mode) {
  if (mode != smMarkAll && mode != smClearAll && mode != smInvert)
    throw Exception("uSelectTools.RunSelect: Incorrect mode: " + IntToStr(mode));
}

void MarkRows(TDataSet* dataSet, int mode, TField* field, const TMySelectNotifyEvent& changed,
              const TMySelectFilterEvent& takesPart) {
  const TMarkKind kind = MarkKindOf(field);
  for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
    if (takesPart && !takesPart(dataSet)) continue;
    const bool marked = IsMarked(field, kind);
    const bool wanted = WantedMark(mode, marked);
    if (wanted == marked) continue;
    dataSet->Edit();
    WriteMark(field, kind, wanted);
    dataSet->Post();
    if (changed) changed(dataSet, wanted);
  }
}

void PlaceCursor(TDataSet* dataSet, const TBookmark& place, TSelectEnd end) {
  if (dataSet->State() != dsBrowse) dataSet->Cancel();
  if (end == TSelectEnd::KeepPlace && dataSet->BookmarkValid(place))
    dataSet->GotoBookmark(place);
  else
    dataSet->First();
}

}  // namespace

void RunSelect(TDataSet* dataSet, int mode, const String& checkFieldName, TSelectEnd end,
               const TMySelectNotifyEvent& changed, const TMySelectFilterEvent& takesPart) {
  Assert(dataSet != nullptr, "uSelectTools.RunSelect: DataSet = nil");
  CheckMode(mode);
  if (!dataSet->Active() || dataSet->IsEmpty()) return;
  TField* field = dataSet->FieldByName(checkFieldName);
  dataSet->DisableControls();
  Finally enable([dataSet] { dataSet->EnableControls(); });
  const TBookmark place = dataSet->GetBookmark();
  try {
    MarkRows(dataSet, mode, field, changed, takesPart);
  } catch (...) {
    PlaceCursor(dataSet, place, end);
    throw;
  }
  PlaceCursor(dataSet, place, end);
}
